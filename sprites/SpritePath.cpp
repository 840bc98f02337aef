#include "sprites/SpritePath.h"

#include "sprites/TextCopy.h"

void BuildSpritePath(char* out, size_t size, int32_t skinIndex, const char* name)
{
    static const char* const prefixes[4] = {"a/", "b/", "c/", "d/"};
    const int32_t skin = skinIndex >= 0 && skinIndex <= 3 ? skinIndex : 0;
    CopyBounded(out, size, prefixes[skin]);
    AppendBounded(out, size, name);
    AppendBounded(out, size, ".bmp");
}
