#include "settings/FolderEntry.h"

#include <cstring>

namespace {

// "For file systems that do not support a 128-bit file ID, this field must
// be set to 0, and must be ignored" (FILE_ID_INFORMATION structure,
// learn.microsoft.com).
bool HasWideId(const FileId& id)
{
    static const uint8_t none[sizeof id.id] = {};
    return id.known && std::memcmp(id.id, none, sizeof none) != 0;
}

// The ids of the query that answered for both handles: the 128-bit ones
// where both have them, since the older index "is not guaranteed to be
// unique on ReFS" (BY_HANDLE_FILE_INFORMATION structure). False when no
// query answered for both.
bool IdsOfOneQuery(const HandleIds& a, const HandleIds& b, const FileId*& first, const FileId*& second)
{
    const bool wide = HasWideId(a.wide) && HasWideId(b.wide);
    first = wide ? &a.wide : &a.narrow;
    second = wide ? &b.wide : &b.narrow;
    return first->known && second->known;
}

// "The file identifier and the volume serial number uniquely identify a
// file on a single computer" (FILE_ID_INFO structure).
bool SameFile(const HandleIds& a, const HandleIds& b)
{
    const FileId *first, *second;
    return IdsOfOneQuery(a, b, first, second) && first->volume == second->volume &&
           std::memcmp(first->id, second->id, sizeof first->id) == 0;
}

bool OnOtherVolumes(const HandleIds& a, const HandleIds& b)
{
    const FileId *first, *second;
    return IdsOfOneQuery(a, b, first, second) && first->volume != second->volume;
}

}  // namespace

bool IsWorkingFolderEntry(const EntryReport& report, const char* name)
{
    if (!report.entryKnown) return false;
    if ((report.entryAttributes & (EntryAttributeDirectory | EntryAttributeReparsePoint)) != 0) return false;
    if (!SameFile(report.file, report.entry)) return false;
    // A system that follows a link even when asked not to shows the target
    // as the entry itself; the target's place gives it away. "The final
    // path is the path that is returned when a path is fully resolved"
    // (GetFinalPathNameByHandleW), and without the volume it is compared
    // only within one volume.
    if (OnOtherVolumes(report.file, report.folder)) return false;
    if (report.fileLength == 0 || report.folderLength == 0) return true;
    return PathNamesFolderEntry(report.filePath, report.fileLength, report.folderPath, report.folderLength, name);
}
