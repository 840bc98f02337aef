#include "sprites/win32/SpriteDraw.h"

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "sprites/win32/KeptSprite.h"
#include "sprites/win32/KeptSkins.h"
#include "sprites/win32/SpriteLoad.h"

namespace {

// Reads, checks and draws the file as at every draw before pictures were
// kept; with `facts`, what the file said just before this read, keeps the
// picture when the file may be kept and the table has room.
void ReadAndDraw(HDC dc, int x, int y, const SpriteFile& file, const char* name, bool mirrored,
                 const SpriteFileFacts* facts)
{
    HDC memoryDC = CreateCompatibleDC(dc);
    const SpriteBitmap sprite = LoadSpriteBitmap(file, memoryDC);
    // Kept: what the file's bytes decided, or a file that was missing
    // before the read. Not a file that could not be opened or read while
    // it is there (held by another program, say), nor a picture GDI could
    // not make: each may draw at the next try.
    if (facts != nullptr && (sprite.settled || !facts->exists) && FileMayBeKept(*facts, sprite.links)) {
        KeptPicture kept = {};
        kept.skinIndex = mascot.skinIndex;
        kept.place = file.place;
        kept.picture = sprite.bitmap;
        kept.width = sprite.width;
        kept.height = sprite.height;
        kept.bytes = sprite.bytes;
        kept.facts = *facts;
        const KeptPicture* keeping = KeepPicture(kept, name);
        if (keeping != nullptr) {
            DeleteDC(memoryDC);
            DrawKeptSprite(dc, x, y, *keeping, mirrored);
            return;
        }
    }
    // A missing, unreadable or refused file draws nothing: there is no size to draw.
    if (sprite.bitmap != nullptr) {
        SelectObject(memoryDC, sprite.bitmap);
        CopySprite(dc, x, y, memoryDC, sprite.width, sprite.height, mirrored);
    }
    // The DC goes first so that the bitmap is no longer selected anywhere.
    DeleteDC(memoryDC);
    if (sprite.bitmap != nullptr) DeleteObject(sprite.bitmap);
}

void DrawSpriteFile(HDC dc, int x, int y, const char* name, bool mirrored)
{
    ForgetKeptOnNewWorkingFolder();
    // Where the frame lies is looked up afresh, as ever: a skin folder
    // made, removed or renamed shows at once.
    SpriteFile file;
    if (!FindSpriteFile(file, name)) return;
    if (!PlaceMayBeKept(file.place)) {
        ReadAndDraw(dc, x, y, file, name, mirrored, nullptr);
        return;
    }
    // The one file drawn is asked what it is now, which costs far less than
    // a read: a file edited, replaced, removed or added says so by its
    // size, time stamps, attributes or presence.
    const SpriteFileFacts facts = ReadSpriteFacts(file);
    KeptPicture* kept = FindKeptPicture(mascot.skinIndex, name);
    if (kept != nullptr && kept->place == file.place && SameFileFacts(kept->facts, facts)) {
        DrawKeptSprite(dc, x, y, *kept, mirrored);
        return;
    }
    if (kept != nullptr) ForgetKeptPicture(*kept, ReleaseKeptSprite);
    ReadAndDraw(dc, x, y, file, name, mirrored, &facts);
}

}  // namespace

void SpriteDraw(HDC dc, int x, int y, const char* name) { DrawSpriteFile(dc, x, y, name, false); }

void SpriteDrawMirrored(HDC dc, int x, int y, const char* name) { DrawSpriteFile(dc, x, y, name, true); }

void ClearToKey(HDC dc)
{
    // The stock brush whose colour each context holds: no brush is made or
    // deleted at a paint, and a solid fill of the key is exact.
    const HGDIOBJ brush = SelectObject(dc, GetStockObject(DC_BRUSH));
    const COLORREF colour = SetDCBrushColor(dc, ColourKey);
    PatBlt(dc, 0, 0, MascotSide, MascotSide, PATCOPY);
    SetDCBrushColor(dc, colour);
    SelectObject(dc, brush);
}
