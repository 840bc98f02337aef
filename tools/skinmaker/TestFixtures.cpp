#include "TestFixtures.h"

#include "FrameNames.h"
#include "KeyColour.h"
#include "LittleEndian.h"

namespace {

constexpr int TextBytes = 2 * 256;
constexpr int ValueCount = 10;

// In the order of SkinFolders: strong colours far from the key and from
// each other, so a screenshot tells at once which skin shows.
constexpr Rgb StandInColours[SkinCount] = {{0xC0, 0, 0}, {0, 0, 0xC0}, {0xC0, 0xC0, 0}, {0xC0, 0, 0xC0}};

constexpr int BlockLeft = 10, BlockTop = 10, BlockRight = 49, BlockBottom = 59;

}  // namespace

std::vector<uint8_t> EncodeSavedata(int32_t rangeX, int32_t rangeY)
{
    std::vector<uint8_t> out(TextBytes, 0);
    PutU32(out, static_cast<uint32_t>(rangeX));
    PutU32(out, static_cast<uint32_t>(rangeY));
    for (int value = 2; value < ValueCount; ++value) PutU32(out, 0);
    return out;
}

bool StandInColour(const std::string& skin, Rgb& colour)
{
    for (int i = 0; i < SkinCount; ++i) {
        if (skin == SkinFolders[i]) {
            colour = StandInColours[i];
            return true;
        }
    }
    return false;
}

RgbImage StandInFrame(Rgb colour)
{
    RgbImage image;
    image.width = FrameSide;
    image.height = FrameSide;
    image.pixels.assign(FrameSide * FrameSide, KeyColour);
    for (int y = BlockTop; y <= BlockBottom; ++y)
        for (int x = BlockLeft; x <= BlockRight; ++x) image.pixels[y * FrameSide + x] = colour;
    return image;
}
