// Shortcut files through the shell's link object. The caller has COM
// initialised on its thread.
#pragma once
#include <windows.h>

// Writes the shortcut file `path` (replacing what is there) to start
// `target` in the working folder `folder`; false when it is not saved.
bool WriteShellLink(const wchar_t* path, const wchar_t* target, const wchar_t* folder);

// The file-system path that the shortcut file `path` starts; false when
// the file is no shortcut or its target is no file-system path.
bool ReadShellLinkTarget(const wchar_t* path, wchar_t (&target)[MAX_PATH]);
