#pragma once
#include <string>

#include "SkinTypes.h"

// Paths given by the build: where the skins target wrote its files, the
// text sources it read, and the generator itself.
std::string SkinOutputPath(const std::string& relative);
std::string SkinSourcePath(const std::string& relative);
std::string SkinmakerPath();

// Decodes a generated frame, failing the calling test when it cannot.
bool LoadGeneratedFrame(const std::string& skin, const std::string& frame, RgbImage& image);
