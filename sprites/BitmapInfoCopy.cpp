#include "sprites/BitmapInfoCopy.h"

#include "sprites/LittleEndian.h"

namespace {

// Offsets in the info header.
const size_t ColoursUsedAt = 32;       // biClrUsed
const size_t ColourSpaceAt = 56;       // bV4CSType
const size_t ProfileDataAt = 112;      // bV5ProfileData
const size_t ProfileSizeAt = 116;      // bV5ProfileSize
const uint32_t StandardRgb = 0x73524742;  // LCS_sRGB, 'sRGB'

}  // namespace

void NormaliseBitmapInfo(uint8_t* info, size_t infoBytes, const BitmapLayout& layout)
{
    // The core header has no such fields: its table is as long as its depth allows.
    if (layout.headerBytes < 40 || infoBytes < layout.headerBytes) return;
    WriteLittle32(info + ColoursUsedAt, layout.bits <= 8 ? layout.colourCount : 0);
    if (layout.headerBytes >= 108) WriteLittle32(info + ColourSpaceAt, StandardRgb);
    if (layout.headerBytes >= 124) {
        WriteLittle32(info + ProfileDataAt, 0);
        WriteLittle32(info + ProfileSizeAt, 0);
    }
}
