#include "support/BmpFixture.h"

#include <windows.h>

#include <algorithm>

#include "support/TestFolder.h"

namespace {

void Append16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Append32(std::vector<uint8_t>& out, uint32_t v)
{
    Append16(out, v & 0xFFFF);
    Append16(out, v >> 16);
}

uint32_t Pack555(uint32_t rgb)
{
    const uint32_t r = (rgb >> 19) & 31, g = (rgb >> 11) & 31, b = (rgb >> 3) & 31;
    return (r << 10) | (g << 5) | b;
}
// The top bits of each channel of `rgb`, placed where its mask says.
uint32_t PackFields(uint32_t rgb, const uint32_t masks[3])
{
    uint32_t packed = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const uint32_t mask = masks[channel];
        if (mask == 0) continue;
        int shift = 0, width = 0;
        while ((mask >> shift & 1) == 0) ++shift;
        while (shift + width < 32 && (mask >> (shift + width) & 1) != 0) ++width;
        const uint32_t value = (rgb >> (16 - 8 * channel)) & 0xFF;
        packed |= (value >> (8 - width)) << shift;
    }
    return packed;
}

// One row of palette indices in run-length form: repeats as runs, other
// stretches of three or more as literal groups (padded to 16 bits), the
// rest as runs of one; then the end of the line. With nibbles, a run of
// one colour repeats it in both halves of its byte.
void AppendRunLengthRow(std::vector<uint8_t>& out, const std::vector<uint32_t>& indices, bool nibbles)
{
    const size_t n = indices.size();
    for (size_t i = 0; i < n;) {
        size_t run = 1;
        while (i + run < n && run < 255 && indices[i + run] == indices[i]) ++run;
        size_t literal = 0;
        while (run == 1 && i + literal < n && literal < 255 &&
               !(i + literal + 1 < n && indices[i + literal] == indices[i + literal + 1]))
            ++literal;
        if (run == 1 && literal >= 3) {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(literal));
            const size_t start = out.size();
            for (size_t k = 0; k < literal; ++k) {
                const uint32_t index = indices[i + k];
                if (!nibbles)
                    out.push_back(static_cast<uint8_t>(index));
                else if (k % 2 == 0)
                    out.push_back(static_cast<uint8_t>(index << 4));
                else
                    out.back() |= static_cast<uint8_t>(index);
            }
            if ((out.size() - start) % 2 != 0) out.push_back(0);
            i += literal;
            continue;
        }
        out.push_back(static_cast<uint8_t>(run));
        const uint32_t index = indices[i];
        out.push_back(static_cast<uint8_t>(nibbles ? (index << 4 | index) : index));
        i += run;
    }
    out.push_back(0);  // end of line
    out.push_back(0);
}

}  // namespace

Picture SolidPicture(int width, int height, uint32_t rgb)
{
    return Picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, rgb)};
}

Picture HalvesPicture(int width, int height, uint32_t leftRgb, uint32_t rightRgb)
{
    Picture picture = SolidPicture(width, height, rightRgb);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x) picture.pixels[static_cast<size_t>(y) * width + x] = leftRgb;
    return picture;
}

