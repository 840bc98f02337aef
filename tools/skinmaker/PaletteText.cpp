#include "PaletteText.h"

#include <cstdio>

#include "KeyColour.h"
#include "TextLines.h"

bool IsColourChar(char c)
{
    return c > ' ' && c < 127 && c != KeyChar && c != '#' && c != '@';
}

bool ParsePalette(const std::string& path, const std::string& text, Palette& palette, std::string& error)
{
    palette.sourcePath = path;
    palette.colours.clear();
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::vector<std::string> words = SplitWords(lines[i]);
        if (words.empty() || words[0][0] == '#') continue;
        if (words[0].size() != 1 || !IsColourChar(words[0][0])) {
            error = Where(path, lineNumber) + "'" + words[0] + "' is not a usable palette character";
            return false;
        }
        const char c = words[0][0];
        int channels[3] = {};
        if (words.size() < 4 || !ParseBoundedInt(words[1], 0, 255, channels[0]) ||
            !ParseBoundedInt(words[2], 0, 255, channels[1]) || !ParseBoundedInt(words[3], 0, 255, channels[2])) {
            error = Where(path, lineNumber) + "expected '" + std::string(1, c) + " <red> <green> <blue>' with 0..255";
            return false;
        }
        if (palette.colours.count(c) != 0) {
            error = Where(path, lineNumber) + "'" + std::string(1, c) + "' is defined twice";
            return false;
        }
        const Rgb colour = {static_cast<uint8_t>(channels[0]), static_cast<uint8_t>(channels[1]),
                            static_cast<uint8_t>(channels[2])};
        if (IsNearKey(colour)) {
            error = Where(path, lineNumber) + "colour of '" + std::string(1, c) +
                    "' is within " + std::to_string(KeyMargin) + " of the colour key 0 255 0";
            return false;
        }
        palette.colours[c] = colour;
    }
    if (palette.colours.empty()) {
        error = path + ": palette defines no colours";
        return false;
    }
    return true;
}
