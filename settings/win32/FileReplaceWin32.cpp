// The Windows side of a safe save.
#include "settings/FileReplace.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "app/win32/SystemLibrary.h"
#include "settings/FolderEntry.h"

namespace {

HANDLE Handle(const HeldFile& file) { return reinterpret_cast<HANDLE>(file.handle); }

static_assert(EntryAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY, "the system's value");
static_assert(EntryAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT, "the system's value");

// What the system tells of a handle's identity, by both of its queries.
HandleIds IdsOf(HANDLE handle)
{
    HandleIds ids = {};
    FILE_ID_INFO wide;
    if (GetFileInformationByHandleEx(handle, FileIdInfo, &wide, sizeof wide)) {
        ids.wide.known = true;
        ids.wide.volume = wide.VolumeSerialNumber;
        static_assert(sizeof wide.FileId == sizeof ids.wide.id, "128 bits");
        std::memcpy(ids.wide.id, &wide.FileId, sizeof ids.wide.id);
    }
    BY_HANDLE_FILE_INFORMATION narrow;
    if (GetFileInformationByHandle(handle, &narrow)) {
        ids.narrow.known = true;
        ids.narrow.volume = narrow.dwVolumeSerialNumber;
        const DWORD index[2] = {narrow.nFileIndexLow, narrow.nFileIndexHigh};
        std::memcpy(ids.narrow.id, index, sizeof index);
    }
    return ids;
}

// Where a handle's file lies, without its volume: "\x\savedata". Zero
// when the system cannot tell, as some network shares cannot.
DWORD LocationOf(HANDLE handle, char16_t (&path)[MAX_PATH * 2])
{
    const DWORD length = GetFinalPathNameByHandleW(handle, reinterpret_cast<LPWSTR>(path), MAX_PATH * 2,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_NONE);
    return length < MAX_PATH * 2 ? length : 0;
}

// Whether the open file is the working folder's entry `name` itself, and
// not a file that a link of that name leads to (IsWorkingFolderEntry
// decides). The entry is opened as it stands, a link not followed
// (FILE_FLAG_OPEN_REPARSE_POINT: "Normal reparse point processing will not
// occur; CreateFile will attempt to open the reparse point"). Wine follows
// file links even then and shows them as plain files, so the final paths
// are read as well.
bool IsFolderEntry(HANDLE file, const char* name)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    EntryReport report = {};
    report.file = IdsOf(file);
    HANDLE entry = CreateFileA(name, FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (entry != INVALID_HANDLE_VALUE) {
        FILE_BASIC_INFO basic = {};
        report.entryKnown = GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic) != FALSE;
        report.entryAttributes = basic.FileAttributes;
        report.entry = IdsOf(entry);
        CloseHandle(entry);
    }
    char16_t filePath[MAX_PATH * 2], folderPath[MAX_PATH * 2];
    report.filePath = filePath;
    report.fileLength = LocationOf(file, filePath);
    report.folderPath = folderPath;
    HANDLE folder = CreateFileA(".", FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr);
    if (folder != INVALID_HANDLE_VALUE) {
        report.folder = IdsOf(folder);
        report.folderLength = LocationOf(folder, folderPath);
        CloseHandle(folder);
    }
    return IsWorkingFolderEntry(report, name);
}

void MarkForDeletion(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition = {TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// The rename class of Windows 10 1607 and later, which the headers give
// only when built for that version.
const FILE_INFO_BY_HANDLE_CLASS RenameInfoWithFlags = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

// FILE_RENAME_INFO as Windows 10 1607 and later read it, with the flags in
// the place of ReplaceIfExists (a BOOLEAN that the older form reads from
// the same first byte).
struct RenameRequest {
    DWORD flags;
    HANDLE rootDirectory;
    DWORD fileNameLength;  // in bytes, without the terminating zero
    WCHAR fileName[MAX_PATH + 1];
};
static_assert(offsetof(RenameRequest, rootDirectory) == offsetof(FILE_RENAME_INFO, RootDirectory), "layout");
static_assert(offsetof(RenameRequest, fileNameLength) == offsetof(FILE_RENAME_INFO, FileNameLength), "layout");
static_assert(offsetof(RenameRequest, fileName) == offsetof(FILE_RENAME_INFO, FileName), "layout");

// The system's preferred generator, with no algorithm handle to open
// (Vista from its SP2 on). bcrypt.dll is no KnownDLL, so it comes from
// System32 alone, and only once a save needs a name: under Wine it brings a
// whole crypto library into the process. Asked for at each save, which
// finds it at once once it is loaded; it stays loaded.
bool SystemRandomBits(uint64_t& bits)
{
    typedef LONG(WINAPI * GenRandomCall)(BCRYPT_ALG_HANDLE, PUCHAR, ULONG, ULONG);
    const HMODULE bcrypt = LoadSystemLibrary(L"bcrypt.dll");
    if (bcrypt == nullptr) return false;
    const GenRandomCall generate = reinterpret_cast<GenRandomCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(bcrypt, "BCryptGenRandom")));
    return generate != nullptr &&
           generate(nullptr, reinterpret_cast<PUCHAR>(&bits), sizeof bits, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}

// Where the system's generator cannot be had: the clock, the process and a
// count of the calls, stirred. No two calls give the same bits, so a name
// that is taken is never tried again; CREATE_NEW guards against the rest.
bool FallbackRandomBits(uint64_t& bits)
{
    static uint64_t calls = 0;
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    uint64_t z = (static_cast<uint64_t>(now.QuadPart) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 40)) +
                 ++calls * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    bits = z ^ (z >> 31);
    return true;
}

}  // namespace

bool RandomBits(uint64_t& bits) { return SystemRandomBits(bits) || FallbackRandomBits(bits); }

bool CreateNewFile(const char* name, HeldFile& file)
{
    // CREATE_NEW fails on anything at the name, a link too. Shared for
    // reading only: no other program can delete or change the file while
    // it is open, so another copy's clean-up leaves a save in progress be.
    // DELETE access lets the same handle rename it into place or discard it.
    // Without FILE_SHARE_DELETE "no process can open the file or device if
    // it requests delete access" (CreateFileA, learn.microsoft.com).
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
    // Before the replace: "Flushes the buffers of a specified file and
    // causes all buffered data to be written to a file" (FlushFileBuffers).
    return FlushFileBuffers(Handle(file)) != FALSE;
}

bool ReplaceWithFile(const HeldFile& file, const char* to)
{
    // Renamed through the handle, so the file is never without its guard
    // between the last write and the replace.
    RenameRequest rename;
    std::memset(&rename, 0, sizeof rename);
    const int characters = MultiByteToWideChar(CP_ACP, 0, to, -1, rename.fileName, MAX_PATH);
    if (characters <= 1) return false;
    rename.fileNameLength = static_cast<DWORD>((characters - 1) * sizeof(WCHAR));
    const DWORD size = static_cast<DWORD>(offsetof(RenameRequest, fileName) + characters * sizeof(WCHAR));
    // With POSIX semantics the name changes hands even while another
    // program (a virus scanner, the search indexer, a sync client) holds
    // the old file open with delete sharing; the older form fails then.
    rename.flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
    if (SetFileInformationByHandle(Handle(file), RenameInfoWithFlags, &rename, size)) return true;
    rename.flags = TRUE;  // ReplaceIfExists, where the flags are not known
    return SetFileInformationByHandle(Handle(file), FileRenameInfo, &rename, size) != FALSE;
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
