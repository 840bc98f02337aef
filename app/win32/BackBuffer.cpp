#include "app/win32/BackBuffer.h"

#include "app/win32/ShellState.h"

void MakeBackBuffer(HWND hwnd)
{
    backBufferDC = CreateCompatibleDC(nullptr);
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    HDC windowDC = GetDC(hwnd);
    backBufferBitmap = CreateCompatibleBitmap(windowDC, desktop.right, desktop.bottom);
    ReleaseDC(hwnd, windowDC);
    // The object it replaces is not kept: the buffer lasts as long as the program.
    SelectObject(backBufferDC, backBufferBitmap);
}
