// Whether an open file is the working folder's own entry of a name, and
// not a file that a link of that name leads to, told from what the system
// reports of the file, of the name opened as it stands and of the folder:
// attributes, ids, volume serials and final paths. Decided without the
// platform so that every edge (a link, a folder, a 128-bit id, another
// volume, a path elsewhere, a drive's root folder, a name in other letters)
// is tested natively, where Wine could show few of them.
#pragma once
#include <cstddef>
#include <cstdint>

// Which file a handle reaches, as one query of the system reports it: the
// volume's serial number and the file's id there. Ids compare only with
// ids that the same query gave.
struct FileId {
    bool known;
    uint64_t volume;
    uint8_t id[16];
};

// Both queries of one handle: the 128-bit id with the 64-bit volume serial,
// and the older 64-bit index (in the first 8 bytes) with the 32-bit serial.
struct HandleIds {
    FileId wide;
    FileId narrow;
};

// The attribute bits that rule the name's entry out, as the system gives
// them: a folder, or a reparse point such as a link.
const uint32_t EntryAttributeDirectory = 0x10;
const uint32_t EntryAttributeReparsePoint = 0x400;

struct EntryReport {
    HandleIds file;             // the open file
    bool entryKnown;            // the name opened as it stands, its attributes read
    uint32_t entryAttributes;
    HandleIds entry;
    HandleIds folder;           // the working folder
    const char16_t* filePath;   // final paths without the volume, as the
    size_t fileLength;          // same call gives them; 0 units when the
    const char16_t* folderPath; // system did not tell
    size_t folderLength;
};

// True when the name's entry is a plain file (no folder, no link) with the
// open file's id, and the open file lies on the folder's volume, at the
// folder's path and that name. Where the system tells no path or nothing
// of the folder (some network shares), the ids alone decide.
bool IsWorkingFolderEntry(const EntryReport& report, const char* name);

// `filePath` and `folderPath` are final paths as one system call gives
// them (the same form for both, such as without the volume), of `fileLength`
// and `folderLength` units. True when the file's path is the folder's path,
// one separator (none after a root folder, whose path ends in one) and
// `name`. The folder's part must match exactly, since both come from the
// same call; the name's ASCII letters match in either case, as the file
// system matches them.
template <typename Unit>
bool PathNamesFolderEntry(const Unit* filePath, size_t fileLength, const Unit* folderPath, size_t folderLength,
                          const char* name)
{
    if (folderLength == 0) return false;
    size_t at = folderLength;
    if (fileLength < at) return false;
    for (size_t i = 0; i < folderLength; ++i)
        if (filePath[i] != folderPath[i]) return false;
    const Unit last = folderPath[folderLength - 1];
    if (last != '\\' && last != '/') {
        if (at >= fileLength || (filePath[at] != '\\' && filePath[at] != '/')) return false;
        ++at;
    }
    for (; *name != '\0'; ++name, ++at) {
        if (at >= fileLength) return false;
        const Unit got = filePath[at];
        const char want = *name;
        const Unit lower = (got >= 'A' && got <= 'Z') ? static_cast<Unit>(got - 'A' + 'a') : got;
        const char wantLower = (want >= 'A' && want <= 'Z') ? static_cast<char>(want - 'A' + 'a') : want;
        if (lower != static_cast<Unit>(static_cast<unsigned char>(wantLower))) return false;
    }
    return at == fileLength;
}
