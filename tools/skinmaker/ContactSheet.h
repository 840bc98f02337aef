#pragma once
#include <vector>

#include "SkinTypes.h"

// One row per skin, one column per frame, each frame enlarged by scale,
// with the colour key shown as a light neutral so the art reads as it
// will on a desktop; frames are separated by a grey rule.
RgbImage BuildContactSheet(const std::vector<std::vector<RgbImage>>& skinFrames, int scale);
