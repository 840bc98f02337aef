#include "support/Canvas.h"

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

int CountPixelsNot(const Canvas& canvas, int left, int top, int right, int bottom, uint32_t rgb)
{
    GdiFlush();
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if ((canvas.bits[static_cast<size_t>(y) * canvas.width + x] & 0xFFFFFF) != rgb) ++count;
    return count;
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
