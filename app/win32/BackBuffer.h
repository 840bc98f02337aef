#pragma once
#include <windows.h>

// Makes the back buffer (backBufferDC with backBufferBitmap selected): a
// memory context holding a bitmap of MascotSide x MascotSide, in the format
// of `hwnd`'s screen. Made once, at window creation, and never freed.
void MakeBackBuffer(HWND hwnd);
