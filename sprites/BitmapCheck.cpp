#include "sprites/BitmapCheck.h"

#include <cstring>

#include "sprites/LittleEndian.h"

namespace {

bool KnownHeaderSize(uint32_t bytes)
{
    return bytes == BitmapCoreHeaderBytes || bytes == 40 || bytes == 52 || bytes == 56 || bytes == 64 ||
           bytes == 108 || bytes == 124;
}

// The combinations that GDI decodes; it refuses the others, so they are
// refused here before any of their bytes is handed over. The core header
// allows fewer: "bcBitCount: The number of bits-per-pixel. This value must
// be 1, 4, 8, or 24." (BITMAPCOREHEADER structure, learn.microsoft.com).
bool DepthFitsCompression(const BitmapLayout& layout)
{
    const uint32_t bits = layout.bits;
    if (layout.headerBytes == BitmapCoreHeaderBytes) return bits == 1 || bits == 4 || bits == 8 || bits == 24;
    switch (layout.compression) {
    case BitmapRgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BitmapBitFields:
        return bits == 16 || bits == 32;
    case BitmapRle8:
    case BitmapRle4:
        // Run-length data has no row order of its own and its length only
        // in the header.
        return bits == (layout.compression == BitmapRle8 ? 8u : 4u) && layout.height > 0 && layout.imageSize != 0;
    default:
        return false;
    }
}

FileSignature SignatureOf(const uint8_t* bytes, size_t size)
{
    auto startsWith = [&](const char* start, size_t length) {
        return size >= length && std::memcmp(bytes, start, length) == 0;
    };
    if (startsWith("\x89PNG\r\n\x1a\n", 8)) return SignaturePng;
    if (startsWith("\xFF\xD8\xFF", 3)) return SignatureJpeg;
    if (startsWith("GIF87a", 6) || startsWith("GIF89a", 6)) return SignatureGif;
    return SignatureNone;
}

BitmapLayout& Refuse(BitmapLayout& layout, BitmapRefusal refusal)
{
    layout.refusal = refusal;
    return layout;
}

BitmapLayout& CutShort(BitmapLayout& layout, uint64_t bytesNeeded)
{
    layout.bytesNeeded = bytesNeeded;
    return Refuse(layout, BitmapCutShort);
}

}  // namespace

BitmapLayout CheckBitmapFile(const uint8_t* bytes, size_t size)
{
    BitmapLayout layout = {};
    layout.bytesPresent = size;
    const uint32_t fileHeader = BitmapFileHeaderBytes;
    // One byte is enough to tell a file that is no bitmap from one cut short.
    if ((size >= 1 && bytes[0] != 'B') || (size >= 2 && bytes[1] != 'M')) {
        layout.signature = SignatureOf(bytes, size);
        return Refuse(layout, BitmapNotBmp);
    }
    if (size < fileHeader + 4) return CutShort(layout, fileHeader + 4);
    layout.headerBytes = ReadLittle32(bytes + fileHeader);
    if (!KnownHeaderSize(layout.headerBytes)) return Refuse(layout, BitmapUnknownHeader);
    if (size < fileHeader + layout.headerBytes) return CutShort(layout, fileHeader + layout.headerBytes);

    const uint8_t* header = bytes + fileHeader;
    if (layout.headerBytes == BitmapCoreHeaderBytes) {
        layout.width = static_cast<int32_t>(ReadLittle16(header + 4));
        layout.height = static_cast<int32_t>(ReadLittle16(header + 6));
        layout.planes = ReadLittle16(header + 8);
        layout.bits = ReadLittle16(header + 10);
        layout.compression = BitmapRgb;
        layout.colourEntryBytes = 3;
    } else {
        layout.width = static_cast<int32_t>(ReadLittle32(header + 4));
        layout.height = static_cast<int32_t>(ReadLittle32(header + 8));
        layout.planes = ReadLittle16(header + 12);
        layout.bits = ReadLittle16(header + 14);
        layout.compression = ReadLittle32(header + 16);
        layout.imageSize = ReadLittle32(header + 20);
        layout.coloursNamed = ReadLittle32(header + 32);
        layout.colourEntryBytes = 4;
    }
    // Compared as 64 bits: the height may be the 32-bit minimum.
    const int64_t rows = layout.height < 0 ? -static_cast<int64_t>(layout.height) : layout.height;
    if (layout.width <= 0 || rows == 0) return Refuse(layout, BitmapNoPixels);
    // "biPlanes: This value must be set to 1." (BITMAPINFOHEADER), and
    // "bcPlanes: ... This value must be 1." (BITMAPCOREHEADER).
    if (layout.planes != 1) return Refuse(layout, BitmapNotOnePlane);
    if (!DepthFitsCompression(layout)) return Refuse(layout, BitmapDepthNotDrawn);

    // Below 2^64 for any width and height: at most 4 (2^31 - 1) bytes a row
    // at 32 bits, times at most 2^31 rows.
    const uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
    layout.decodedBytes = rowBytes * static_cast<uint64_t>(rows);
    if (layout.width > MaxSpriteSide || rows > MaxSpriteSide || layout.decodedBytes > MaxSpritePixelBytes)
        return Refuse(layout, BitmapOverLimits);

    // The larger headers hold the masks themselves; after the 40-byte one
    // they follow it.
    if (layout.compression == BitmapBitFields && layout.headerBytes == 40) layout.masksBytes = 12;
    // As many colours as GDI reads: "If biClrUsed is nonzero and the
    // biBitCount member is less than 16, the biClrUsed member specifies the
    // actual number of colors the graphics engine or device driver
    // accesses" (BITMAPINFOHEADER structure, learn.microsoft.com), and "If
    // this value is nonzero and greater than the maximum possible size of
    // the color table based on the BitCount value, the maximum color table
    // size SHOULD be assumed" ([MS-WMF] 2.2.2.3 BitmapInfoHeader Object);
    // none named means all that the depth allows. Above 8 bits a table is
    // optional, and taken as named (a loader takes at most 256).
    const uint32_t depthColours = layout.bits <= 8 ? 1u << layout.bits : 256;
    const uint32_t named = layout.coloursNamed;
    if (named != 0)
        layout.colourCount = named > depthColours ? depthColours : named;
    else if (layout.bits <= 8)
        layout.colourCount = depthColours;
    // No offset means right after the table, and a table named longer than
    // the depth allows has no one length: the drawing takes 2^bits colours,
    // Wine's loader as many as are named up to 256, and no documented
    // reading settles which. The pixels' start would be a guess.
    const uint32_t offset = ReadLittle32(bytes + 10);
    if (offset == 0 && layout.bits <= 8 && named > depthColours) return Refuse(layout, BitmapPixelsInDoubt);
    layout.infoEnd = fileHeader + layout.headerBytes + layout.masksBytes + layout.colourCount * layout.colourEntryBytes;
    if (layout.infoEnd > size) return CutShort(layout, layout.infoEnd);

    const bool runLength = layout.compression == BitmapRle8 || layout.compression == BitmapRle4;
    layout.pixelBytes = runLength ? layout.imageSize : static_cast<uint32_t>(layout.decodedBytes);

    // No offset means right after the table; an offset into the headers or
    // the table would hand them over as pixels.
    layout.pixelsAt = offset != 0 ? offset : layout.infoEnd;
    if (layout.pixelsAt < layout.infoEnd) return Refuse(layout, BitmapPixelsInsideHeaders);
    const uint64_t end = static_cast<uint64_t>(layout.pixelsAt) + layout.pixelBytes;
    if (end > size) return CutShort(layout, end);
    layout.usable = true;
    return layout;
}
