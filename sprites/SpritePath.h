#pragma once
#include <cstddef>
#include <cstdint>

// Relative path of a frame in the current skin, such as "c/w3.bmp".
void BuildSpritePath(char* out, size_t size, int32_t skinIndex, const char* name);

// Where frames may lie, as the shell finds it at one draw.
struct SkinPlaces {
    const char* workingFolder;  // the current directory, a full path
    bool workingHasSkinFolder;  // it holds the current skin's folder ("a" to "d")
    const char* programFile;    // the program's own file, a full path
};

// The current skin's folder inside `folder`, such as "C:\x\c". False when
// it does not fit `size`.
bool BuildSkinFolderPath(char* out, size_t size, const char* folder, int32_t skinIndex);

// The one full path that a draw reads, such as "C:\x\c\w3.bmp": in the
// working folder when that holds the skin's folder, otherwise beside the
// program. All frames of a skin come from the same folder. False when the
// path does not fit `size`: a shortened path could name another file.
bool ResolveSpritePath(char* out, size_t size, const SkinPlaces& places, int32_t skinIndex, const char* name);
