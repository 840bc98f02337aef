#include "sprites/win32/KeptSprite.h"

namespace {

// Made at the first draw of a kept picture and kept: a context made and
// freed at every paint costs more than the copy itself.
HDC keptDC = nullptr;

}  // namespace

void ReleaseKeptSprite(void* picture) { DeleteObject(static_cast<HBITMAP>(picture)); }

void CopySprite(HDC dc, int x, int y, HDC source, int width, int height, bool mirrored)
{
    if (mirrored)
        StretchBlt(dc, x + width, y, -width, height, source, 0, 0, width, height, SRCCOPY);
    else
        StretchBlt(dc, x, y, width, height, source, 0, 0, width, height, SRCCOPY);
}

void DrawKeptSprite(HDC dc, int x, int y, const KeptPicture& kept, bool mirrored)
{
    if (kept.picture == nullptr) return;
    if (keptDC == nullptr) keptDC = CreateCompatibleDC(nullptr);
    if (keptDC == nullptr) return;
    // The context's own bitmap goes back at once, so that a forgotten
    // picture is never held selected.
    const HGDIOBJ previous = SelectObject(keptDC, static_cast<HBITMAP>(kept.picture));
    CopySprite(dc, x, y, keptDC, kept.width, kept.height, mirrored);
    SelectObject(keptDC, previous);
}

int KeptSpriteObjects()
{
    int objects = keptDC != nullptr ? 1 : 0;
    for (const KeptPicture& kept : keptPictures.slots)
        if (kept.used && kept.picture != nullptr) ++objects;
    return objects;
}
