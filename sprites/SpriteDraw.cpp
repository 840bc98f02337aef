#include "sprites/SpriteDraw.h"

#include <cstdint>

#include "app/MascotState.h"
#include "app/ShellState.h"
#include "sprites/SpritePath.h"

namespace {

uint32_t Little16(const unsigned char* p) { return p[0] | static_cast<uint32_t>(p[1]) << 8; }

uint32_t Little32(const unsigned char* p) { return Little16(p) | Little16(p + 2) << 16; }

const DWORD FileHeaderSize = 14;
const DWORD LargestInfoHeader = 124;

// True when the file holds every byte that its headers send a loader to:
// the info header, the colour table or masks, and the pixels. Wine's loader
// reads a bitmap file through a mapping of it and believes its headers, so
// a file cut short (such as one being saved while the mascot paints) or one
// whose pixel offset points past its end crashes the process there.
bool HeadersFitTheFile(const unsigned char* head, DWORD got, uint64_t fileSize)
{
    if (got < FileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M') return false;
    const uint32_t pixelOffset = Little32(head + 10);
    const uint32_t infoSize = Little32(head + 14);
    const bool core = infoSize == 12;
    if (!core && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 64 && infoSize != 108 &&
        infoSize != LargestInfoHeader)
        return false;
    if (got < FileHeaderSize + infoSize) return false;

    int64_t width, height;
    uint32_t bits, compression = BI_RGB, imageSize = 0, coloursUsed = 0;
    if (core) {
        width = Little16(head + 18);
        height = Little16(head + 20);
        bits = Little16(head + 24);
    } else {
        width = static_cast<int32_t>(Little32(head + 18));
        height = static_cast<int32_t>(Little32(head + 22));
        bits = Little16(head + 28);
        compression = Little32(head + 30);
        imageSize = Little32(head + 34);
        coloursUsed = Little32(head + 46);
    }
    if (width <= 0 || height == 0) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);

    // Loaders take at most 256 colours, and all that the depth allows
    // when the header names none; masks may follow the header.
    uint64_t colours = coloursUsed > 256 ? 256 : coloursUsed;
    if (colours == 0 && bits <= 8) colours = uint64_t(1) << bits;
    const uint64_t tableEnd = FileHeaderSize + infoSize + colours * (core ? 3 : 4) +
                              (compression == BI_BITFIELDS ? 12 : 0);
    if (tableEnd > fileSize) return false;

    uint64_t pixelBytes = 0;
    uint64_t rowBytes = 0;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS:
        // Rows are counted against the file first: the product of the two
        // sizes could pass 64 bits.
        rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
        if (rows > fileSize / rowBytes) return false;
        pixelBytes = rowBytes * rows;
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (imageSize == 0) return false;
        pixelBytes = imageSize;
        break;
    default:
        return false;
    }
    if (pixelOffset != 0 && pixelOffset < FileHeaderSize) return false;
    const uint64_t pixelsAt = pixelOffset != 0 ? pixelOffset : tableEnd;
    return pixelsAt + pixelBytes <= fileSize;
}

// Loads the file as a bitmap when its headers fit it. The file stays open
// meanwhile, shared for reading only, so that nobody can cut it between
// the check and the load.
HBITMAP LoadWholeBitmap(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    unsigned char head[FileHeaderSize + LargestInfoHeader];
    DWORD got = 0;
    LARGE_INTEGER size = {};
    HBITMAP bitmap = nullptr;
    if (GetFileSizeEx(file, &size) && ReadFile(file, head, sizeof head, &got, nullptr) &&
        HeadersFitTheFile(head, got, static_cast<uint64_t>(size.QuadPart)))
        bitmap = static_cast<HBITMAP>(
            LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    CloseHandle(file);
    return bitmap;
}

void DrawSpriteFile(HDC dc, int x, int y, const char* name, bool mirrored)
{
    char path[32];
    BuildSpritePath(path, sizeof path, mascot.skinIndex, name);
    HBITMAP bitmap = LoadWholeBitmap(path);
    // A missing, unreadable or incomplete file draws nothing: its size would be unset.
    if (bitmap == nullptr) return;
    BITMAP info = {};
    if (GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
        DeleteObject(bitmap);
        return;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    HDC memoryDC = CreateCompatibleDC(dc);
    SelectObject(memoryDC, bitmap);
    if (mirrored)
        StretchBlt(dc, x + width, y, -width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    else
        StretchBlt(dc, x, y, width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    // The DC goes first so that the bitmap is no longer selected anywhere.
    DeleteDC(memoryDC);
    DeleteObject(bitmap);
}

}  // namespace

void SpriteDraw(HDC dc, int x, int y, const char* name) { DrawSpriteFile(dc, x, y, name, false); }

void SpriteDrawMirrored(HDC dc, int x, int y, const char* name) { DrawSpriteFile(dc, x, y, name, true); }

void ClearToKey(HDC dc)
{
    HPEN pen = CreatePen(PS_SOLID, 10, ColourKey);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    // Hatch style 6 is no hatch pattern: GDI makes it a solid brush.
    HBRUSH brush = CreateHatchBrush(6, ColourKey);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, 1920, 1200);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}
