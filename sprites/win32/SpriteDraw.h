#pragma once
#include <windows.h>

// Draws frame `name` of the current skin at (x, y), at its own size.
void SpriteDraw(HDC dc, int x, int y, const char* name);

// The same, mirrored left to right.
void SpriteDrawMirrored(HDC dc, int x, int y, const char* name);

// Fills the top-left MascotSide x MascotSide of dc, what a paint copies to
// the window, with the transparent colour key.
void ClearToKey(HDC dc);
