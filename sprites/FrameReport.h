// What the skin authors' check says about one frame file, as one line:
// "NAME.bmp: ok", "NAME.bmp: warning: ..." when it shows but not as its
// author meant, "NAME.bmp: error: ..." when it does not show. Decided from
// the file's bytes and from the pixels that Windows made of them, so that
// it can be tested and fuzzed without the platform.
#pragma once
#include <cstddef>
#include <cstdint>

#include "sprites/BitmapCheck.h"

// A frame shows from the window's top-left corner, this much a side.
const int32_t ShownSide = 60;
const uint32_t KeyColour = 0x00FF00;  // 0xRRGGBB, the one see-through colour
// A pixel near the key colour: not the key itself, but each of red, green
// and blue within this of it (red and blue at most 64, green at least
// 191). An edge smoothed into the background is mostly such pixels, and
// each shows as a speck of green.
const uint32_t NearKeyDistance = 64;

const int32_t SkinFrameCount = 18;
// The frame names of one skin ("w0" ... "k0"), in the catalogue's order,
// each once. FillAnimationCatalogue must have run.
void ListSkinFrames(char names[SkinFrameCount][8]);

// FrameTooLong: a file longer than MaxSpriteFileBytes, which the program
// does not read; only its first bytes are given, to tell why.
enum FrameRead { FrameMissing, FrameUnreadable, FrameTooLong, FrameWasRead };
enum FrameVerdict { FrameOk, FrameWarning, FrameError };

struct FrameFile {
    FrameRead read;
    const uint8_t* bytes;  // as read, when read
    size_t size;
    // The top-left ShownSide x ShownSide as Windows draws the file over the
    // key colour, rows from the top, 0x..RRGGBB (the top byte is ignored);
    // null when Windows made no picture of bytes the check accepted.
    const uint32_t* shown;
    uint64_t fileSize = 0;  // the whole file's, for FrameTooLong
};

// Writes the line for `file` (named `fileName`) into `line`, cut to `size`
// but always ended, and says which kind of line it is.
FrameVerdict ReportFrame(char* line, size_t size, const char* fileName, const FrameFile& file);
