#include "sprites/BitmapCheck.h"

namespace {

uint32_t Little16(const uint8_t* p) { return p[0] | static_cast<uint32_t>(p[1]) << 8; }

uint32_t Little32(const uint8_t* p) { return Little16(p) | Little16(p + 2) << 16; }

bool KnownHeaderSize(uint32_t bytes)
{
    return bytes == BitmapCoreHeaderBytes || bytes == 40 || bytes == 52 || bytes == 56 || bytes == 64 ||
           bytes == 108 || bytes == 124;
}

// The combinations that GDI decodes; it refuses the others, so they are
// refused here before any of their bytes is handed over.
bool DepthFitsCompression(uint32_t bits, uint32_t compression, int32_t height, uint32_t imageSize)
{
    switch (compression) {
    case BitmapRgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BitmapBitFields:
        return bits == 16 || bits == 32;
    case BitmapRle8:
    case BitmapRle4:
        // Run-length data has no row order of its own and its length only
        // in the header.
        return bits == (compression == BitmapRle8 ? 8u : 4u) && height > 0 && imageSize != 0;
    default:
        return false;
    }
}

}  // namespace

BitmapLayout CheckBitmapFile(const uint8_t* bytes, size_t size)
{
    BitmapLayout layout = {};
    const uint32_t fileHeader = BitmapFileHeaderBytes;
    if (size < fileHeader + 4 || bytes[0] != 'B' || bytes[1] != 'M') return layout;
    layout.headerBytes = Little32(bytes + fileHeader);
    if (!KnownHeaderSize(layout.headerBytes) || size < fileHeader + layout.headerBytes) return layout;

    const uint8_t* header = bytes + fileHeader;
    uint32_t planes, imageSize = 0, coloursUsed = 0;
    if (layout.headerBytes == BitmapCoreHeaderBytes) {
        layout.width = static_cast<int32_t>(Little16(header + 4));
        layout.height = static_cast<int32_t>(Little16(header + 6));
        planes = Little16(header + 8);
        layout.bits = Little16(header + 10);
        layout.compression = BitmapRgb;
        layout.colourEntryBytes = 3;
    } else {
        layout.width = static_cast<int32_t>(Little32(header + 4));
        layout.height = static_cast<int32_t>(Little32(header + 8));
        planes = Little16(header + 12);
        layout.bits = Little16(header + 14);
        layout.compression = Little32(header + 16);
        imageSize = Little32(header + 20);
        coloursUsed = Little32(header + 32);
        layout.colourEntryBytes = 4;
    }
    // Compared as 64 bits: the height may be the 32-bit minimum.
    const int64_t rows = layout.height < 0 ? -static_cast<int64_t>(layout.height) : layout.height;
    if (layout.width <= 0 || rows == 0 || layout.width > MaxSpriteSide || rows > MaxSpriteSide || planes == 0)
        return layout;
    if (!DepthFitsCompression(layout.bits, layout.compression, layout.height, imageSize)) return layout;

    // The larger headers hold the masks themselves; after the 40-byte one
    // they follow it.
    if (layout.compression == BitmapBitFields && layout.headerBytes == 40) layout.masksBytes = 12;
    // As many colours as the header names (a loader takes at most 256), or
    // all that the depth allows when it names none.
    if (coloursUsed != 0)
        layout.colourCount = coloursUsed > 256 ? 256 : coloursUsed;
    else if (layout.bits <= 8)
        layout.colourCount = 1u << layout.bits;
    layout.infoEnd = fileHeader + layout.headerBytes + layout.masksBytes + layout.colourCount * layout.colourEntryBytes;
    if (layout.infoEnd > size) return layout;

    const uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
    const uint64_t decodedBytes = rowBytes * static_cast<uint64_t>(rows);
    if (decodedBytes > MaxSpritePixelBytes) return layout;
    const bool runLength = layout.compression == BitmapRle8 || layout.compression == BitmapRle4;
    layout.pixelBytes = runLength ? imageSize : static_cast<uint32_t>(decodedBytes);

    // No offset means right after the table; an offset into the headers or
    // the table would hand them over as pixels.
    const uint32_t offset = Little32(bytes + 10);
    if (offset != 0 && offset < layout.infoEnd) return layout;
    layout.pixelsAt = offset != 0 ? offset : layout.infoEnd;
    layout.usable = static_cast<uint64_t>(layout.pixelsAt) + layout.pixelBytes <= size;
    return layout;
}
