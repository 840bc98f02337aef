#include "sprites/SpritePath.h"

#include <cstdio>

const char* SkinFolderName(int32_t skinIndex)
{
    static const char* const letters[4] = {"a", "b", "c", "d"};
    return letters[skinIndex >= 0 && skinIndex <= 3 ? skinIndex : 0];
}

bool BuildSpritePath(char* out, size_t size, int32_t skinIndex, const char* name)
{
    const int length = std::snprintf(out, size, "%s/%s.bmp", SkinFolderName(skinIndex), name);
    if (length >= 0 && static_cast<size_t>(length) < size) return true;
    if (size > 0) out[0] = '\0';
    return false;
}

SkinPlace ChooseSkinPlace(bool workingHasSkinFolder, bool programHasSkinFolder)
{
    if (workingHasSkinFolder) return SkinInWorkingFolder;
    return programHasSkinFolder ? SkinBesideProgram : SkinBuiltIn;
}

bool BuildBuiltInFrameName(char* out, size_t size, int32_t skinIndex, const char* name)
{
    const int length = std::snprintf(out, size, "%s_%s", SkinFolderName(skinIndex), name);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        if (size > 0) out[0] = '\0';
        return false;
    }
    for (char* c = out; *c != '\0'; ++c)
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
    return true;
}
