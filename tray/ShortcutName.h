// The names and paths of the program's shortcuts in the Startup folder,
// decided without the platform so that their edges are tested natively.
#pragma once
#include <cstddef>

// The shortcut's file name for the `copy`-th copy of the program (1, 2,
// ...): "Pelmo.lnk", then "Pelmo (2).lnk", "Pelmo (3).lnk" and so on, as
// the system names a second file of the same name. False, with `out`
// empty, when copy is 0 or the name does not fit `size` units.
bool ShortcutName(unsigned copy, wchar_t* out, size_t size);

// Whether a name found in a folder is a shortcut's: it ends in ".lnk", in
// any case. A search for "*.lnk" also finds "x.lnkx", by its short name.
bool IsShortcutName(const wchar_t* name);

// The length of the folder part of a program's full path, which its
// shortcut gives as the working folder: up to the last separator, which a
// drive's root ("E:\", "\\?\E:\") keeps, since "E:" alone means the
// drive's current folder. 0 when the path holds no separator.
size_t ProgramFolderLength(const wchar_t* program);

// `folder`, a separator unless it ends in one, then `name`, in `out`;
// false, with `out` empty, when that does not fit `size` units.
bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* out, size_t size);
