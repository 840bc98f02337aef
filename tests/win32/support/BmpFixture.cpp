#include "support/BmpFixture.h"

#include <algorithm>

#include "support/TestFolder.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
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
    std::vector<uint32_t> palette;
    if (layout == Bmp8Paletted) {
        palette = picture.pixels;
        std::sort(palette.begin(), palette.end());
        palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
        if (palette.size() > 256) return false;
    }
    const uint32_t rowBytes = ((static_cast<uint32_t>(picture.width) * bits + 31) / 32) * 4;
    const uint32_t headerBytes = 14 + 40 + static_cast<uint32_t>(palette.size()) * 4;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerBytes + imageBytes);
    Put32(out, 0);
    Put32(out, headerBytes);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(picture.width));
    Put32(out, static_cast<uint32_t>(picture.height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(palette.size()));
    Put32(out, 0);
    for (uint32_t rgb : palette) Put32(out, rgb);  // blue, green, red, 0

    for (int row = 0; row < picture.height; ++row) {
        const int y = picture.height - 1 - row;  // bottom row first
        const size_t start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t rgb = PicturePixel(picture, x, y);
            if (bits == 8) {
                out.push_back(static_cast<uint8_t>(
                    std::lower_bound(palette.begin(), palette.end(), rgb) - palette.begin()));
                continue;
            }
            out.push_back(static_cast<uint8_t>(rgb));
            out.push_back(static_cast<uint8_t>(rgb >> 8));
            out.push_back(static_cast<uint8_t>(rgb >> 16));
            if (bits == 32) out.push_back(0);
        }
        out.resize(start + rowBytes, 0);
    }
    return WriteFileBytes(path, out.data(), static_cast<unsigned>(out.size()));
}
