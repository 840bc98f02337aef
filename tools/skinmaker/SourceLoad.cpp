#include "SourceLoad.h"

#include "FileAccess.h"
#include "FrameNames.h"
#include "GridText.h"
#include "PaletteText.h"

namespace {

bool LoadGrid(const std::string& path, int side, CharGrid& grid, std::vector<Anchor>& anchors,
              std::string& error)
{
    std::string text;
    if (!ReadWholeFile(path, text, error)) return false;
    return ParseGrid(path, text, side, side, grid, anchors, error);
}

bool LoadSkin(const std::string& folder, const std::string& name, SkinSource& skin, std::string& error)
{
    skin.folder = name;
    const std::string palettePath = folder + "/" + name + "/palette.txt";
    std::string text;
    if (!ReadWholeFile(palettePath, text, error)) return false;
    if (!ParsePalette(palettePath, text, skin.palette, error)) return false;
    const std::string outfitPath = folder + "/" + name + "/outfit.txt";
    skin.overlays.clear();
    if (!FileExists(outfitPath)) return true;
    if (!ReadWholeFile(outfitPath, text, error)) return false;
    return ParseOutfit(outfitPath, text, skin.overlays, error);
}

}  // namespace

bool LoadSkinSources(const std::string& folder, SkinSources& sources, std::string& error)
{
    sources = SkinSources{};
    for (const char* frameName : FrameNames) {
        PoseSource pose;
        pose.frameName = frameName;
        if (!LoadGrid(folder + "/poses/" + frameName + ".txt", FrameSide, pose.grid, pose.anchors, error))
            return false;
        sources.poses.push_back(pose);
    }
    for (const char* skinFolder : SkinFolders) {
        SkinSource skin;
        if (!LoadSkin(folder, skinFolder, skin, error)) return false;
        sources.skins.push_back(skin);
    }
    std::vector<Anchor> unused;
    if (!LoadGrid(folder + "/icons/head32.txt", 32, sources.icons.head32, unused, error)) return false;
    return LoadGrid(folder + "/icons/head16.txt", 16, sources.icons.head16, unused, error);
}
