#include "support/Canvas.h"

#include <cstdio>

Canvas MakeCanvas(int width, int height, uint32_t rgb)
{
    Canvas canvas = {nullptr, nullptr, nullptr, nullptr, width, height};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return canvas;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        DeleteObject(bitmap);
        return canvas;
    }
    canvas.dc = dc;
    canvas.bitmap = bitmap;
    canvas.previousBitmap = SelectObject(dc, bitmap);
    canvas.bits = static_cast<uint32_t*>(bits);
    FillCanvas(canvas, rgb);
    return canvas;
}

void FreeCanvas(Canvas& canvas)
{
    if (canvas.dc != nullptr) {
        SelectObject(canvas.dc, canvas.previousBitmap);
        DeleteDC(canvas.dc);
    }
    if (canvas.bitmap != nullptr) DeleteObject(canvas.bitmap);
    canvas = Canvas{nullptr, nullptr, nullptr, nullptr, 0, 0};
}

Canvas CopyOfDc(HDC dc, int width, int height)
{
    Canvas copy = MakeCanvas(width, height, 0);
    if (copy.dc != nullptr) BitBlt(copy.dc, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    return copy;
}

void FillCanvas(Canvas& canvas, uint32_t rgb)
{
    GdiFlush();
    const size_t count = static_cast<size_t>(canvas.width) * canvas.height;
    for (size_t i = 0; i < count; ++i) canvas.bits[i] = rgb;
}

uint32_t CanvasPixel(const Canvas& canvas, int x, int y)
{
    // GDI may batch drawing calls; the bits are only current after a flush.
    GdiFlush();
    return canvas.bits[static_cast<size_t>(y) * canvas.width + x] & 0xFFFFFF;
}

std::vector<uint32_t> CanvasPixels(const Canvas& canvas)
{
    GdiFlush();
    std::vector<uint32_t> pixels(canvas.bits, canvas.bits + static_cast<size_t>(canvas.width) * canvas.height);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

int CountPixelsNot(const Canvas& canvas, int left, int top, int right, int bottom, uint32_t rgb)
{
    GdiFlush();
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if ((canvas.bits[static_cast<size_t>(y) * canvas.width + x] & 0xFFFFFF) != rgb) ++count;
    return count;
}

std::string PictureMismatch(const Canvas& canvas, const Picture& picture, int left, int top, bool mirrored,
                            uint32_t backdrop, uint32_t (*seen)(uint32_t))
{
    const std::vector<uint32_t> pixels = CanvasPixels(canvas);
    int wrong = 0;
    char first[80] = "";
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            uint32_t want = backdrop;
            if (DrawnPicturePixel(picture, left, top, mirrored, x, y, want) && seen != nullptr) want = seen(want);
            const uint32_t got = pixels[static_cast<size_t>(y) * canvas.width + x];
            if (got != want && wrong++ == 0)
                std::snprintf(first, sizeof first, "the first at (%d, %d) is %06X, not %06X", x, y,
                              static_cast<unsigned>(got), static_cast<unsigned>(want));
        }
    }
    return wrong == 0 ? "" : std::to_string(wrong) + " pixels wrong; " + first;
}

uint32_t DcPixel(HDC dc, int x, int y)
{
    const COLORREF c = GetPixel(dc, x, y);
    if (c == CLR_INVALID) return 0xFFFFFFFF;
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

int CountDcPixelsNot(HDC dc, int left, int top, int right, int bottom, uint32_t rgb)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (DcPixel(dc, x, y) != rgb) ++count;
    return count;
}
