// Where a frame's file lies: the names and paths a draw opens, decided
// without the platform.
#pragma once
#include <cstddef>
#include <cstdint>

// The skin folder of a skin index: "a" to "d".
const char* SkinFolderName(int32_t skinIndex);

// The frame's path relative to the folder that holds the skin folders,
// such as "c/w3.bmp". False, with an empty result, when it does not fit:
// a shortened path could name another file.
bool BuildSpritePath(char* out, size_t size, int32_t skinIndex, const char* name);

// Where the frames of a skin come from at one draw. All frames of a skin
// come from the same place.
enum SkinPlace {
    SkinInWorkingFolder,  // opened by their relative names
    SkinBesideProgram,    // by full paths built from the program's own file
    SkinBuiltIn,          // neither place has the skin's folder: the program's own copy
};

SkinPlace ChooseSkinPlace(bool workingHasSkinFolder, bool programHasSkinFolder);

// The name of the program's own copy of a frame, such as "C_W3" for skin 2
// and "w3": the skin folder and the frame name in capitals, as resource
// names are compared. False, with an empty result, when it does not fit.
bool BuildBuiltInFrameName(char* out, size_t size, int32_t skinIndex, const char* name);

// The program's folder joined with `relative` (such as "c/w3.bmp", whose
// separators become backslashes), in the units the system names files in.
// `programLength` is the length the system gave for the program's file
// name in a buffer of `programCapacity` units: a name that filled the
// buffer was cut. False, with an empty result, for a cut or folderless
// name and for a path that does not fit `size` units with its end.
template <typename Unit>
bool BuildProgramPath(Unit* out, size_t size, const Unit* programFile, size_t programLength, size_t programCapacity,
                      const char* relative)
{
    if (size > 0) out[0] = 0;
    if (programLength == 0 || programLength >= programCapacity) return false;
    size_t folder = programLength;
    while (folder > 0 && programFile[folder - 1] != '\\' && programFile[folder - 1] != '/') --folder;
    if (folder == 0) return false;  // a relative name would be looked up from wherever the process stands
    size_t length = 0;
    while (relative[length] != '\0') ++length;
    if (folder + length >= size) return false;
    for (size_t i = 0; i < folder; ++i) out[i] = programFile[i];
    for (size_t i = 0; i < length; ++i) out[folder + i] = static_cast<Unit>(relative[i] == '/' ? '\\' : relative[i]);
    out[folder + length] = 0;
    return true;
}
