#include "app/win32/SystemLibrary.h"

#include <cwchar>

void RestrictDllSearch()
{
    // "Dynamic-Link Library Security": an application "can use the
    // SetDefaultDllDirectories function to specify a default DLL search path
    // for the process that eliminates the most vulnerable directories".
    // Windows 7 and Vista have it only with KB2533623, and then only through
    // GetProcAddress, as its documentation says.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesCall)(DWORD);
    const SetDefaultDllDirectoriesCall setDefault = reinterpret_cast<SetDefaultDllDirectoriesCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Without it, at least the working folder leaves the search ("If this
    // parameter is an empty string, the call removes the current directory
    // from the default DLL search order").
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 and Vista without KB2533623 refuse the flag with
    // ERROR_INVALID_PARAMETER: there the full path names System32, and
    // LOAD_WITH_ALTERED_SEARCH_PATH looks for the DLL's own imports there too.
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + wcslen(name) >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    wcscpy(path + length + 1, name);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
