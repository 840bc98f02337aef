#pragma once
#include <windows.h>

// Makes the back buffer (backBufferDC with backBufferBitmap selected): a
// memory context holding a bitmap as large as the desktop, in the format
// of `hwnd`'s screen. Made once, at window creation, and never freed.
void MakeBackBuffer(HWND hwnd);
