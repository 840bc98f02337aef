// Checks the bitmaps the skins target wrote for this build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "FileAccess.h"
#include "SkinTestFiles.h"

namespace {

// Written out here rather than taken from the generator, so that a typo
// there cannot hide from the test.
const std::vector<std::string> Skins = {"a", "b", "c", "d"};
const std::vector<std::string> Frames = {"w0", "w1",  "w2", "w3",  "w4",   "w5",  "n0",    "j0",     "jj0",
                                         "d0", "f0", "ff0", "p0", "kan0", "st0", "kime0", "sleep0", "k0"};
const std::vector<std::string> WalkFrames = {"w0", "w1", "w2", "w3", "w4", "w5"};
// Frames on the ground; the rest are in the air and may float.
const std::vector<std::string> GroundedFrames = {"w0", "w1", "w2",  "w3",  "w4",    "w5",     "n0",
                                                 "d0", "p0", "kan0", "st0", "kime0", "sleep0", "k0"};

bool IsKey(Rgb pixel) { return pixel.r == 0 && pixel.g == 255 && pixel.b == 0; }

bool IsNearKey(Rgb pixel) { return pixel.r <= 24 && pixel.g >= 255 - 24 && pixel.b <= 24; }

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint32_t Le16(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] | bytes[at + 1] << 8; }

}  // namespace

TEST(GeneratedFrames, EachSkinFolderHoldsExactlyTheEighteenFrames)
{
    std::set<std::string> expected;
    for (const std::string& frame : Frames) expected.insert(frame + ".bmp");
    for (const std::string& skin : Skins) {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(SkinOutputPath(skin)))
            found.insert(entry.path().filename().string());
        EXPECT_EQ(found, expected) << "skin " << skin;
    }
}

TEST(GeneratedFrames, HeadersDescribeBottomUp24BitUncompressed60By60)
{
    for (const std::string& skin : Skins) {
        for (const std::string& frame : Frames) {
            SCOPED_TRACE(skin + "/" + frame);
            std::vector<uint8_t> bytes;
            std::string error;
            ASSERT_TRUE(ReadWholeFileBytes(SkinOutputPath(skin + "/" + frame + ".bmp"), bytes, error)) << error;
            ASSERT_EQ(bytes.size(), 14u + 40u + 60u * 180u);
            EXPECT_EQ(bytes[0], 'B');
            EXPECT_EQ(bytes[1], 'M');
            EXPECT_EQ(Le32(bytes, 2), bytes.size());
            EXPECT_EQ(Le32(bytes, 10), 54u);
            EXPECT_EQ(Le32(bytes, 14), 40u);
            EXPECT_EQ(Le32(bytes, 18), 60u);
            EXPECT_EQ(Le32(bytes, 22), 60u);  // positive: bottom-up
            EXPECT_EQ(Le16(bytes, 26), 1u);
            EXPECT_EQ(Le16(bytes, 28), 24u);
            EXPECT_EQ(Le32(bytes, 30), 0u);
        }
    }
}

TEST(GeneratedFrames, KeyColourOnlyWhereSeeThroughAndNothingNearIt)
{
    for (const std::string& skin : Skins) {
        for (const std::string& frame : Frames) {
            SCOPED_TRACE(skin + "/" + frame);
            RgbImage image;
            ASSERT_TRUE(LoadGeneratedFrame(skin, frame, image));
            ASSERT_EQ(image.width, 60);
            ASSERT_EQ(image.height, 60);
            int keyCount = 0;
            for (int i = 0; i < 60 * 60; ++i) {
                const Rgb pixel = image.pixels[i];
                if (IsKey(pixel)) {
                    ++keyCount;
                    continue;
                }
                ASSERT_FALSE(IsNearKey(pixel)) << "pixel " << i % 60 << "," << i / 60;
            }
            // A real picture: plenty of both, not a blank or a filled cell.
            EXPECT_GT(keyCount, 60 * 60 / 4);
            EXPECT_GT(60 * 60 - keyCount, 60 * 60 / 8);
        }
    }
}

TEST(GeneratedFrames, WalkFramesAllDiffer)
{
    for (const std::string& skin : Skins) {
        std::vector<RgbImage> walk(WalkFrames.size());
        for (size_t i = 0; i < WalkFrames.size(); ++i) ASSERT_TRUE(LoadGeneratedFrame(skin, WalkFrames[i], walk[i]));
        for (size_t i = 0; i < walk.size(); ++i) {
            for (size_t j = i + 1; j < walk.size(); ++j)
                EXPECT_NE(walk[i].pixels, walk[j].pixels) << skin << ": " << WalkFrames[i] << " = " << WalkFrames[j];
        }
    }
}

TEST(GeneratedFrames, SkinsDifferInEveryFrame)
{
    for (const std::string& frame : Frames) {
        std::vector<RgbImage> images(Skins.size());
        for (size_t s = 0; s < Skins.size(); ++s) ASSERT_TRUE(LoadGeneratedFrame(Skins[s], frame, images[s]));
        for (size_t s = 0; s < Skins.size(); ++s) {
            for (size_t t = s + 1; t < Skins.size(); ++t)
                EXPECT_NE(images[s].pixels, images[t].pixels) << frame << ": " << Skins[s] << " = " << Skins[t];
        }
    }
}

TEST(GeneratedFrames, GroundedFramesStandOnTheBottomRow)
{
    for (const std::string& skin : Skins) {
        for (const std::string& frame : GroundedFrames) {
            RgbImage image;
            ASSERT_TRUE(LoadGeneratedFrame(skin, frame, image));
            bool touches = false;
            for (int x = 0; x < 60; ++x) touches = touches || !IsKey(image.pixels[59 * 60 + x]);
            EXPECT_TRUE(touches) << skin << "/" << frame << " floats above the bottom of the window";
        }
    }
}

TEST(GeneratedFrames, BareCharacterStandsFortyToFiftyPixelsTall)
{
    // Skin a wears nothing on its head, so its height is the character's.
    RgbImage image;
    ASSERT_TRUE(LoadGeneratedFrame("a", "n0", image));
    int top = 60;
    int bottom = -1;
    for (int i = 0; i < 60 * 60; ++i) {
        if (IsKey(image.pixels[i])) continue;
        top = std::min(top, i / 60);
        bottom = std::max(bottom, i / 60);
    }
    EXPECT_GE(bottom - top + 1, 40);
    EXPECT_LE(bottom - top + 1, 50);
}

TEST(GeneratedFrames, ContactSheetShowsEveryFrameWithoutTheKeyColour)
{
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFileBytes(SkinOutputPath("contact.bmp"), bytes, error)) << error;
    BmpHeader header;
    RgbImage sheet;
    ASSERT_TRUE(DecodeBmp24(bytes, header, sheet, error)) << error;
    EXPECT_GT(header.height, 0);
    EXPECT_GE(sheet.width, 18 * 60 * 2);
    EXPECT_GE(sheet.height, 4 * 60 * 2);
    for (const Rgb pixel : sheet.pixels) ASSERT_FALSE(IsKey(pixel));
}
