// skinmaker <skins-source-dir> <output-dir>
// Builds the mascot's skin folders a/ to d/, its icons and a contact sheet
// from the text sources, or explains on stderr why it could not.
#include <cstdio>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "ContactSheet.h"
#include "FileAccess.h"
#include "FrameNames.h"
#include "SkinRender.h"
#include "SourceLoad.h"

namespace {

constexpr int SheetScale = 2;

bool WriteOutputs(const std::string& folder, const std::vector<std::vector<RgbImage>>& frames,
                  const std::vector<uint8_t>& large, const std::vector<uint8_t>& small, std::string& error)
{
    for (size_t skin = 0; skin < frames.size(); ++skin) {
        const std::string skinFolder = folder + "/" + SkinFolders[skin];
        if (!MakeFolder(skinFolder, error)) return false;
        for (size_t frame = 0; frame < frames[skin].size(); ++frame) {
            const std::string path = skinFolder + "/" + FrameNames[frame] + ".bmp";
            if (!WriteWholeFile(path, EncodeBmp24(frames[skin][frame]), error)) return false;
        }
    }
    const std::string iconFolder = folder + "/icons";
    return MakeFolder(iconFolder, error) && WriteWholeFile(iconFolder + "/mascot107.ico", large, error) &&
           WriteWholeFile(iconFolder + "/mascot108.ico", small, error) &&
           WriteWholeFile(folder + "/contact.bmp", EncodeBmp24(BuildContactSheet(frames, SheetScale)), error);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinmaker <skins-source-dir> <output-dir>\n");
        return 2;
    }
    // Everything is rendered before anything is written, so a broken
    // source leaves the previous output whole.
    SkinSources sources;
    std::vector<std::vector<RgbImage>> frames;
    std::vector<uint8_t> large;
    std::vector<uint8_t> small;
    std::string error;
    if (!LoadSkinSources(argv[1], sources, error) || !RenderSkinFrames(sources, frames, error) ||
        !RenderIcons(sources, large, small, error) || !WriteOutputs(argv[2], frames, large, small, error)) {
        std::fprintf(stderr, "skinmaker: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
