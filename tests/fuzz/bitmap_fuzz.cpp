// Fuzz target over the check of a sprite file's bytes. Whatever it accepts
// must lie wholly inside the bytes given, and must keep every read that the
// decoder makes from the layout it describes inside them too: each byte so
// named is read here from an exact-size copy, so AddressSanitizer stops at
// the first one outside. Inputs with an odd first byte are taken as they
// come; the others are laid over a well-formed file first, so that the
// accepting paths are reached often. The skin authors' line for the same
// bytes reads them too, with the shown pixels in an exact-size buffer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "sprites/BitmapCheck.h"
#include "sprites/FrameReport.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

uint32_t Little(const uint8_t* p, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

// Well-formed starting points: 24 bits, 8 bits with four colours, a core
// header at 4 bits, a V5 header with bit fields, run-length 8 bits, and
// 32 bits a little larger than what shows.
struct Template {
    uint32_t headerBytes, width, height, bits, compression, coloursUsed, imageSize, tableBytes, pixelBytes;
};
const Template Templates[] = {
    {40, 3, 2, 24, BitmapRgb, 0, 0, 0, 24},
    {40, 5, 3, 8, BitmapRgb, 4, 0, 16, 24},
    {12, 5, 3, 4, BitmapRgb, 0, 0, 48, 12},
    {124, 2, 2, 32, BitmapBitFields, 0, 0, 0, 16},
    {40, 9, 4, 8, BitmapRle8, 2, 12, 8, 12},
    {40, 61, 61, 32, BitmapRgb, 0, 0, 0, 61 * 61 * 4},
};

void Put(uint8_t* bytes, size_t size, size_t at, uint32_t value, int count)
{
    for (int i = 0; i < count && at + i < size; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A template file, then the input as (place, value) pairs over its first
// 64 bytes and the last input byte as a change of its length.
std::unique_ptr<uint8_t[]> OverTemplate(const uint8_t* data, size_t size, size_t& length)
{
    const Template& t = Templates[size > 0 ? data[0] % (sizeof Templates / sizeof Templates[0]) : 0];
    const uint32_t pixelsAt = 14 + t.headerBytes + (t.headerBytes == 40 && t.compression == BitmapBitFields ? 12 : 0) +
                              t.tableBytes;
    length = pixelsAt + t.pixelBytes;
    if (size > 1) length = length + data[size - 1] % 17 - 8;
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[length]);
    std::memset(bytes.get(), 0x5A, length);
    uint8_t* b = bytes.get();
    Put(b, length, 0, 'B' | 'M' << 8, 2);
    Put(b, length, 10, pixelsAt, 4);
    Put(b, length, 14, t.headerBytes, 4);
    if (t.headerBytes == 12) {
        Put(b, length, 18, t.width, 2);
        Put(b, length, 20, t.height, 2);
        Put(b, length, 22, 1, 2);
        Put(b, length, 24, t.bits, 2);
    } else {
        Put(b, length, 18, t.width, 4);
        Put(b, length, 22, t.height, 4);
        Put(b, length, 26, 1, 2);
        Put(b, length, 28, t.bits, 2);
        Put(b, length, 30, t.compression, 4);
        Put(b, length, 34, t.imageSize, 4);
        Put(b, length, 46, t.coloursUsed, 4);
    }
    for (size_t i = 1; i + 1 < size; i += 2) Put(b, length, data[i] % 64, data[i + 1], 1);
    return bytes;
}

volatile uint32_t sink;

// What Windows showed, as the report takes it: a global, so that
// AddressSanitizer guards its ends too.
uint32_t shown[ShownSide * ShownSide];

// The line names the file, ends inside its buffer, and is an error exactly
// when the file is refused or Windows made no picture of it.
void CheckReport(const uint8_t* bytes, size_t size, const BitmapLayout& layout, uint8_t colours)
{
    // The key colour, a colour near it, or another, all over; some of the
    // file's bytes as grey over the top row.
    const uint32_t fills[] = {KeyColour, 0x40BF40, 0x41FF00, 0x000000};
    std::fill_n(shown, ShownSide * ShownSide, fills[colours & 3]);
    for (size_t i = 0; i < size && i < size_t(ShownSide); i += 3) shown[i] = bytes[i] * 0x010101u;
    const bool decoded = (colours & 12) != 12;
    char line[200];
    const FrameFile file = {FrameWasRead, bytes, size, decoded ? shown : nullptr};
    const FrameVerdict verdict = ReportFrame(line, sizeof line, "f.bmp", file);
    const size_t length = strnlen(line, sizeof line);
    Check(length < sizeof line && std::strncmp(line, "f.bmp: ", 7) == 0, "the line names the file and ends");
    Check((verdict == FrameError) == (!layout.usable || !decoded), "an error exactly when it does not show");
    Check((verdict == FrameOk) == (std::strcmp(line + length - 4, ": ok") == 0), "ok exactly when it says so");
}

void CheckLayout(const uint8_t* bytes, size_t size, uint8_t colours)
{
    const BitmapLayout layout = CheckBitmapFile(bytes, size);
    Check(layout.usable == (layout.refusal == BitmapAccepted), "a reason exactly when refused");
    // One input in four: the report's pass over every shown pixel costs
    // more than the check itself.
    if (size > 0 && (colours & 0x30) == 0) CheckReport(bytes, size, layout, colours);
    if (!layout.usable) return;
    const uint64_t rows = layout.height < 0 ? -static_cast<int64_t>(layout.height) : layout.height;
    Check(layout.width >= 1 && layout.width <= MaxSpriteSide && rows >= 1 && rows <= uint64_t(MaxSpriteSide),
          "sides within the limits");
    const uint64_t rowBytes = (uint64_t(layout.width) * layout.bits + 31) / 32 * 4;
    Check(rowBytes * rows <= MaxSpritePixelBytes, "decoded pixels within the limit");
    const bool runLength = layout.compression == BitmapRle8 || layout.compression == BitmapRle4;
    Check(runLength ? layout.pixelBytes == Little(bytes + 34, 4) : layout.pixelBytes == rowBytes * rows,
          "pixel bytes as the layout needs them");

    // The headers, masks and table: inside the bytes, and inside the copy
    // that the drawing code makes of them.
    Check(layout.infoEnd >= 14 + layout.headerBytes && layout.infoEnd <= size, "headers inside");
    Check(layout.infoEnd - 14 <= MaxBitmapInfoBytes, "headers fit the drawing code's copy");
    if (layout.compression == BitmapBitFields) Check(layout.infoEnd >= 14 + 52, "masks inside");
    if (layout.bits <= 8) {
        // The decoder takes the colours the header names, up to what the
        // depth allows, or all of those when it names none.
        const uint32_t named = layout.headerBytes == 12 ? 0 : Little(bytes + 46, 4);
        const uint32_t all = 1u << layout.bits;
        const uint32_t taken = named == 0 || named > all ? all : named;
        Check(layout.colourCount >= taken, "the decoder's colours inside the table");
        Check(Little(bytes + 10, 4) != 0 || named <= all, "no offset only where the table has one length");
    }
    Check(layout.pixelsAt >= layout.infoEnd, "pixels after the table");
    Check(uint64_t(layout.pixelsAt) + layout.pixelBytes <= size, "pixels inside");

    uint32_t sum = 0;
    for (uint32_t i = 0; i < layout.infoEnd; ++i) sum += bytes[i];
    for (uint32_t i = 0; i < layout.pixelBytes; ++i) sum += bytes[layout.pixelsAt + i];
    sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    if (data[0] & 1) {
        // An exact-size copy, so that a read one past the end faults.
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[size - 1]);
        std::memcpy(bytes.get(), data + 1, size - 1);
        CheckLayout(bytes.get(), size - 1, data[size - 1]);
    } else {
        size_t length = 0;
        const std::unique_ptr<uint8_t[]> bytes = OverTemplate(data + 1, size - 1, length);
        CheckLayout(bytes.get(), length, data[size - 1]);
    }
    return 0;
}
