// The copy of a checked file's headers and colour table that is handed to
// GDI, set to say only what the check allowed: whatever fields of it GDI
// honours, it reads nothing past the copy and no colour profile.
#pragma once
#include <cstddef>
#include <cstdint>

#include "sprites/BitmapCheck.h"

// `info` holds the file's bytes from its info header on, `infoBytes` of
// them (at least layout.infoEnd - 14), for a usable `layout`. Sets the
// colour count to the one checked (0 above 8 bits, where no table is read)
// and, in the V4 and V5 headers, the colour space to sRGB without a profile.
void NormaliseBitmapInfo(uint8_t* info, size_t infoBytes, const BitmapLayout& layout);
