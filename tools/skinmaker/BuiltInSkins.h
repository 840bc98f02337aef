// The skins as the program carries them inside itself, for a program
// started without any skin folder: every frame at 4 bits over its skin's
// palette, and the resource script that names them.
#pragma once
#include <string>
#include <vector>

#include "SkinTypes.h"

// The colours of all of a skin's frames, in order of first appearance;
// false when they are more than 16.
bool SkinPalette(const std::vector<RgbImage>& frames, std::vector<Rgb>& palette);

// The resource name of frame `frame` of skin folder `skin`, such as "A_W0".
std::string BuiltInFrameResource(const char* skin, const char* frame);

// Writes <folder>/builtin/<skin>/<frame>.bmp for every frame and
// <folder>/builtin.rc, which holds them as RCDATA resources by those names.
bool WriteBuiltInSkins(const std::string& folder, const std::vector<std::vector<RgbImage>>& frames, std::string& error);
