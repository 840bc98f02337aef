// Checks the icon files the skins target wrote for the resource script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileAccess.h"
#include "IconFile.h"
#include "SkinTestFiles.h"

namespace {

struct ExpectedEntry {
    int side;
    int colourCount;
    int bitCount;
    uint32_t bytes;  // header + full palette + XOR rows + AND rows
};

// 32 x 32 at 4 bits: 40 + 16 * 4 + 16 * 32 + 4 * 32; and so on.
constexpr ExpectedEntry Large16 = {32, 16, 4, 744};
constexpr ExpectedEntry Large256 = {32, 0, 8, 2216};
constexpr ExpectedEntry Small16 = {16, 16, 4, 296};

bool LoadIcon(const std::string& name, std::vector<uint8_t>& bytes, std::vector<IconImageInfo>& images)
{
    std::string error;
    if (!ReadWholeFileBytes(SkinOutputPath("icons/" + name), bytes, error) || !DecodeIcon(bytes, images, error)) {
        ADD_FAILURE() << name << ": " << error;
        return false;
    }
    return true;
}

void ExpectEntries(const std::vector<uint8_t>& bytes, const std::vector<IconImageInfo>& images,
                   const std::vector<ExpectedEntry>& expected)
{
    ASSERT_EQ(images.size(), expected.size());
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("picture " + std::to_string(i));
        const IconImageInfo& info = images[i];
        EXPECT_EQ(info.width, expected[i].side);
        EXPECT_EQ(info.height, expected[i].side);
        EXPECT_EQ(info.colourCount, expected[i].colourCount);
        EXPECT_EQ(info.planes, 1);
        EXPECT_EQ(info.bitCount, expected[i].bitCount);
        EXPECT_EQ(info.bytesInRes, expected[i].bytes);
        EXPECT_EQ(info.imageOffset, offset);
        EXPECT_EQ(info.infoSize, 40u);
        EXPECT_EQ(info.infoWidth, expected[i].side);
        EXPECT_EQ(info.infoHeight, expected[i].side * 2);
        EXPECT_EQ(info.infoBitCount, static_cast<uint32_t>(expected[i].bitCount));
        EXPECT_EQ(info.compression, 0u);
        offset += expected[i].bytes;
    }
    EXPECT_EQ(bytes.size(), offset);
}

// A drawn head: corners see-through, a good part of the square opaque,
// and more than one colour in it.
void ExpectHeadPicture(const IconImageInfo& info)
{
    const int side = info.image.width;
    EXPECT_FALSE(info.opaque[0]);
    EXPECT_FALSE(info.opaque[side - 1]);
    EXPECT_FALSE(info.opaque[(side - 1) * side]);
    EXPECT_FALSE(info.opaque[side * side - 1]);
    int opaque = 0;
    bool severalColours = false;
    Rgb first = {};
    for (int i = 0; i < side * side; ++i) {
        if (!info.opaque[i]) continue;
        if (opaque == 0) first = info.image.pixels[i];
        severalColours = severalColours || info.image.pixels[i] != first;
        ++opaque;
    }
    EXPECT_GT(opaque, side * side / 3);
    EXPECT_TRUE(severalColours);
}

void ExpectSamePicture(const IconImageInfo& left, const IconImageInfo& right)
{
    ASSERT_EQ(left.image.width, right.image.width);
    EXPECT_EQ(left.opaque, right.opaque);
    for (size_t i = 0; i < left.opaque.size(); ++i) {
        if (left.opaque[i]) {
            ASSERT_EQ(left.image.pixels[i], right.image.pixels[i]) << "pixel " << i;
        }
    }
}

}  // namespace

TEST(GeneratedIcons, LargeIconHoldsThreePicturesInResourceOrder)
{
    std::vector<uint8_t> bytes;
    std::vector<IconImageInfo> images;
    ASSERT_TRUE(LoadIcon("mascot107.ico", bytes, images));
    ASSERT_EQ(images.size(), 3u);
    ExpectEntries(bytes, images, {Large16, Large256, Small16});
    for (const IconImageInfo& info : images) ExpectHeadPicture(info);
    // The 16- and 256-colour versions show the same head.
    ExpectSamePicture(images[0], images[1]);
}

TEST(GeneratedIcons, SmallIconHoldsOne16ColourPicture)
{
    std::vector<uint8_t> bytes;
    std::vector<IconImageInfo> images;
    ASSERT_TRUE(LoadIcon("mascot108.ico", bytes, images));
    ASSERT_EQ(images.size(), 1u);
    ExpectEntries(bytes, images, {Small16});
    ExpectHeadPicture(images[0]);

    std::vector<uint8_t> largeBytes;
    std::vector<IconImageInfo> large;
    ASSERT_TRUE(LoadIcon("mascot107.ico", largeBytes, large));
    ASSERT_EQ(large.size(), 3u);
    ExpectSamePicture(images[0], large[2]);
}
