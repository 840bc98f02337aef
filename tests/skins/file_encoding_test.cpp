// Byte layout of the bitmaps and icons, checked against the formats
// rather than against the decoders alone.
#include <gtest/gtest.h>

#include <vector>

#include "BmpFile.h"
#include "IconFile.h"
#include "TestFixtures.h"

namespace {

RgbImage Filled(int width, int height, Rgb colour)
{
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(width * height, colour);
    return image;
}

}  // namespace

TEST(BmpEncoding, StoresTheTopRowLastInBlueGreenRedOrder)
{
    RgbImage image = Filled(2, 2, Rgb{0, 0, 0});
    image.pixels[0] = Rgb{1, 2, 3};  // top left
    image.pixels[3] = Rgb{4, 5, 6};  // bottom right
    const std::vector<uint8_t> bytes = EncodeBmp24(image);
    // Rows of 2 pixels take 6 bytes, padded to 8.
    ASSERT_EQ(bytes.size(), 54u + 2 * 8);
    EXPECT_EQ(bytes[54 + 3], 6);  // bottom row first: its second pixel
    EXPECT_EQ(bytes[54 + 4], 5);
    EXPECT_EQ(bytes[54 + 5], 4);
    EXPECT_EQ(bytes[54 + 8], 3);  // top row second: its first pixel
    EXPECT_EQ(bytes[54 + 9], 2);
    EXPECT_EQ(bytes[54 + 10], 1);
    EXPECT_EQ(bytes[54 + 6], 0);  // padding
}

TEST(BmpEncoding, DecodesWhatItEncodes)
{
    RgbImage image = Filled(5, 3, Rgb{9, 8, 7});
    image.pixels[7] = Rgb{0, 255, 0};
    BmpHeader header;
    RgbImage back;
    std::string error;
    ASSERT_TRUE(DecodeBmp24(EncodeBmp24(image), header, back, error)) << error;
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, image.pixels);
}

TEST(BmpEncoding, DecoderRefusesTruncatedFiles)
{
    std::vector<uint8_t> bytes = EncodeBmp24(Filled(60, 60, Rgb{1, 1, 1}));
    bytes.resize(bytes.size() - 1);
    BmpHeader header;
    RgbImage image;
    std::string error;
    EXPECT_FALSE(DecodeBmp24(bytes, header, image, error));
}

TEST(IconEncoding, PacksTheLeftPixelHighAndMasksSeeThroughPixels)
{
    IconPicture picture;
    picture.image = Filled(16, 16, Rgb{0, 0, 0});
    picture.opaque.assign(16 * 16, 0);
    picture.image.pixels[15 * 16 + 1] = Rgb{200, 100, 50};  // bottom row, second pixel
    picture.opaque[15 * 16 + 1] = 1;
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeIcon({picture}, bytes, error)) << error;
    const size_t image = 6 + 16;
    const size_t palette = image + 40;
    const size_t xorRows = palette + 16 * 4;
    const size_t andRows = xorRows + 8 * 16;
    ASSERT_EQ(bytes.size(), andRows + 4 * 16);
    // Palette entry 1 holds the colour, as blue, green, red, 0.
    EXPECT_EQ(bytes[palette + 4], 50);
    EXPECT_EQ(bytes[palette + 5], 100);
    EXPECT_EQ(bytes[palette + 6], 200);
    EXPECT_EQ(bytes[xorRows], 0x01);  // bottom row first; pixel 1 in the low nibble
    EXPECT_EQ(bytes[andRows], 0xBF);  // all see-through but pixel 1
    EXPECT_EQ(bytes[andRows + 1], 0xFF);
    EXPECT_EQ(bytes[andRows + 2], 0x00);  // row padding
}

TEST(IconEncoding, RefusesMoreColoursThanTheDepthHolds)
{
    IconPicture picture;
    picture.image = Filled(16, 16, Rgb{0, 0, 0});
    picture.opaque.assign(16 * 16, 1);
    // Black shares the see-through entry, so 16 other colours are one too many.
    for (int i = 0; i < 16; ++i) picture.image.pixels[i] = Rgb{static_cast<uint8_t>(10 + i), 0, 0};
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeIcon({picture}, bytes, error));
    picture.bitCount = 8;
    EXPECT_TRUE(EncodeIcon({picture}, bytes, error)) << error;
}

TEST(FixtureFiles, SavedataHoldsTheRangeAtOffsets512And516AndZerosElsewhere)
{
    const std::vector<uint8_t> bytes = EncodeSavedata(0x01020304, -2);
    ASSERT_EQ(bytes.size(), 552u);
    const std::vector<uint8_t> range(bytes.begin() + 512, bytes.begin() + 520);
    EXPECT_EQ(range, (std::vector<uint8_t>{0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF}));
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (at < 512 || at >= 520) {
            EXPECT_EQ(bytes[at], 0) << "byte " << at;
        }
    }
}

// The pictures the screen checks of the scripts expect: one colour a skin,
// a block from (10, 10) to (49, 59) on the key, in a 24-bit BMP.
TEST(FixtureFiles, StandInFramesAreTheirSkinsBlockOnTheKey)
{
    const struct {
        const char* skin;
        Rgb colour;
    } rows[] = {{"a", {0xC0, 0, 0}}, {"b", {0, 0, 0xC0}}, {"c", {0xC0, 0xC0, 0}}, {"d", {0xC0, 0, 0xC0}}};
    const Rgb key = {0, 255, 0};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.skin);
        Rgb colour = {};
        ASSERT_TRUE(StandInColour(row.skin, colour));
        EXPECT_EQ(colour, row.colour);
        const std::vector<uint8_t> bytes = EncodeBmp24(StandInFrame(colour));
        ASSERT_EQ(bytes.size(), 54u + 60 * 180);
        BmpHeader header;
        RgbImage image;
        std::string error;
        ASSERT_TRUE(DecodeBmp24(bytes, header, image, error)) << error;
        ASSERT_EQ(image.width, 60);
        ASSERT_EQ(image.height, 60);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool inBlock = x >= 10 && x <= 49 && y >= 10 && y <= 59;
                ASSERT_EQ(image.pixels[y * 60 + x], inBlock ? row.colour : key) << "at " << x << ", " << y;
            }
    }
    Rgb colour = {};
    EXPECT_FALSE(StandInColour("e", colour));
}
