// A stand-in DLL, planted under the name of a system DLL where a program
// must never load it from: when it is loaded, it leaves a file named after
// itself in the folder that PELMO_MARKER_DIR names, and does nothing else.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH], marker[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    const wchar_t* name = path + length;
    while (name > path && name[-1] != L'\\' && name[-1] != L'/') --name;
    const DWORD folder = GetEnvironmentVariableW(L"PELMO_MARKER_DIR", marker, MAX_PATH);
    if (folder == 0 || folder >= MAX_PATH) return TRUE;
    lstrcatW(marker, L"\\");
    lstrcatW(marker, name);
    lstrcatW(marker, L".loaded");
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
