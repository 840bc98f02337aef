#include "app/win32/BackBuffer.h"

#include "app/win32/ShellState.h"

void MakeBackBuffer(HWND hwnd)
{
    backBufferDC = CreateCompatibleDC(nullptr);
    HDC windowDC = GetDC(hwnd);
    // Only the picture's own MascotSide x MascotSide is ever copied to the
    // window: a buffer as large as the desktop would only be filled for
    // nothing at every paint (5 MiB at 1280 x 1024).
    backBufferBitmap = CreateCompatibleBitmap(windowDC, MascotSide, MascotSide);
    ReleaseDC(hwnd, windowDC);
    // The object it replaces is not kept: the buffer lasts as long as the program.
    SelectObject(backBufferDC, backBufferBitmap);
}

void CopyToWindow(HDC dc, int scale)
{
    if (scale <= 1) {
        BitBlt(dc, 0, 0, MascotSide, MascotSide, backBufferDC, 0, 0, SRCCOPY);
        return;
    }
    // Nearest neighbour, no smoothing: the key stays exact, so no green
    // fringe shows, and the pixel art stays sharp.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, MascotSide * scale, MascotSide * scale, backBufferDC, 0, 0, MascotSide, MascotSide, SRCCOPY);
}
