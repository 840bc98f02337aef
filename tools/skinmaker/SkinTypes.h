#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The program's window is 60 x 60 and draws each frame at its full size.
constexpr int FrameSide = 60;
// Marks see-through cells in pose grids and "leave unchanged" in overlays.
constexpr char KeyChar = '.';

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

inline bool operator==(Rgb left, Rgb right) { return left.r == right.r && left.g == right.g && left.b == right.b; }
inline bool operator!=(Rgb left, Rgb right) { return !(left == right); }

// Pixels top row first, left to right; file order is the writers' concern.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

// A rectangle of palette characters; lineNumbers keep each row's place in
// its file so that errors can point at it.
struct CharGrid {
    std::string sourcePath;
    std::vector<std::string> rows;
    std::vector<int> lineNumbers;
};

struct Palette {
    std::string sourcePath;
    std::map<char, Rgb> colours;
};

// A named point in a pose, such as the top of the head, where outfits attach.
struct Anchor {
    std::string name;
    int x = 0;
    int y = 0;
};

struct PoseSource {
    std::string frameName;
    CharGrid grid;
    std::vector<Anchor> anchors;
};

// Outfit piece: its cell (originX, originY) lands on the pose's anchor.
struct Overlay {
    std::string anchorName;
    int originX = 0;
    int originY = 0;
    CharGrid grid;
};

struct SkinSource {
    std::string folder;
    Palette palette;
    std::vector<Overlay> overlays;
};

struct IconSources {
    CharGrid head32;
    CharGrid head16;
};

struct SkinSources {
    std::vector<PoseSource> poses;
    std::vector<SkinSource> skins;
    IconSources icons;
};
