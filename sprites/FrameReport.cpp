#include "sprites/FrameReport.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sprites/AnimationCatalogue.h"
#include "sprites/LittleEndian.h"

namespace {

struct Line {
    char* text;
    size_t size;
    size_t length;
};

void Append(Line& line, const char* format, ...)
{
    if (line.length + 1 >= line.size) return;
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(line.text + line.length, line.size - line.length, format, arguments);
    va_end(arguments);
    if (written > 0) line.length += static_cast<size_t>(written);
    if (line.length >= line.size) line.length = line.size - 1;
}

unsigned long long Rows(const BitmapLayout& layout)
{
    return layout.height < 0 ? -static_cast<long long>(layout.height) : static_cast<long long>(layout.height);
}

// In MiB with one decimal, rounded up, so that a size over the limit never
// reads as the limit itself.
void AppendMiB(Line& line, uint64_t bytes)
{
    uint64_t whole = bytes >> 20;
    uint64_t tenths = ((bytes & 0xFFFFF) * 10 + 0xFFFFF) >> 20;
    if (tenths == 10) ++whole, tenths = 0;
    if (tenths == 0)
        Append(line, "%llu MiB", static_cast<unsigned long long>(whole));
    else
        Append(line, "%llu.%llu MiB", static_cast<unsigned long long>(whole), static_cast<unsigned long long>(tenths));
}

void AppendCompression(Line& line, uint32_t compression)
{
    static const char* const names[] = {"BI_RGB (none)", "BI_RLE8", "BI_RLE4", "BI_BITFIELDS", "BI_JPEG", "BI_PNG"};
    if (compression < sizeof names / sizeof names[0])
        Append(line, "compression %s", names[compression]);
    else
        Append(line, "compression %u", compression);
}

void AppendRefusal(Line& line, const BitmapLayout& layout)
{
    static const char* const signatures[] = {"", "PNG", "JPEG", "GIF"};
    const char* kind = "a kind of BMP that Windows does not draw: ";
    switch (layout.refusal) {
    case BitmapNotBmp:
        if (layout.signature != SignatureNone)
            Append(line, "not a BMP but a %s; save it as a BMP", signatures[layout.signature]);
        else
            Append(line, "not a BMP (it does not start with \"BM\")");
        break;
    case BitmapUnknownHeader:
        Append(line, "%sa header of %u bytes", kind, layout.headerBytes);
        break;
    case BitmapNoPixels:
        Append(line, "%s%d x %lld pixels", kind, layout.width, static_cast<long long>(layout.height));
        break;
    case BitmapNotOnePlane:
        Append(line, "%s%u colour planes, not 1", kind, layout.planes);
        break;
    case BitmapDepthNotDrawn:
        Append(line, "%s%u bits per pixel", kind, layout.bits);
        if (layout.headerBytes == BitmapCoreHeaderBytes) {
            Append(line, " in a 12-byte header");
            break;
        }
        Append(line, ", ");
        AppendCompression(line, layout.compression);
        if (layout.compression == BitmapRle8 || layout.compression == BitmapRle4) {
            if (layout.height < 0) Append(line, ", stored top-down");
            if (layout.imageSize == 0) Append(line, ", without the size of its data");
        }
        break;
    case BitmapOverLimits:
        Append(line, "over the limits: %d x %llu pixels at %u bits, ", layout.width, Rows(layout), layout.bits);
        AppendMiB(line, layout.decodedBytes);
        Append(line, " decoded; the limits are %d pixels a side and %u MiB decoded", MaxSpriteSide,
               MaxSpritePixelBytes >> 20);
        break;
    case BitmapPixelsInsideHeaders:
        Append(line, "broken: its pixels would start at byte %u, inside its headers and colours, which end at byte %u",
               layout.pixelsAt, layout.infoEnd);
        break;
    case BitmapPixelsInDoubt:
        Append(line,
               "broken: where its pixels start is in doubt: it gives no offset to them and names %u colours, where "
               "%u bit%s allow%s %u",
               layout.coloursNamed, layout.bits, layout.bits == 1 ? "" : "s", layout.bits == 1 ? "s" : "",
               1u << layout.bits);
        break;
    case BitmapCutShort:
        Append(line, "cut short: %llu bytes of the %llu it needs", static_cast<unsigned long long>(layout.bytesPresent),
               static_cast<unsigned long long>(layout.bytesNeeded));
        break;
    case BitmapAccepted:
        break;
    }
}

bool NearKey(uint32_t rgb)
{
    const uint32_t red = rgb >> 16 & 0xFF, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
    return (rgb & 0xFFFFFF) != KeyColour && red <= NearKeyDistance && green >= 255 - NearKeyDistance &&
           blue <= NearKeyDistance;
}

// Pixels that show and whose alpha asks for some see-through: Windows draws
// every pixel opaque and takes only the key colour as see-through. Alpha is
// whatever bits of a 16- or 32-bit pixel the colours leave; a picture whose
// alpha bits are all clear has none.
uint32_t CountIgnoredAlpha(const uint8_t* bytes, const BitmapLayout& layout, const uint32_t* shown)
{
    if (layout.bits != 16 && layout.bits != 32) return 0;
    uint32_t colourBits = layout.bits == 32 ? 0x00FFFFFFu : 0x7FFFu;
    if (layout.compression == BitmapBitFields) {
        // After a 40-byte header, or inside the larger ones: the same place.
        const uint8_t* masks = bytes + BitmapFileHeaderBytes + 40;
        colourBits = ReadLittle32(masks) | ReadLittle32(masks + 4) | ReadLittle32(masks + 8);
    }
    const uint32_t alphaBits = ~colourBits & (layout.bits == 32 ? 0xFFFFFFFFu : 0xFFFFu);
    if (alphaBits == 0) return 0;
    const uint64_t rows = Rows(layout), rowBytes = (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
    const uint64_t shownRows = rows < ShownSide ? rows : ShownSide;
    const int32_t shownColumns = layout.width < ShownSide ? layout.width : ShownSide;
    bool anyAlpha = false;
    uint32_t count = 0;
    for (uint64_t y = 0; y < shownRows; ++y) {
        const uint64_t fileRow = layout.height < 0 ? y : rows - 1 - y;
        const uint8_t* row = bytes + layout.pixelsAt + fileRow * rowBytes;
        for (int32_t x = 0; x < shownColumns; ++x) {
            const uint32_t pixel = layout.bits == 32 ? ReadLittle32(row + 4 * x) : ReadLittle16(row + 2 * x);
            const uint32_t alpha = pixel & alphaBits;
            anyAlpha = anyAlpha || alpha != 0;
            if (alpha != alphaBits && (shown[y * ShownSide + x] & 0xFFFFFF) != KeyColour) ++count;
        }
    }
    return anyAlpha ? count : 0;
}

// "warning: " before the first, "; " between them.
void StartWarning(Line& line, bool& first)
{
    Append(line, first ? "warning: " : "; ");
    first = false;
}

// `format` takes the count, then "s" after a plural noun, then "s" after a
// singular verb.
void AppendCountWarning(Line& line, bool& first, const char* format, uint32_t count)
{
    StartWarning(line, first);
    Append(line, format, count, count == 1 ? "" : "s", count == 1 ? "s" : "");
}

}  // namespace

void ListSkinFrames(char names[SkinFrameCount][8])
{
    int32_t listed = 0;
    for (int32_t row = 0; row < AnimationRows; ++row) {
        const AnimationEntry& entry = AnimationCatalogue[row];
        bool seen = false;
        for (int32_t before = 0; before < row; ++before)
            seen = seen || std::strcmp(AnimationCatalogue[before].stem, entry.stem) == 0;
        for (int32_t frame = 0; !seen && frame < entry.frameCount && listed < SkinFrameCount; ++frame)
            std::snprintf(names[listed++], 8, "%.6s%d", entry.stem, static_cast<int>(frame % 10));
    }
    while (listed < SkinFrameCount) names[listed++][0] = '\0';
}

FrameVerdict ReportFrame(char* text, size_t size, const char* fileName, const FrameFile& file)
{
    if (size == 0) return FrameError;
    Line line = {text, size, 0};
    text[0] = '\0';
    Append(line, "%s: ", fileName);
    if (file.read == FrameTooLong) {
        // Its headers may tell of a picture over the limits; else it is
        // longer than any picture within them.
        const BitmapLayout layout = CheckBitmapFile(file.bytes, file.size);
        if (layout.refusal == BitmapOverLimits || layout.refusal == BitmapNotBmp) {
            Append(line, "error: ");
            AppendRefusal(line, layout);
            return FrameError;
        }
        Append(line, "error: over the limits: a file of ");
        AppendMiB(line, file.fileSize);
        Append(line, ", longer than any picture within them (");
        AppendMiB(line, MaxSpriteFileBytes);
        Append(line, " at most)");
        return FrameError;
    }
    if (file.read != FrameWasRead) {
        Append(line, file.read == FrameMissing ? "error: missing" : "error: cannot be read");
        return FrameError;
    }
    const BitmapLayout layout = CheckBitmapFile(file.bytes, file.size);
    if (!layout.usable || file.shown == nullptr) {
        Append(line, "error: ");
        if (layout.usable)
            Append(line, "Windows made no picture of it");
        else
            AppendRefusal(line, layout);
        return FrameError;
    }

    bool first = true;
    uint32_t nearKey = 0;
    for (int32_t i = 0; i < ShownSide * ShownSide; ++i) nearKey += NearKey(file.shown[i]) ? 1 : 0;
    if (nearKey != 0)
        AppendCountWarning(line, first, "%u pixel%s near the key colour #00FF00 show%s as a green fringe", nearKey);
    const uint32_t alpha = CountIgnoredAlpha(file.bytes, layout, file.shown);
    if (alpha != 0)
        AppendCountWarning(line, first, "alpha is ignored: %u pixel%s meant to be see-through show%s opaque", alpha);
    if (layout.width > ShownSide || Rows(layout) > static_cast<unsigned long long>(ShownSide)) {
        StartWarning(line, first);
        Append(line, "only the top-left %d x %d of its %d x %llu pixels shows", ShownSide, ShownSide, layout.width,
               Rows(layout));
    }
    if (first) Append(line, "ok");
    return first ? FrameOk : FrameWarning;
}
