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

// A copy of negative width, from (x + width) back by width, lands in
// columns x + 1 to x + width: GDI counts such a rectangle from its origin
// column leftwards. So the mirror image sits one column right of the plain
// picture, and column x keeps what it had. This is GDI's own rule, not
// Wine's: conformance tests that run on Windows mirror into columns x to
// x + width - 1 with the origin x + width - 1. The mascot's mirrored
// frames, drawn from x + width, stand one column right of its plain ones.
const int MirrorShift = 1;

// The colour that pixel (x, y) of a context takes from `picture` drawn at
// (left, top), plain or mirrored; false where the picture does not reach.
bool DrawnPicturePixel(const Picture& picture, int left, int top, bool mirrored, int x, int y, uint32_t& rgb);

bool WriteBmp(const char* path, const Picture& picture, BmpLayout layout = Bmp24BottomUp);

// Files in other layouts too: any bit depth from 1 to 32, rows top-down as
// well as bottom-up, core, V4 and V5 headers, run-length and bit-field
// pixels, and headers with chosen values, so that tests can also cut or
// damage them.

// How a picture is stored. Depths up to 8 get a palette of the picture's
// colours; 16 bits without masks keep the top five bits of each channel
// (5-5-5).
struct BmpForm {
    int bits;
    bool topDown;
    int headerBytes;       // 12 (core), 40, 108 (V4) or 124 (V5)
    uint32_t compression;  // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    uint32_t masks[3];     // red, green, blue, for bit fields: at most 8 bits each
    bool rowsEndEarly;     // run-length: every third row ends half-way, leaving a gap
};

BmpForm PlainForm(int bits, bool topDown);

// The whole file for `picture` in `form`; empty when the picture has more
// colours than the depth allows.
std::vector<uint8_t> EncodeBmpAs(const Picture& picture, const BmpForm& form);

// The same as EncodeBmpAs(picture, PlainForm(bits, topDown)): a 40-byte
// header, uncompressed.
std::vector<uint8_t> EncodeBmp(const Picture& picture, int bits, bool topDown);

// The colour that a pixel of `rgb` has once stored at 16 bits and widened
// again by repeating its top bits, as GDI does.
uint32_t Through16Bits(uint32_t rgb);

// Byte offsets of header fields in a file made by EncodeBmp.
const int BmpPixelOffsetField = 10;  // 4 bytes: where the pixels start
const int BmpWidthField = 18;        // 4 bytes, signed
const int BmpHeightField = 22;       // 4 bytes, signed: negative is top-down
const int BmpBitsField = 28;         // 2 bytes
const int BmpCompressionField = 30;  // 4 bytes
const int BmpHeadersSize = 54;       // file header and info header

void PutLe32(std::vector<uint8_t>& bytes, int offset, uint32_t value);
void PutLe16(std::vector<uint8_t>& bytes, int offset, uint16_t value);
