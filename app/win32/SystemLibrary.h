// DLLs from the system's own folder alone. The program is unzipped where
// downloads land, a folder that may hold any DLL: none of those may ever run
// inside it.
#pragma once
#include <windows.h>

// The first step of each program, before any window, dialog, menu, COM or
// shell call: from then on every DLL that the process loads, and every DLL
// that the system loads on its behalf, comes from System32.
void RestrictDllSearch();

// Loads the DLL `name` (a bare file name) from System32, never from the
// program's folder or the working folder; null where it cannot.
HMODULE LoadSystemLibrary(const wchar_t* name);
