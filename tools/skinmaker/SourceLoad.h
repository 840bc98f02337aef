#pragma once
#include <string>

#include "SkinTypes.h"

// Reads the whole source tree: poses/<frame>.txt for every frame, and for
// every skin folder its palette.txt and optional outfit.txt, and
// icons/head32.txt and icons/head16.txt. Fails on the first file that is
// missing or malformed.
bool LoadSkinSources(const std::string& folder, SkinSources& sources, std::string& error);
