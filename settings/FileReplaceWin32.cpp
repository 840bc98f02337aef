// The Windows side of a safe save.
#include "settings/FileReplace.h"

#include <windows.h>
#include <ntsecapi.h>

#include <cstring>

namespace {

HANDLE Handle(const HeldFile& file) { return reinterpret_cast<HANDLE>(file.handle); }

bool SameText(const char* a, const char* b) { return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL; }

// Whether the open file is the working folder's entry `name` itself. A
// file reached through a link has another final path: under Wine a file
// link looks like a plain file, and deleting it by name deletes its target.
bool IsFolderEntry(HANDLE file, const char* name)
{
    char actual[MAX_PATH * 2];
    const DWORD got = GetFinalPathNameByHandleA(file, actual, sizeof actual, FILE_NAME_NORMALIZED);
    if (got == 0 || got >= sizeof actual) return false;
    HANDLE folder = CreateFileA(".", FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    char expected[MAX_PATH * 2 + MAX_PATH];
    const DWORD length = GetFinalPathNameByHandleA(folder, expected, MAX_PATH * 2, FILE_NAME_NORMALIZED);
    CloseHandle(folder);
    if (length == 0 || length >= MAX_PATH * 2) return false;
    // A drive's root folder ends with a separator already.
    if (expected[length - 1] != '\\') lstrcatA(expected, "\\");
    if (lstrlenA(expected) + lstrlenA(name) >= static_cast<int>(sizeof expected)) return false;
    lstrcatA(expected, name);
    return SameText(actual, expected);
}

void MarkForDeletion(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition = {TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

}  // namespace

bool RandomBits(uint64_t& bits) { return RtlGenRandom(&bits, sizeof bits) != FALSE; }

bool CreateNewFile(const char* name, HeldFile& file)
{
    // CREATE_NEW fails on anything at the name, a link too. Shared for
    // reading only: no other program can delete or change the file while
    // it is open, so another copy's clean-up leaves a save in progress be.
    // DELETE access lets the same handle rename it into place or discard it.
    HANDLE handle = CreateFileA(name, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    file = HeldFile{reinterpret_cast<intptr_t>(handle), name};
    return true;
}

bool OpenFileInPlace(const char* name, HeldFile& file)
{
    // Shared for reading and writing, as the C library opens files, so
    // readers that allow writers go on undisturbed.
    HANDLE handle = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    if (!IsFolderEntry(handle, name)) {
        CloseHandle(handle);
        return false;
    }
    file = HeldFile{reinterpret_cast<intptr_t>(handle), name};
    return true;
}

bool WriteWholeFile(const HeldFile& file, const void* data, std::size_t size)
{
    DWORD written = 0;
    if (!WriteFile(Handle(file), data, static_cast<DWORD>(size), &written, nullptr) || written != size) return false;
    if (!SetEndOfFile(Handle(file))) return false;
    return FlushFileBuffers(Handle(file)) != FALSE;
}

bool ReplaceWithFile(const HeldFile& file, const char* to)
{
    // Renamed through the handle, so the file is never without its guard
    // between the last write and the replace.
    union {
        FILE_RENAME_INFO info;
        char bytes[sizeof(FILE_RENAME_INFO) + MAX_PATH * sizeof(WCHAR)];
    } rename;
    std::memset(&rename, 0, sizeof rename);
    const int characters = MultiByteToWideChar(CP_ACP, 0, to, -1, rename.info.FileName, MAX_PATH);
    if (characters <= 1) return false;
    rename.info.ReplaceIfExists = TRUE;
    rename.info.FileNameLength = static_cast<DWORD>((characters - 1) * sizeof(WCHAR));
    return SetFileInformationByHandle(Handle(file), FileRenameInfo, &rename, sizeof rename) != FALSE;
}

void CloseFile(const HeldFile& file, bool discard)
{
    if (discard) MarkForDeletion(Handle(file));
    CloseHandle(Handle(file));
}

void ForEachEntry(const char* wildcard, void (*visit)(const char* name))
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(wildcard, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        visit(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RemoveUnusedFile(const char* name)
{
    // Not shared at all: fails while anyone, such as a save in progress,
    // holds the file open.
    HANDLE handle = CreateFileA(name, DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    if (IsFolderEntry(handle, name)) MarkForDeletion(handle);
    CloseHandle(handle);
}
