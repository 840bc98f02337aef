#include "sprites/SpritePath.h"

#include <cstdio>
#include <cstring>

#include "sprites/TextCopy.h"

namespace {

const char* SkinLetter(int32_t skinIndex)
{
    static const char* const letters[4] = {"a", "b", "c", "d"};
    return letters[skinIndex >= 0 && skinIndex <= 3 ? skinIndex : 0];
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// An empty path, for a path that could not be made whole.
bool NoPath(char* out, size_t size)
{
    if (size > 0) out[0] = '\0';
    return false;
}

// Writes the first `folderLength` characters of `folder`, a backslash
// unless they end in a separator, then `rest`; false when it does not fit.
bool JoinPath(char* out, size_t size, const char* folder, size_t folderLength, const char* rest)
{
    const bool separator = folderLength > 0 && !IsSeparator(folder[folderLength - 1]);
    const size_t restLength = std::strlen(rest);
    if (folderLength + (separator ? 1 : 0) + restLength >= size) return NoPath(out, size);
    std::memcpy(out, folder, folderLength);
    if (separator) out[folderLength++] = '\\';
    std::memcpy(out + folderLength, rest, restLength + 1);
    return true;
}

}  // namespace

void BuildSpritePath(char* out, size_t size, int32_t skinIndex, const char* name)
{
    CopyBounded(out, size, SkinLetter(skinIndex));
    AppendBounded(out, size, "/");
    AppendBounded(out, size, name);
    AppendBounded(out, size, ".bmp");
}

bool BuildSkinFolderPath(char* out, size_t size, const char* folder, int32_t skinIndex)
{
    return JoinPath(out, size, folder, std::strlen(folder), SkinLetter(skinIndex));
}

bool ResolveSpritePath(char* out, size_t size, const SkinPlaces& places, int32_t skinIndex, const char* name)
{
    const char* folder = places.workingFolder;
    size_t folderLength = std::strlen(folder);
    if (!places.workingHasSkinFolder) {
        // The program's folder: its file's path up to the last separator.
        folder = places.programFile;
        folderLength = std::strlen(folder);
        while (folderLength > 0 && !IsSeparator(folder[folderLength - 1])) --folderLength;
    }
    char rest[32];
    const int restLength = std::snprintf(rest, sizeof rest, "%s\\%s.bmp", SkinLetter(skinIndex), name);
    // A relative path would be looked up from wherever the process stands.
    if (folderLength == 0 || restLength < 0 || restLength >= static_cast<int>(sizeof rest)) return NoPath(out, size);
    return JoinPath(out, size, folder, folderLength, rest);
}
