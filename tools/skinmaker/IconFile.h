#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SkinTypes.h"

// One picture of an icon file: a square image, which of its pixels are
// drawn (1) or see-through (0), and its palette depth, 4 or 8 bits.
struct IconPicture {
    RgbImage image;
    std::vector<uint8_t> opaque;
    int bitCount = 4;
};

// A Windows .ico: ICONDIR, one ICONDIRENTRY per picture, then each picture
// as BITMAPINFOHEADER (doubled height), full palette, XOR rows and a 1-bit
// AND mask, rows bottom-up and padded to four bytes. Fails when a picture
// needs more colours than its depth allows.
bool EncodeIcon(const std::vector<IconPicture>& pictures, std::vector<uint8_t>& out, std::string& error);

// What an icon file says about one of its pictures, and the picture.
struct IconImageInfo {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int planes = 0;
    int bitCount = 0;
    uint32_t bytesInRes = 0;
    uint32_t imageOffset = 0;
    uint32_t infoSize = 0;
    int32_t infoWidth = 0;
    int32_t infoHeight = 0;
    uint32_t infoBitCount = 0;
    uint32_t compression = 0;
    RgbImage image;
    std::vector<uint8_t> opaque;
};

// Reads palette-based icons (1, 4 or 8 bits), checking that every part
// lies inside the file.
bool DecodeIcon(const std::vector<uint8_t>& bytes, std::vector<IconImageInfo>& images, std::string& error);
