#include "sprites/win32/SpriteDraw.h"

#include "app/win32/ShellState.h"
#include "sprites/win32/SpriteLoad.h"

namespace {

void DrawSpriteFile(HDC dc, int x, int y, const char* name, bool mirrored)
{
    SpriteFile file;
    if (!FindSpriteFile(file, name)) return;
    HDC memoryDC = CreateCompatibleDC(dc);
    const SpriteBitmap sprite = LoadSpriteBitmap(file, memoryDC);
    // A missing, unreadable or refused file draws nothing: there is no size to draw.
    if (sprite.bitmap == nullptr) {
        DeleteDC(memoryDC);
        return;
    }
    SelectObject(memoryDC, sprite.bitmap);
    const int width = sprite.width, height = sprite.height;
    if (mirrored)
        StretchBlt(dc, x + width, y, -width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    else
        StretchBlt(dc, x, y, width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    // The DC goes first so that the bitmap is no longer selected anywhere.
    DeleteDC(memoryDC);
    DeleteObject(sprite.bitmap);
}

}  // namespace

void SpriteDraw(HDC dc, int x, int y, const char* name) { DrawSpriteFile(dc, x, y, name, false); }

void SpriteDrawMirrored(HDC dc, int x, int y, const char* name) { DrawSpriteFile(dc, x, y, name, true); }

void ClearToKey(HDC dc)
{
    HPEN pen = CreatePen(PS_SOLID, 10, ColourKey);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    // Hatch style 6 is no hatch pattern: GDI makes it a solid brush.
    HBRUSH brush = CreateHatchBrush(6, ColourKey);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, 1920, 1200);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}
