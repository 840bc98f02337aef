#pragma once
#include <windows.h>

// Makes the back buffer (backBufferDC with backBufferBitmap selected): a
// memory context holding a bitmap of MascotSide x MascotSide, in the format
// of `hwnd`'s screen. Made once, at window creation, and never freed.
void MakeBackBuffer(HWND hwnd);

// Copies the back buffer's composition to the window's `dc` at `scale`:
// each of its pixels a block of scale x scale of one colour.
void CopyToWindow(HDC dc, int scale);
