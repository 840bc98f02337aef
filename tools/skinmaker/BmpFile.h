#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SkinTypes.h"

// A 24-bit uncompressed Windows bitmap: BITMAPFILEHEADER, a 40-byte
// BITMAPINFOHEADER, then rows bottom-up, each padded to four bytes.
std::vector<uint8_t> EncodeBmp24(const RgbImage& image);

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
