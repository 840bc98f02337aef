#include "BmpFile.h"

#include "LittleEndian.h"

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
// 72 dots per inch, as pixels per metre.
constexpr uint32_t PixelsPerMetre = 2835;

uint32_t RowStride(int width, uint32_t bits) { return (static_cast<uint32_t>(width) * bits + 31) / 32 * 4; }
uint32_t RowStride(int width) { return RowStride(width, 24); }

// The file and info headers of an uncompressed picture, and its colours.
std::vector<uint8_t> Headers(const RgbImage& image, uint32_t bits, const std::vector<Rgb>& colours)
{
    const uint32_t dataSize = RowStride(image.width, bits) * static_cast<uint32_t>(image.height);
    const uint32_t dataOffset = FileHeaderSize + InfoHeaderSize + 4 * static_cast<uint32_t>(colours.size());
    std::vector<uint8_t> out;
    out.reserve(dataOffset + dataSize);
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, dataOffset + dataSize);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, dataOffset);
    PutU32(out, InfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(image.width));
    PutU32(out, static_cast<uint32_t>(image.height));  // positive: bottom row first
    PutU16(out, 1);
    PutU16(out, bits);
    PutU32(out, 0);  // BI_RGB
    PutU32(out, dataSize);
    PutU32(out, PixelsPerMetre);
    PutU32(out, PixelsPerMetre);
    PutU32(out, static_cast<uint32_t>(colours.size()));
    PutU32(out, 0);
    for (const Rgb colour : colours) {
        PutU8(out, colour.b);
        PutU8(out, colour.g);
        PutU8(out, colour.r);
        PutU8(out, 0);
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeBmp4(const RgbImage& image, const std::vector<Rgb>& palette)
{
    if (palette.empty() || palette.size() > 16) return {};
    std::vector<uint8_t> out = Headers(image, 4, palette);
    const uint32_t stride = RowStride(image.width, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < image.width; ++x) {
            size_t index = 0;
            while (index < palette.size() && palette[index] != image.pixels[y * image.width + x]) ++index;
            if (index == palette.size()) return {};
            row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> EncodeBmp24(const RgbImage& image)
{
    const uint32_t stride = RowStride(image.width);
    std::vector<uint8_t> out = Headers(image, 24, {});
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb pixel = image.pixels[y * image.width + x];
            PutU8(out, pixel.b);
            PutU8(out, pixel.g);
            PutU8(out, pixel.r);
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < stride; ++pad) PutU8(out, 0);
    }
    return out;
}

bool DecodeBmp24(const std::vector<uint8_t>& bytes, BmpHeader& header, RgbImage& image, std::string& error)
{
    uint32_t width = 0;
    uint32_t height = 0;
    if (bytes.size() < FileHeaderSize + InfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    GetU32(bytes, 2, header.fileSize);
    GetU32(bytes, 10, header.dataOffset);
    GetU32(bytes, 14, header.infoSize);
    GetU32(bytes, 18, width);
    GetU32(bytes, 22, height);
    GetU16(bytes, 26, header.planes);
    GetU16(bytes, 28, header.bitCount);
    GetU32(bytes, 30, header.compression);
    header.width = static_cast<int32_t>(width);
    header.height = static_cast<int32_t>(height);
    if (header.infoSize < InfoHeaderSize || header.planes != 1 || header.bitCount != 24 || header.compression != 0) {
        error = "not an uncompressed 24-bit BMP";
        return false;
    }
    const int64_t rows = header.height < 0 ? -static_cast<int64_t>(header.height) : header.height;
    if (header.width <= 0 || header.width > 65536 || rows == 0 || rows > 65536) {
        error = "implausible size";
        return false;
    }
    const uint32_t stride = RowStride(header.width);
    if (header.dataOffset < FileHeaderSize + header.infoSize ||
        header.dataOffset + static_cast<uint64_t>(stride) * rows > bytes.size()) {
        error = "pixel data runs past the end of the file";
        return false;
    }
    image.width = header.width;
    image.height = static_cast<int>(rows);
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, Rgb{});
    for (int y = 0; y < image.height; ++y) {
        const int fileRow = header.height > 0 ? image.height - 1 - y : y;
        const size_t start = header.dataOffset + static_cast<size_t>(fileRow) * stride;
        for (int x = 0; x < image.width; ++x) {
            const size_t at = start + static_cast<size_t>(x) * 3;
            image.pixels[y * image.width + x] = Rgb{bytes[at + 2], bytes[at + 1], bytes[at]};
        }
    }
    return true;
}
