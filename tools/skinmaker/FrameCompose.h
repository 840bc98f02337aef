#pragma once
#include <string>

#include "SkinTypes.h"

// Paints one frame: the pose's grid, the skin's overlays placed on the
// pose's anchors, every character looked up in the skin's palette and
// '.' turned into the colour key. Fails on a character the palette lacks,
// an anchor the pose lacks, or an overlay reaching outside the frame.
bool ComposeFrame(const PoseSource& pose, const SkinSource& skin, RgbImage& image, std::string& error);

// Colours a grid through a palette; '.' cells come out see-through
// (opaque 0) in black, all others opaque (1).
bool ColourGrid(const CharGrid& grid, const Palette& palette, RgbImage& image, std::vector<uint8_t>& opaque,
                std::string& error);
