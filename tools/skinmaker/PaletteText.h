#pragma once
#include <string>

#include "SkinTypes.h"

// Reads a palette: one "<char> <red> <green> <blue> [note]" per line, '#'
// starting a comment line. Rejects reserved characters, duplicates,
// channels outside 0..255 and colours near the window's colour key.
bool ParsePalette(const std::string& path, const std::string& text, Palette& palette, std::string& error);

// Characters that may stand for a colour: printable, and not one of the
// key '.', the comment mark '#' or the anchor mark '@'.
bool IsColourChar(char c);
