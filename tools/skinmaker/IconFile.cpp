#include "IconFile.h"

#include "LittleEndian.h"

namespace {

constexpr uint32_t DirSize = 6;
constexpr uint32_t EntrySize = 16;
constexpr uint32_t InfoSize = 40;

uint32_t Stride(int width, int bitCount) { return (static_cast<uint32_t>(width) * bitCount + 31) / 32 * 4; }

uint32_t ImageBytes(int side, int bitCount)
{
    const uint32_t rows = static_cast<uint32_t>(side);
    return InfoSize + (1u << bitCount) * 4 + Stride(side, bitCount) * rows + Stride(side, 1) * rows;
}

// Index 0 stays black for the see-through pixels, which Windows draws as
// "screen XOR black", that is, unchanged.
bool BuildPalette(const IconPicture& picture, std::vector<Rgb>& palette, std::vector<uint8_t>& indices,
                  std::string& error)
{
    const size_t limit = size_t{1} << picture.bitCount;
    palette.assign(1, Rgb{0, 0, 0});
    indices.assign(picture.image.pixels.size(), 0);
    for (size_t i = 0; i < picture.image.pixels.size(); ++i) {
        if (!picture.opaque[i]) continue;
        const Rgb colour = picture.image.pixels[i];
        size_t index = 0;
        while (index < palette.size() && palette[index] != colour) ++index;
        if (index == palette.size()) {
            if (palette.size() == limit) {
                error = "a " + std::to_string(picture.image.width) + " x " + std::to_string(picture.image.height) +
                        " picture has more than " + std::to_string(limit) + " colours for its " +
                        std::to_string(picture.bitCount) + "-bit palette";
                return false;
            }
            palette.push_back(colour);
        }
        indices[i] = static_cast<uint8_t>(index);
    }
    return true;
}

void PutImage(const IconPicture& picture, const std::vector<Rgb>& palette, const std::vector<uint8_t>& indices,
              std::vector<uint8_t>& out)
{
    const int side = picture.image.width;
    const int bits = picture.bitCount;
    const uint32_t xorStride = Stride(side, bits);
    const uint32_t andStride = Stride(side, 1);
    PutU32(out, InfoSize);
    PutU32(out, static_cast<uint32_t>(side));
    PutU32(out, static_cast<uint32_t>(side) * 2);  // XOR and AND bitmaps stacked
    PutU16(out, 1);
    PutU16(out, static_cast<uint32_t>(bits));
    PutU32(out, 0);
    PutU32(out, (xorStride + andStride) * static_cast<uint32_t>(side));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    for (uint32_t i = 0; i < (1u << bits); ++i) {
        const Rgb colour = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        PutU8(out, colour.b);
        PutU8(out, colour.g);
        PutU8(out, colour.r);
        PutU8(out, 0);
    }
    for (int y = side - 1; y >= 0; --y) {
        std::vector<uint8_t> row(xorStride, 0);
        for (int x = 0; x < side; ++x) {
            const uint8_t index = indices[y * side + x];
            if (bits == 8)
                row[x] = index;
            else
                row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = side - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andStride, 0);
        for (int x = 0; x < side; ++x) {
            if (!picture.opaque[y * side + x]) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

bool ReadImage(const std::vector<uint8_t>& bytes, IconImageInfo& info, std::string& error)
{
    const uint32_t at = info.imageOffset;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t planes = 0;
    uint32_t colourUsed = 0;
    if (!GetU32(bytes, at, info.infoSize) || !GetU32(bytes, at + 4, width) || !GetU32(bytes, at + 8, height) ||
        !GetU16(bytes, at + 12, planes) || !GetU16(bytes, at + 14, info.infoBitCount) ||
        !GetU32(bytes, at + 16, info.compression) || !GetU32(bytes, at + 32, colourUsed)) {
        error = "image header runs past the end of the file";
        return false;
    }
    info.infoWidth = static_cast<int32_t>(width);
    info.infoHeight = static_cast<int32_t>(height);
    const uint32_t bits = info.infoBitCount;
    if (info.infoSize != InfoSize || planes != 1 || info.compression != 0 ||
        (bits != 1 && bits != 4 && bits != 8) || info.infoWidth <= 0 || info.infoWidth > 256 ||
        info.infoHeight != info.infoWidth * 2) {
        error = "unsupported image header";
        return false;
    }
    const int side = info.infoWidth;
    const uint32_t paletteCount = colourUsed != 0 ? colourUsed : 1u << bits;
    const uint32_t paletteAt = at + InfoSize;
    const uint32_t xorAt = paletteAt + paletteCount * 4;
    const uint32_t andAt = xorAt + Stride(side, bits) * side;
    const uint64_t end = static_cast<uint64_t>(andAt) + Stride(side, 1) * side;
    if (paletteCount > (1u << bits) || end > bytes.size() || end > static_cast<uint64_t>(at) + info.bytesInRes) {
        error = "image data runs past its entry's size or the file";
        return false;
    }
    info.image.width = side;
    info.image.height = side;
    info.image.pixels.assign(side * side, Rgb{});
    info.opaque.assign(side * side, 0);
    for (int y = 0; y < side; ++y) {
        const uint32_t fileRow = static_cast<uint32_t>(side - 1 - y);
        for (int x = 0; x < side; ++x) {
            const uint32_t bit = static_cast<uint32_t>(x) * bits;
            const uint8_t byte = bytes[xorAt + fileRow * Stride(side, bits) + bit / 8];
            const uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            if (index >= paletteCount) {
                error = "pixel refers past the palette";
                return false;
            }
            const uint32_t entry = paletteAt + index * 4;
            info.image.pixels[y * side + x] = Rgb{bytes[entry + 2], bytes[entry + 1], bytes[entry]};
            const uint8_t mask = bytes[andAt + fileRow * Stride(side, 1) + x / 8];
            info.opaque[y * side + x] = (mask & (0x80 >> (x % 8))) == 0 ? 1 : 0;
        }
    }
    return true;
}

}  // namespace

bool EncodeIcon(const std::vector<IconPicture>& pictures, std::vector<uint8_t>& out, std::string& error)
{
    out.clear();
    PutU16(out, 0);
    PutU16(out, 1);  // icon, not cursor
    PutU16(out, static_cast<uint32_t>(pictures.size()));
    uint32_t offset = DirSize + EntrySize * static_cast<uint32_t>(pictures.size());
    for (const IconPicture& picture : pictures) {
        const int side = picture.image.width;
        if (picture.image.height != side || side <= 0 || side > 255 ||
            (picture.bitCount != 4 && picture.bitCount != 8)) {
            error = "icon pictures must be square, at most 255 wide, with 4 or 8 bits";
            return false;
        }
        const uint32_t size = ImageBytes(side, picture.bitCount);
        PutU8(out, static_cast<uint32_t>(side));
        PutU8(out, static_cast<uint32_t>(side));
        PutU8(out, picture.bitCount == 4 ? 16 : 0);  // 0 stands for 256 or more
        PutU8(out, 0);
        PutU16(out, 1);
        PutU16(out, static_cast<uint32_t>(picture.bitCount));
        PutU32(out, size);
        PutU32(out, offset);
        offset += size;
    }
    for (const IconPicture& picture : pictures) {
        std::vector<Rgb> palette;
        std::vector<uint8_t> indices;
        if (!BuildPalette(picture, palette, indices, error)) return false;
        PutImage(picture, palette, indices, out);
    }
    return true;
}

bool DecodeIcon(const std::vector<uint8_t>& bytes, std::vector<IconImageInfo>& images, std::string& error)
{
    images.clear();
    uint32_t reserved = 0;
    uint32_t type = 0;
    uint32_t count = 0;
    if (!GetU16(bytes, 0, reserved) || !GetU16(bytes, 2, type) || !GetU16(bytes, 4, count) || reserved != 0 ||
        type != 1) {
        error = "not an icon file";
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const size_t at = DirSize + EntrySize * i;
        IconImageInfo info;
        uint32_t planes = 0;
        uint32_t bitCount = 0;
        if (at + EntrySize > bytes.size() || !GetU16(bytes, at + 4, planes) || !GetU16(bytes, at + 6, bitCount) ||
            !GetU32(bytes, at + 8, info.bytesInRes) || !GetU32(bytes, at + 12, info.imageOffset)) {
            error = "directory runs past the end of the file";
            return false;
        }
        info.width = bytes[at] == 0 ? 256 : bytes[at];
        info.height = bytes[at + 1] == 0 ? 256 : bytes[at + 1];
        info.colourCount = bytes[at + 2];
        info.planes = static_cast<int>(planes);
        info.bitCount = static_cast<int>(bitCount);
        if (!ReadImage(bytes, info, error)) {
            error = "picture " + std::to_string(i) + ": " + error;
            return false;
        }
        images.push_back(info);
    }
    return true;
}
