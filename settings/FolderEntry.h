// Whether an open file is the working folder's own entry of a name, told
// from the paths the system gives for the file and the folder. Decided
// without the platform so that its edges (a drive's root folder, a name
// in other letters, a file in another folder) are tested natively.
#pragma once
#include <cstddef>

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
