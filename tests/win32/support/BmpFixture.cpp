#include "support/BmpFixture.h"

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

bool WriteBmp(const char* path, const Picture& picture, BmpLayout layout)
{
    const int bits = layout == Bmp32BottomUp ? 32 : layout == Bmp8Paletted ? 8 : 24;
    const std::vector<uint8_t> file = EncodeBmp(picture, bits, false);
    return !file.empty() && WriteFileBytes(path, file.data(), static_cast<unsigned>(file.size()));
}

std::vector<uint8_t> EncodeBmp(const Picture& picture, int bits, bool topDown)
{
    std::vector<uint32_t> palette;
    if (bits <= 8) {
        palette = picture.pixels;
        std::sort(palette.begin(), palette.end());
        palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
        if (palette.size() > (1u << bits)) return {};
    }
    const uint32_t rowBytes = ((static_cast<uint32_t>(picture.width) * bits + 31) / 32) * 4;
    const uint32_t headerBytes = BmpHeadersSize + static_cast<uint32_t>(palette.size()) * 4;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);

    std::vector<uint8_t> out;
    out.reserve(headerBytes + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Append32(out, headerBytes + imageBytes);
    Append32(out, 0);
    Append32(out, headerBytes);
    Append32(out, 40);
    Append32(out, static_cast<uint32_t>(picture.width));
    Append32(out, static_cast<uint32_t>(topDown ? -picture.height : picture.height));
    Append16(out, 1);
    Append16(out, static_cast<uint32_t>(bits));
    Append32(out, 0);  // BI_RGB
    Append32(out, imageBytes);
    Append32(out, 2835);
    Append32(out, 2835);
    Append32(out, static_cast<uint32_t>(palette.size()));
    Append32(out, 0);
    for (uint32_t rgb : palette) Append32(out, rgb);  // blue, green, red, 0

    for (int row = 0; row < picture.height; ++row) {
        const int y = topDown ? row : picture.height - 1 - row;
        const size_t start = out.size();
        uint32_t pending = 0;  // bits of pixels not yet stored, for depths below 8
        int pendingBits = 0;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t rgb = PicturePixel(picture, x, y);
            if (bits <= 8) {
                const uint32_t index = static_cast<uint32_t>(
                    std::lower_bound(palette.begin(), palette.end(), rgb) - palette.begin());
                pending = (pending << bits) | index;
                pendingBits += bits;
                if (pendingBits == 8) {
                    out.push_back(static_cast<uint8_t>(pending));
                    pending = 0;
                    pendingBits = 0;
                }
            } else if (bits == 16) {
                Append16(out, Pack555(rgb));
            } else {
                out.push_back(static_cast<uint8_t>(rgb));
                out.push_back(static_cast<uint8_t>(rgb >> 8));
                out.push_back(static_cast<uint8_t>(rgb >> 16));
                if (bits == 32) out.push_back(0);
            }
        }
        if (pendingBits > 0) out.push_back(static_cast<uint8_t>(pending << (8 - pendingBits)));
        out.resize(start + rowBytes, 0);
    }
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