Picture PatternPicture(int width, int height)
{
    Picture picture = SolidPicture(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            // Blue 0x40 keeps every pixel off the key.
            picture.pixels[static_cast<size_t>(y) * width + x] =
                (static_cast<uint32_t>(x * 3 & 0xFF) << 16) | (static_cast<uint32_t>(y * 5 & 0xFF) << 8) | 0x40;
    return picture;
}

uint32_t PicturePixel(const Picture& picture, int x, int y)
{
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
}

bool DrawnPicturePixel(const Picture& picture, int left, int top, bool mirrored, int x, int y, uint32_t& rgb)
{
    const int px = x - left - (mirrored ? MirrorShift : 0), py = y - top;
    if (px < 0 || px >= picture.width || py < 0 || py >= picture.height) return false;
    rgb = PicturePixel(picture, mirrored ? picture.width - 1 - px : px, py);
    return true;
}

bool WriteBmp(const char* path, const Picture& picture, BmpLayout layout)
{
    const int bits = layout == Bmp32BottomUp ? 32 : layout == Bmp8Paletted ? 8 : 24;
    const std::vector<uint8_t> file = EncodeBmp(picture, bits, false);
    return !file.empty() && WriteFileBytes(path, file.data(), static_cast<unsigned>(file.size()));
}

BmpForm PlainForm(int bits, bool topDown) { return BmpForm{bits, topDown, 40, 0, {0, 0, 0}, false}; }

std::vector<uint8_t> EncodeBmp(const Picture& picture, int bits, bool topDown)
{
    return EncodeBmpAs(picture, PlainForm(bits, topDown));
}

std::vector<uint8_t> EncodeBmpAs(const Picture& picture, const BmpForm& form)
{
    const int bits = form.bits;
    std::vector<uint32_t> palette;
    if (bits <= 8) {
        palette = picture.pixels;
        std::sort(palette.begin(), palette.end());
        palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
        if (palette.size() > (1u << bits)) return {};
    }
    const bool core = form.headerBytes == 12;
    // A core header has no count of colours: its table is always full.
    const size_t tableEntries = core && bits <= 8 ? size_t(1) << bits : palette.size();
    const bool runLength = form.compression == BI_RLE8 || form.compression == BI_RLE4;
    const bool fields = form.compression == BI_BITFIELDS;

    // The pixels first, as their length goes into the headers.
    std::vector<uint8_t> pixels;
    const uint32_t rowBytes = ((static_cast<uint32_t>(picture.width) * bits + 31) / 32) * 4;
    for (int row = 0; row < picture.height; ++row) {
        const int y = form.topDown ? row : picture.height - 1 - row;
        std::vector<uint32_t> indices;
        const size_t start = pixels.size();
        uint32_t pending = 0;  // bits of pixels not yet stored, for depths below 8
        int pendingBits = 0;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t rgb = PicturePixel(picture, x, y);
            if (bits <= 8) {
                const uint32_t index = static_cast<uint32_t>(
                    std::lower_bound(palette.begin(), palette.end(), rgb) - palette.begin());
                indices.push_back(index);
                if (runLength) continue;
                pending = (pending << bits) | index;
                pendingBits += bits;
                if (pendingBits == 8) {
                    pixels.push_back(static_cast<uint8_t>(pending));
                    pending = 0;
                    pendingBits = 0;
                }
            } else if (fields) {
                const uint32_t packed = PackFields(rgb, form.masks);
                for (int byte = 0; byte < bits / 8; ++byte) pixels.push_back(static_cast<uint8_t>(packed >> (8 * byte)));
            } else if (bits == 16) {
                Append16(pixels, Pack555(rgb));
            } else {
                pixels.push_back(static_cast<uint8_t>(rgb));
                pixels.push_back(static_cast<uint8_t>(rgb >> 8));
                pixels.push_back(static_cast<uint8_t>(rgb >> 16));
                if (bits == 32) pixels.push_back(0);
            }
        }
        if (runLength) {
            if (form.rowsEndEarly && row % 3 == 1) indices.resize(indices.size() / 2);
            AppendRunLengthRow(pixels, indices, form.compression == BI_RLE4);
            continue;
        }
        if (pendingBits > 0) pixels.push_back(static_cast<uint8_t>(pending << (8 - pendingBits)));
        pixels.resize(start + rowBytes, 0);
    }
    if (runLength) {
        pixels.push_back(0);  // end of bitmap
        pixels.push_back(1);
    }

    const uint32_t masksBytes = fields && form.headerBytes == 40 ? 12 : 0;
    const uint32_t entryBytes = core ? 3 : 4;
    const uint32_t pixelsAt = 14 + static_cast<uint32_t>(form.headerBytes) + masksBytes +
                              static_cast<uint32_t>(tableEntries) * entryBytes;
    std::vector<uint8_t> out;
    out.reserve(pixelsAt + pixels.size());
    out.push_back('B');
    out.push_back('M');
    Append32(out, pixelsAt + static_cast<uint32_t>(pixels.size()));
    Append32(out, 0);
    Append32(out, pixelsAt);
    Append32(out, static_cast<uint32_t>(form.headerBytes));
    if (core) {
        Append16(out, static_cast<uint32_t>(picture.width));
        Append16(out, static_cast<uint32_t>(picture.height));
        Append16(out, 1);
        Append16(out, static_cast<uint32_t>(bits));
    } else {
        Append32(out, static_cast<uint32_t>(picture.width));
        Append32(out, static_cast<uint32_t>(form.topDown ? -picture.height : picture.height));
        Append16(out, 1);
        Append16(out, static_cast<uint32_t>(bits));
        Append32(out, form.compression);
        Append32(out, static_cast<uint32_t>(pixels.size()));
        Append32(out, 2835);
        Append32(out, 2835);
        Append32(out, static_cast<uint32_t>(palette.size()));
        Append32(out, 0);
    }
    // V4 and V5: the masks (used with bit fields only), no alpha, sRGB, and
    // zeros for the end points, gamma, intent and profile.
    if (form.headerBytes > 40) {
        for (uint32_t mask : form.masks) Append32(out, mask);
        Append32(out, 0);
        Append32(out, 0x73524742);  // 'sRGB'
        out.resize(14 + static_cast<size_t>(form.headerBytes), 0);
    } else if (masksBytes != 0) {
        for (uint32_t mask : form.masks) Append32(out, mask);
    }
    for (uint32_t rgb : palette) {  // blue, green, red (, 0)
        out.push_back(static_cast<uint8_t>(rgb));
        out.push_back(static_cast<uint8_t>(rgb >> 8));
        out.push_back(static_cast<uint8_t>(rgb >> 16));
        if (!core) out.push_back(0);
    }
    out.resize(pixelsAt, 0);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

uint32_t Through16Bits(uint32_t rgb)
{
    const uint32_t packed = Pack555(rgb);
    uint32_t out = 0;
    for (int shift = 0; shift < 15; shift += 5) {
        const uint32_t five = (packed >> shift) & 31;
        out |= ((five << 3) | (five >> 2)) << (shift / 5 * 8);
    }
    return out;
}

void PutLe16(std::vector<uint8_t>& bytes, int offset, uint16_t value)
{
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(std::vector<uint8_t>& bytes, int offset, uint32_t value)
{
    PutLe16(bytes, offset, static_cast<uint16_t>(value));
    PutLe16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}
