// skinmaker <skins-source-dir> <output-dir>
//   Builds the mascot's skin folders a/ to d/, the copies of them built
//   into the program (builtin/ and builtin.rc), its icons and a contact
//   sheet from the text sources.
// skinmaker --savedata <file> <range-x> <range-y>
//   Writes a "savedata" holding that wander range, for the scripts.
// skinmaker --stand-ins <folder> [skin...]
//   Writes stand-in skins (a to d, or those named) into the folder.
// Explains on stderr what it could not do.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "BuiltInSkins.h"
#include "ContactSheet.h"
#include "FileAccess.h"
#include "FrameNames.h"
#include "SkinRender.h"
#include "SourceLoad.h"
#include "TestFixtures.h"

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
    return WriteBuiltInSkins(folder, frames, error) && MakeFolder(iconFolder, error) && WriteWholeFile(iconFolder + "/mascot107.ico", large, error) &&
           WriteWholeFile(iconFolder + "/mascot108.ico", small, error) &&
           WriteWholeFile(folder + "/contact.bmp", EncodeBmp24(BuildContactSheet(frames, SheetScale)), error);
}

bool ParseInt32(const char* text, int32_t& value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool WriteSavedata(const char* path, const char* x, const char* y, std::string& error)
{
    int32_t rangeX = 0;
    int32_t rangeY = 0;
    if (!ParseInt32(x, rangeX) || !ParseInt32(y, rangeY)) {
        error = std::string("not a 32-bit range: ") + x + " " + y;
        return false;
    }
    return WriteWholeFile(path, EncodeSavedata(rangeX, rangeY), error);
}

bool WriteStandIns(const std::string& folder, const std::vector<std::string>& skins, std::string& error)
{
    for (const std::string& skin : skins) {
        Rgb colour = {};
        if (!StandInColour(skin, colour)) {
            error = "no skin folder named '" + skin + "'";
            return false;
        }
        const std::vector<uint8_t> frame = EncodeBmp24(StandInFrame(colour));
        const std::string skinFolder = folder + "/" + skin;
        if (!MakeFolder(skinFolder, error)) return false;
        for (const char* name : FrameNames)
            if (!WriteWholeFile(skinFolder + "/" + name + ".bmp", frame, error)) return false;
    }
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: skinmaker <skins-source-dir> <output-dir>\n"
                         "       skinmaker --savedata <file> <range-x> <range-y>\n"
                         "       skinmaker --stand-ins <folder> [skin...]\n");
    return 2;
}

int Failed(const std::string& error)
{
    std::fprintf(stderr, "skinmaker: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    if (argc == 5 && std::strcmp(argv[1], "--savedata") == 0)
        return WriteSavedata(argv[2], argv[3], argv[4], error) ? 0 : Failed(error);
    if (argc >= 3 && std::strcmp(argv[1], "--stand-ins") == 0) {
        std::vector<std::string> skins(argv + 3, argv + argc);
        if (skins.empty()) skins.assign(SkinFolders, SkinFolders + SkinCount);
        return WriteStandIns(argv[2], skins, error) ? 0 : Failed(error);
    }
    if (argc != 3 || argv[1][0] == '-') return Usage();
    // Everything is rendered before anything is written, so a broken
    // source leaves the previous output whole.
    SkinSources sources;
    std::vector<std::vector<RgbImage>> frames;
    std::vector<uint8_t> large;
    std::vector<uint8_t> small;
    if (!LoadSkinSources(argv[1], sources, error) || !RenderSkinFrames(sources, frames, error) ||
        !RenderIcons(sources, large, small, error) || !WriteOutputs(argv[2], frames, large, small, error))
        return Failed(error);
    return 0;
}
