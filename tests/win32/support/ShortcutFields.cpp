#include "support/ShortcutFields.h"

#include <windows.h>
#include <shlobj.h>

#include "tray/win32/ShellIds.h"

bool ReadShortcutFields(const wchar_t* path, ShortcutFields& fields)
{
    fields = ShortcutFields{};
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    PIDLIST_ABSOLUTE identifiers = nullptr;
    wchar_t target[MAX_PATH] = L"", folder[MAX_PATH] = L"";
    // The target by its identifiers: Wine's GetPath loses the letters of a
    // loaded shortcut's target that the ANSI code page cannot spell.
    const bool read =
        SUCCEEDED(CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path, STGM_READ)) && link->GetIDList(&identifiers) == S_OK &&
        SHGetPathFromIDListW(identifiers, target) && SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
    CoTaskMemFree(identifiers);
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    if (com) CoUninitialize();
    if (read) fields = ShortcutFields{target, folder};
    return read;
}
