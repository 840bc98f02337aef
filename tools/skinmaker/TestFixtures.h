#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SkinTypes.h"

// Files that the scripts set out for the program: a "savedata" holding a
// given wander range, and stand-in skins whose frames tell apart on the
// screen which skin is drawn. Written here from the file formats, not by
// the program's own code, so that a fault there cannot hide in them.

// Two 256-byte texts, then ten little-endian 32-bit values: the range's
// width and height first, the rest zero, as are the texts.
constexpr size_t SavedataSize = 552;
std::vector<uint8_t> EncodeSavedata(int32_t rangeX, int32_t rangeY);

// The colour of the stand-in frames of skin folder `skin` ("a" to "d");
// false for a folder the program has no skin for.
bool StandInColour(const std::string& skin, Rgb& colour);

// Every frame of a stand-in skin: a block of `colour` from (10, 10) to
// (49, 59) on the colour key, 60 x 60.
RgbImage StandInFrame(Rgb colour);
