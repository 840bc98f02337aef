// The check of a sprite file's bytes before anything is drawn from them:
// which layout the headers describe, and whether every byte that a reader
// of that layout takes lies inside the bytes given. Decided from the bytes
// alone, so that it can be tested and fuzzed without the platform.
#pragma once
#include <cstddef>
#include <cstdint>

// Only the top-left 60 x 60 of a picture ever shows, so anything far larger
// is refused rather than decoded at every paint.
const int32_t MaxSpriteSide = 4096;                   // pixels, each of width and height
const uint32_t MaxSpritePixelBytes = 16u << 20;       // the rows decoded at the file's own depth
// A reader takes at most this much of a file; a picture whose data lies
// beyond it counts as cut short.
const uint32_t MaxSpriteFileBytes = MaxSpritePixelBytes + (1u << 20);

const uint32_t BitmapFileHeaderBytes = 14;
const uint32_t BitmapCoreHeaderBytes = 12;
// The largest header, masks and colour table together.
const uint32_t MaxBitmapInfoBytes = 124 + 12 + 256 * 4;

enum BitmapCompression : uint32_t {
    BitmapRgb = 0,
    BitmapRle8 = 1,
    BitmapRle4 = 2,
    BitmapBitFields = 3,
};

// Why a file is refused; the layout's fields named here hold the figures.
enum BitmapRefusal : uint32_t {
    BitmapAccepted = 0,
    BitmapNotBmp,               // no "BM" at the start: signature
    // Kinds that Windows does not draw:
    BitmapUnknownHeader,        // headerBytes
    BitmapNoPixels,             // width or height 0, or a negative width
    BitmapNotOnePlane,          // planes
    BitmapDepthNotDrawn,        // bits with compression (and for run-length data height and imageSize)
    BitmapOverLimits,           // width, height, bits, decodedBytes
    BitmapPixelsInsideHeaders,  // pixelsAt below infoEnd
    BitmapPixelsInDoubt,        // no offset, and coloursNamed above 2^bits
    BitmapCutShort,             // bytesPresent below bytesNeeded
};

// What a file that is not a bitmap says it is by its first bytes.
enum FileSignature : uint32_t {
    SignatureNone = 0,
    SignaturePng,
    SignatureJpeg,
    SignatureGif,
};

struct BitmapLayout {
    bool usable;                // false: the file is refused and nothing is drawn
    BitmapRefusal refusal;      // BitmapAccepted exactly when usable
    FileSignature signature;
    uint32_t headerBytes;       // 12 (core), 40, 52, 56, 64, 108 or 124
    int32_t width;
    int32_t height;             // negative: rows stored from the top
    uint32_t bits;              // per pixel: 1, 4, 8, 16, 24 or 32
    uint32_t compression;       // a BitmapCompression
    uint32_t masksBytes;        // 12 when bit-field masks follow a 40-byte header, else 0
    uint32_t coloursNamed;      // as the header states it (biClrUsed); 0 after a core header
    uint32_t colourCount;       // colour table entries as GDI reads them: at most 2^bits up to 8 bits
    uint32_t colourEntryBytes;  // 3 after a core header, 4 after the others
    uint32_t infoEnd;           // file offset just past header, masks and colour table
    uint32_t pixelsAt;          // file offset of the pixel data
    uint32_t pixelBytes;        // bytes of pixel data: whole rows, or the run-length data
    uint32_t planes;
    uint32_t imageSize;         // as the header states it; 0 after a core header
    uint64_t decodedBytes;      // the rows at the file's own depth, padded as GDI pads them
    uint64_t bytesPresent;      // the size given
    uint64_t bytesNeeded;       // when cut short: the size that would have held what was missing
};

// What the first `size` bytes of a bitmap file describe. usable is true
// only when bytes [0, infoEnd) and [pixelsAt, pixelsAt + pixelBytes) all lie
// inside them, the pixels start at or after infoEnd, that start does not
// hang on a colour count in doubt, and the picture keeps to the limits
// above. Otherwise refusal says why; the fields are filled as far as the
// check read.
BitmapLayout CheckBitmapFile(const uint8_t* bytes, size_t size);
