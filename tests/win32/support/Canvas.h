// A memory device context over a 32-bit top-down DIB section whose pixels
// the tests read directly, as 0xRRGGBB.
#pragma once
#include <windows.h>

#include <cstdint>

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    uint32_t* bits;
    int width;
    int height;
};

// Makes a canvas filled with `rgb`; dc is null when GDI refused.
Canvas MakeCanvas(int width, int height, uint32_t rgb);
void FreeCanvas(Canvas& canvas);

void FillCanvas(Canvas& canvas, uint32_t rgb);
uint32_t CanvasPixel(const Canvas& canvas, int x, int y);

// Number of pixels in [left, right) x [top, bottom) that are not `rgb`.
int CountPixelsNot(const Canvas& canvas, int left, int top, int right, int bottom, uint32_t rgb);

// Pixel of any device context through GetPixel, as 0xRRGGBB.
uint32_t DcPixel(HDC dc, int x, int y);

// Number of pixels of a device context in the rectangle that are not `rgb`.
int CountDcPixelsNot(HDC dc, int left, int top, int right, int bottom, uint32_t rgb);
