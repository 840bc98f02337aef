#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SkinTypes.h"

// A 24-bit uncompressed Windows bitmap: BITMAPFILEHEADER, a 40-byte
// BITMAPINFOHEADER, then rows bottom-up, each padded to four bytes.
std::vector<uint8_t> EncodeBmp24(const RgbImage& image);

// The same picture at 4 bits a pixel over `palette` (at most 16 colours,
// each written once): a quarter of the size, for the copies built into
// the program. Empty when a pixel's colour is not in the palette.
std::vector<uint8_t> EncodeBmp4(const RgbImage& image, const std::vector<Rgb>& palette);

// Header fields as stored, for checks beyond the pixels.
struct BmpHeader {
    uint32_t fileSize = 0;
    uint32_t dataOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t planes = 0;
    uint32_t bitCount = 0;
    uint32_t compression = 0;
};

// Reads what EncodeBmp24 writes (top-down files too); refuses other kinds.
bool DecodeBmp24(const std::vector<uint8_t>& bytes, BmpHeader& header, RgbImage& image, std::string& error);
