#include "sprites/SpriteDraw.h"

#include "app/MascotState.h"
#include "app/ShellState.h"
#include "sprites/SpritePath.h"

namespace {

void DrawSpriteFile(HDC dc, int x, int y, const char* name, bool mirrored)
{
    char path[32];
    BuildSpritePath(path, sizeof path, mascot.skinIndex, name);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    // A missing or unreadable file draws nothing: its size would be unset.
    if (bitmap == nullptr) return;
    BITMAP info = {};
    if (GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
        DeleteObject(bitmap);
        return;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    HDC memoryDC = CreateCompatibleDC(dc);
    SelectObject(memoryDC, bitmap);
    if (mirrored)
        StretchBlt(dc, x + width, y, -width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    else
        StretchBlt(dc, x, y, width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    // The DC goes first so that the bitmap is no longer selected anywhere.
    DeleteDC(memoryDC);
    DeleteObject(bitmap);
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
