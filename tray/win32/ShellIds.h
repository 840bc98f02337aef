// The shell's identifiers that the program asks for, written out here: the
// static library that holds them (uuid) brings every identifier of Windows
// along, some 45 KB of the program. The interfaces' own come with their
// declarations (__uuidof).
#pragma once
#include <windows.h>
#include <shlobj.h>

// CLSID_ShellLink, {00021401-0000-0000-C000-000000000046}.
const CLSID ShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// FOLDERID_Startup, {B97D20BB-F46A-4C97-BA10-5E3608430854}.
const KNOWNFOLDERID StartupFolderId = {0xB97D20BB, 0xF46A, 0x4C97, {0xBA, 0x10, 0x5E, 0x36, 0x08, 0x43, 0x08, 0x54}};
