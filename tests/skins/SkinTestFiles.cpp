#include "SkinTestFiles.h"

#include <gtest/gtest.h>

#include "BmpFile.h"
#include "FileAccess.h"

std::string SkinOutputPath(const std::string& relative) { return std::string(SKIN_OUTPUT_DIR) + "/" + relative; }

std::string SkinSourcePath(const std::string& relative) { return std::string(SKIN_SOURCE_DIR) + "/" + relative; }

std::string SkinmakerPath() { return SKINMAKER_PATH; }

bool LoadGeneratedFrame(const std::string& skin, const std::string& frame, RgbImage& image)
{
    const std::string path = SkinOutputPath(skin + "/" + frame + ".bmp");
    std::vector<uint8_t> bytes;
    std::string error;
    BmpHeader header;
    if (!ReadWholeFileBytes(path, bytes, error) || !DecodeBmp24(bytes, header, image, error)) {
        ADD_FAILURE() << path << ": " << error;
        return false;
    }
    return true;
}
