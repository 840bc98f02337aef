#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SkinTypes.h"

// frames[skin][frame], in the order of SkinFolders and FrameNames.
bool RenderSkinFrames(const SkinSources& sources, std::vector<std::vector<RgbImage>>& frames, std::string& error);

// The program's two icons, coloured with the first skin's palette:
// large = 32 x 32 in 16 colours, 32 x 32 in 256 colours, 16 x 16 in 16
// colours; small = 16 x 16 in 16 colours.
bool RenderIcons(const SkinSources& sources, std::vector<uint8_t>& large, std::vector<uint8_t>& small,
                 std::string& error);
