#include "tray/win32/StartupShortcut.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "tray/ShortcutName.h"
#include "tray/win32/ShellIds.h"
#include "tray/win32/ShellLinkFile.h"

namespace {

// Names tried for a new shortcut, more than anyone runs copies.
const unsigned MostCopies = 100;

// The shortcuts in a folder that point at the program: a few at most. No
// standard containers here: statically linked, they would double the
// program's size.
const unsigned MostShortcuts = 16;
struct ShortcutList {
    unsigned count;
    bool more;  // more than MostShortcuts point at the program
    wchar_t paths[MostShortcuts][MAX_PATH];
};

// COM on this thread for one call. "Each successful call to CoInitialize or
// CoInitializeEx, including any call that returns S_FALSE, must be balanced
// by a corresponding call to CoUninitialize" (CoInitializeEx). Where the
// thread is in the multithreaded apartment already (RPC_E_CHANGED_MODE),
// COM works there too, and that is not ours to end.
bool EnterCom(bool& ours)
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ours = SUCCEEDED(result);
    return ours || result == RPC_E_CHANGED_MODE;
}

void LeaveCom(bool ours)
{
    if (ours) CoUninitialize();
}

// The way Windows tells two paths of one file apart: ordinal, ignoring case
// by the system's uppercase table (CompareStringOrdinal). Not by the file's
// identity: that would open every target, on a drive that may be gone, and
// take a hard-linked copy in another folder, whose shortcut must start it
// in that folder, for this one.
bool SamePath(const wchar_t* a, const wchar_t* b) { return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL; }

// The shortcuts in `folder` that point at `program`.
void FindShortcutsTo(const wchar_t* folder, const wchar_t* program, ShortcutList& found)
{
    found.count = 0;
    found.more = false;
    wchar_t pattern[MAX_PATH];
    if (!JoinPath(folder, L"*.lnk", pattern, MAX_PATH)) return;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        wchar_t path[MAX_PATH], target[MAX_PATH];
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !IsShortcutName(entry.cFileName) ||
            !JoinPath(folder, entry.cFileName, path, MAX_PATH) || !ReadShellLinkTarget(path, target) ||
            !SamePath(target, program))
            continue;
        if (found.count == MostShortcuts) {
            found.more = true;
            continue;
        }
        wcscpy(found.paths[found.count++], path);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// A new shortcut under the first free name. The name is taken by creating
// the file (CREATE_NEW), so that a copy that writes at the same moment, or
// any file already there, is never replaced; the link is then saved over
// that empty file, and the file removed again where it cannot be.
bool AddShortcut(const wchar_t* folder, const wchar_t* program)
{
    // IShellLinkW::GetPath: "The maximum path size that can be returned is
    // MAX_PATH": a longer target could not be read back.
    const size_t folderLength = ProgramFolderLength(program);
    if (folderLength == 0 || wcslen(program) >= MAX_PATH) return false;
    wchar_t workingFolder[MAX_PATH];
    wmemcpy(workingFolder, program, folderLength);
    workingFolder[folderLength] = L'\0';
    for (unsigned copy = 1; copy <= MostCopies; ++copy) {
        wchar_t name[32], path[MAX_PATH];
        if (!ShortcutName(copy, name, 32) || !JoinPath(folder, name, path, MAX_PATH)) return false;
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            // Taken by any file or folder: the next name. Else the folder
            // takes no new file.
            if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) continue;
            return false;
        }
        CloseHandle(file);
        if (WriteShellLink(path, program, workingFolder)) return true;
        DeleteFileW(path);
        return false;
    }
    return false;
}

// Removes every shortcut in `list`, or none: each is first opened for
// deletion, which fails while another program holds it or the folder
// refuses, and only once all are open are they marked for deletion.
bool RemoveShortcuts(const ShortcutList& list)
{
    if (list.more) return false;
    HANDLE opened[MostShortcuts];
    unsigned count = 0;
    for (; count < list.count; ++count) {
        opened[count] = CreateFileW(list.paths[count], DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened[count] == INVALID_HANDLE_VALUE) break;
    }
    const bool all = count == list.count;
    for (unsigned i = 0; i < count; ++i) {
        FILE_DISPOSITION_INFO disposition = {TRUE};
        if (all) SetFileInformationByHandle(opened[i], FileDispositionInfo, &disposition, sizeof disposition);
        CloseHandle(opened[i]);
    }
    return all;
}

// The user's Startup folder. SHGetKnownFolderPath: the caller frees the
// path "by calling CoTaskMemFree, whether SHGetKnownFolderPath succeeds or
// not". KF_FLAG_CREATE makes a missing folder, for a shortcut to be written.
bool StartupFolder(DWORD flags, wchar_t (&folder)[MAX_PATH])
{
    PWSTR path = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(StartupFolderId, flags, nullptr, &path)) && path != nullptr &&
                       wcslen(path) < MAX_PATH;
    if (found) wcscpy(folder, path);
    CoTaskMemFree(path);
    return found;
}

// This program's full path, in the long form that a shortcut's target
// comes back in: started by a short (8.3) name, GetModuleFileNameW gives
// "the same format that was specified when the module was loaded". Where
// the path does not fit, "the string is truncated to nSize characters".
bool ThisProgram(wchar_t (&program)[MAX_PATH])
{
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    wchar_t longForm[MAX_PATH];
    const DWORD longLength = GetLongPathNameW(program, longForm, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH) wcscpy(program, longForm);
    return true;
}

}  // namespace

bool StartsWithWindowsIn(const wchar_t* folder, const wchar_t* program)
{
    bool ours;
    if (!EnterCom(ours)) return false;
    static ShortcutList found;
    FindShortcutsTo(folder, program, found);
    LeaveCom(ours);
    return found.count > 0;
}

bool SetStartsWithWindowsIn(const wchar_t* folder, const wchar_t* program, bool on)
{
    bool ours;
    if (!EnterCom(ours)) return false;
    // The program's one GUI thread calls this, never twice at once.
    static ShortcutList existing;
    FindShortcutsTo(folder, program, existing);
    bool done;
    if (on) {
        done = existing.count > 0 || AddShortcut(folder, program);
    } else {
        done = RemoveShortcuts(existing);
        FindShortcutsTo(folder, program, existing);
        done = done && existing.count == 0;
    }
    LeaveCom(ours);
    return done;
}

bool StartsWithWindows()
{
    wchar_t folder[MAX_PATH], program[MAX_PATH];
    return StartupFolder(0, folder) && ThisProgram(program) && StartsWithWindowsIn(folder, program);
}

bool SetStartsWithWindows(bool on)
{
    wchar_t folder[MAX_PATH], program[MAX_PATH];
    return StartupFolder(on ? static_cast<DWORD>(KF_FLAG_CREATE) : 0, folder) && ThisProgram(program) &&
           SetStartsWithWindowsIn(folder, program, on);
}
