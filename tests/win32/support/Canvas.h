// A memory device context over a 32-bit top-down DIB section whose pixels
// the tests read directly, as 0xRRGGBB; and the one comparison of what a
// canvas shows with a picture drawn on it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/BmpFixture.h"

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

// A canvas holding the top-left width x height pixels of any context (a
// window's, the back buffer).
Canvas CopyOfDc(HDC dc, int width, int height);

void FillCanvas(Canvas& canvas, uint32_t rgb);
uint32_t CanvasPixel(const Canvas& canvas, int x, int y);
std::vector<uint32_t> CanvasPixels(const Canvas& canvas);

// Number of pixels in [left, right) x [top, bottom) that are not `rgb`.
int CountPixelsNot(const Canvas& canvas, int left, int top, int right, int bottom, uint32_t rgb);

// "" when every pixel of the canvas is `picture` drawn at (left, top),
// plain or mirrored (see MirrorShift), each colour passed through `seen`
// when given, and `backdrop` where the picture does not reach; else how
// many pixels are wrong and which is the first.
std::string PictureMismatch(const Canvas& canvas, const Picture& picture, int left, int top, bool mirrored,
                            uint32_t backdrop, uint32_t (*seen)(uint32_t) = nullptr);

// Pixel of any device context through GetPixel, as 0xRRGGBB.
uint32_t DcPixel(HDC dc, int x, int y);

// Number of pixels of a device context in the rectangle that are not `rgb`.
int CountDcPixelsNot(HDC dc, int left, int top, int right, int bottom, uint32_t rgb);
