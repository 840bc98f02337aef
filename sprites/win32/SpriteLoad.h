// Finding and reading one sprite file into a bitmap: the file that the
// current skin names is read once, its bytes are checked, and the bitmap is
// made from those very bytes, so that a file being rewritten or cut while
// the mascot paints can never hand the decoder anything but checked bytes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "sprites/BitmapCheck.h"
#include "sprites/KeptPictures.h"
#include "sprites/SpritePath.h"

// Where one draw reads its frame from. Folder names may lie outside the
// ANSI code page, so no path is ever spelled through it: the working
// folder's frames are opened by their relative names, which the system
// resolves from its own current folder, and the program's by a full wide
// path.
struct SpriteFile {
    SkinPlace place;
    char relative[16];                // "c/w3.bmp"
    wchar_t besideProgram[MAX_PATH];  // the full path, when place is SkinBesideProgram
    char builtIn[16];                 // the resource, such as "C_W3", when place is SkinBuiltIn
};

// Whether GetFileAttributes' answer is a folder's: a file of a skin's name
// is not its folder.
bool IsFolder(DWORD attributes);

// Where frame `name` of the current skin lies, looked up afresh: the
// working folder when it holds the skin's folder, else beside the program,
// else the program's own copy. False when the name cannot be a frame's.
bool FindSpriteFile(SpriteFile& file, const char* name);

// What the system says of the file now, without opening it; the
// program's own copy always says the same.
SpriteFileFacts ReadSpriteFacts(const SpriteFile& file);

// The file opened for one read, shared so that an editor may write,
// replace or delete it meanwhile; INVALID_HANDLE_VALUE when it cannot be.
HANDLE OpenSpriteFile(const SpriteFile& file);

struct SpriteBitmap {
    HBITMAP bitmap;  // a DIB section at the file's depth; null when nothing can be drawn
    int width;
    int height;
    uint64_t bytes;  // its pixels as decoded
    uint32_t links;  // the names its file goes by (0 for the program's own copy)
    bool settled;    // the bytes were read whole and decided it: a picture, or refused by the check
};

// The picture in the file (or the program's own copy of it), or a null
// bitmap when the file is missing or refused. `dc` is the memory device context that will hold it; the bitmap
// is not selected into it yet. The caller deletes the bitmap.
SpriteBitmap LoadSpriteBitmap(const SpriteFile& file, HDC dc);

// The same from a whole file's bytes already in memory.
SpriteBitmap BitmapFromFileBytes(const uint8_t* bytes, size_t size, HDC dc);

struct FileBytes {
    uint8_t* data;     // malloc'd; free it
    DWORD size;
    uint64_t fileSize; // what the system says the file holds
    bool whole;        // read as far as the file goes (or refused for its length), no call failing
};

// The bytes of the open `file` in one read; only what this read returned
// is used afterwards. A file longer than MaxSpriteFileBytes, more than any
// picture the check allows, is not read at all.
FileBytes ReadSpriteBytes(HANDLE file);

// A DIB section at the file's depth, with its colours, filled from the
// pixels of `file`, whose `layout` CheckBitmapFile accepted; null when GDI
// makes none. Like the system's loader, the section itself is uncompressed
// in the default layout: runs are expanded and bit fields converted on the
// way in.
HBITMAP BitmapFromBytes(const uint8_t* file, const BitmapLayout& layout, HDC dc);
