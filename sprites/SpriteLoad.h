// Finding and reading one sprite file into a bitmap: the file that the
// current skin names is read once, its bytes are checked, and the bitmap is
// made from those very bytes, so that a file being rewritten or cut while
// the mascot paints can never hand the decoder anything but checked bytes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "sprites/BitmapCheck.h"

// The full path of frame `name` of the current skin, read afresh: in the
// working folder when that holds the skin's folder, else beside the
// program. False when there is no usable path.
bool FindSpriteFile(char* out, size_t size, const char* name);

struct SpriteBitmap {
    HBITMAP bitmap;  // a DIB section at the file's depth; null when nothing can be drawn
    int width;
    int height;
};

// The picture in the file at `path`, or a null bitmap when the file is
// missing or refused. `dc` is the memory device context that will hold it;
// the bitmap is not selected into it yet. The caller deletes the bitmap.
SpriteBitmap LoadSpriteBitmap(const char* path, HDC dc);

struct FileBytes {
    uint8_t* data;  // malloc'd; free it
    DWORD size;
};

// The bytes of the open `file`, at most MaxSpriteFileBytes, in one read:
// only what this read returned is used afterwards.
FileBytes ReadSpriteBytes(HANDLE file);

// A DIB section at the file's depth, with its colours, filled from the
// pixels of `file`, whose `layout` CheckBitmapFile accepted; null when GDI
// makes none. Like the system's loader, the section itself is uncompressed
// in the default layout: runs are expanded and bit fields converted on the
// way in.
HBITMAP BitmapFromBytes(const uint8_t* file, const BitmapLayout& layout, HDC dc);
