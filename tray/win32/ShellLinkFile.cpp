#include "tray/win32/ShellLinkFile.h"

#include <shlobj.h>

#include "tray/win32/ShellIds.h"

namespace {

// The shell's link object and its file interface; false, with neither
// held, when they cannot be had.
bool CreateLink(IShellLinkW*& link, IPersistFile*& file)
{
    link = nullptr;
    file = nullptr;
    if (FAILED(CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                                reinterpret_cast<void**>(&link))))
        return false;
    if (SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))) return true;
    link->Release();
    link = nullptr;
    return false;
}

void ReleaseLink(IShellLinkW* link, IPersistFile* file)
{
    file->Release();
    link->Release();
}

}  // namespace

bool WriteShellLink(const wchar_t* path, const wchar_t* target, const wchar_t* folder)
{
    IShellLinkW* link;
    IPersistFile* file;
    if (!CreateLink(link, file)) return false;
    // IPersistFile::Save: "If the object was successfully saved, the return
    // value is S_OK. Otherwise, it is S_FALSE", which SUCCEEDED lets pass.
    const bool saved = SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetWorkingDirectory(folder)) &&
                       file->Save(path, TRUE) == S_OK;
    ReleaseLink(link, file);
    return saved;
}

bool ReadShellLinkTarget(const wchar_t* path, wchar_t (&target)[MAX_PATH])
{
    target[0] = L'\0';
    IShellLinkW* link;
    IPersistFile* file;
    if (!CreateLink(link, file)) return false;
    // The target as its list of item identifiers, not IShellLinkW::GetPath:
    // Wine's GetPath gives a loaded shortcut's target through the ANSI code
    // page, so a folder named outside it comes back with '?' or other
    // letters, while the identifiers keep the name. GetIDList "returns
    // S_FALSE with ppidl set to NULL" when the link has none.
    // SHGetPathFromIDListW's buffer "must be at least MAX_PATH characters".
    PIDLIST_ABSOLUTE identifiers = nullptr;
    const bool read = SUCCEEDED(file->Load(path, STGM_READ)) && link->GetIDList(&identifiers) == S_OK &&
                      SHGetPathFromIDListW(identifiers, target);
    CoTaskMemFree(identifiers);
    ReleaseLink(link, file);
    if (!read) target[0] = L'\0';
    return read;
}
