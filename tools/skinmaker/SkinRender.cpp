#include "SkinRender.h"

#include "FrameCompose.h"
#include "IconFile.h"

namespace {

bool MakePicture(const CharGrid& grid, const Palette& palette, int bitCount, IconPicture& picture,
                 std::string& error)
{
    picture.bitCount = bitCount;
    return ColourGrid(grid, palette, picture.image, picture.opaque, error);
}

}  // namespace

bool RenderSkinFrames(const SkinSources& sources, std::vector<std::vector<RgbImage>>& frames, std::string& error)
{
    frames.assign(sources.skins.size(), {});
    for (size_t skin = 0; skin < sources.skins.size(); ++skin) {
        for (const PoseSource& pose : sources.poses) {
            RgbImage image;
            if (!ComposeFrame(pose, sources.skins[skin], image, error)) return false;
            frames[skin].push_back(image);
        }
    }
    return true;
}

bool RenderIcons(const SkinSources& sources, std::vector<uint8_t>& large, std::vector<uint8_t>& small,
                 std::string& error)
{
    if (sources.skins.empty()) {
        error = "no skin palette to colour the icons with";
        return false;
    }
    const Palette& palette = sources.skins[0].palette;
    IconPicture big16;
    IconPicture big256;
    IconPicture little16;
    if (!MakePicture(sources.icons.head32, palette, 4, big16, error) ||
        !MakePicture(sources.icons.head32, palette, 8, big256, error) ||
        !MakePicture(sources.icons.head16, palette, 4, little16, error))
        return false;
    return EncodeIcon({big16, big256, little16}, large, error) && EncodeIcon({little16}, small, error);
}
