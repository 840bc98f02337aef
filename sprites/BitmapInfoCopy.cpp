#include "sprites/BitmapInfoCopy.h"

namespace {

void PutLittle32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

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
    PutLittle32(info + ColoursUsedAt, layout.bits <= 8 ? layout.colourCount : 0);
    if (layout.headerBytes >= 108) PutLittle32(info + ColourSpaceAt, StandardRgb);
    if (layout.headerBytes >= 124) {
        PutLittle32(info + ProfileDataAt, 0);
        PutLittle32(info + ProfileSizeAt, 0);
    }
}
