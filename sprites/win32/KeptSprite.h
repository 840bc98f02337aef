// The kept pictures' GDI side: their bitmaps, and the one memory context
// they are drawn from.
#pragma once
#include <windows.h>

#include "sprites/KeptPictures.h"

// Deletes a kept picture's bitmap (ForgetKeptPictures hands it over).
void ReleaseKeptSprite(void* picture);

// Copies a width x height picture selected in `source` to (x, y) of dc,
// mirrored left to right or not: kept and freshly read pictures alike.
void CopySprite(HDC dc, int x, int y, HDC source, int width, int height, bool mirrored);

// Draws a kept picture at (x, y) of dc as a freshly read one is drawn;
// a kept missing or refused file draws nothing.
void DrawKeptSprite(HDC dc, int x, int y, const KeptPicture& kept, bool mirrored);

// The GDI objects held for the kept pictures now: their bitmaps, and the
// context they are drawn from once one was drawn.
int KeptSpriteObjects();
