// Pictures made by the tests and written as Windows BMP files.
// Colours are 0xRRGGBB, the order in which a 32-bit DIB stores them.
#pragma once
#include <cstdint>
#include <vector>

struct Picture {
    int width;
    int height;
    std::vector<uint32_t> pixels;  // row by row from the top
};

enum BmpLayout {
    Bmp24BottomUp,  // the common form
    Bmp32BottomUp,
    Bmp8Paletted,   // at most 256 different colours
};

const uint32_t KeyGreen = 0x00FF00;
const uint32_t Red = 0xFF0000;
const uint32_t Blue = 0x0000FF;
const uint32_t Black = 0x000000;

Picture SolidPicture(int width, int height, uint32_t rgb);

// Left half (columns below width / 2) one colour, the rest another.
Picture HalvesPicture(int width, int height, uint32_t leftRgb, uint32_t rightRgb);

// A different colour at every pixel (never the key), so that any shift or
// flip of the copy shows.
Picture PatternPicture(int width, int height);

uint32_t PicturePixel(const Picture& picture, int x, int y);

bool WriteBmp(const char* path, const Picture& picture, BmpLayout layout = Bmp24BottomUp);
