// The parsers must refuse malformed sources with a message that points at
// the file and line, since a broken edit has to fail the build.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameCompose.h"
#include "GridText.h"
#include "PaletteText.h"

namespace {

std::string Rows(int count, const std::string& row)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += row + "\n";
    return text;
}

std::string EmptyPoseText() { return "# a pose\n@hat 30 20\n" + Rows(60, std::string(60, '.')); }

PoseSource PoseFrom(const std::string& text)
{
    PoseSource pose;
    std::string error;
    EXPECT_TRUE(ParseGrid("pose.txt", text, 60, 60, pose.grid, pose.anchors, error)) << error;
    return pose;
}

SkinSource SkinWith(const std::string& paletteText)
{
    SkinSource skin;
    std::string error;
    EXPECT_TRUE(ParsePalette("palette.txt", paletteText, skin.palette, error)) << error;
    return skin;
}

}  // namespace

TEST(GridParsing, ReadsRowsAnchorsAndSkipsComments)
{
    std::string text = "# comment\n@hat 30 20\n\n" + Rows(59, std::string(60, '.')) + std::string(59, '.') + "O\n";
    CharGrid grid;
    std::vector<Anchor> anchors;
    std::string error;
    ASSERT_TRUE(ParseGrid("pose.txt", text, 60, 60, grid, anchors, error)) << error;
    ASSERT_EQ(grid.rows.size(), 60u);
    EXPECT_EQ(grid.rows[59][59], 'O');
    EXPECT_EQ(grid.lineNumbers[0], 4);
    ASSERT_EQ(anchors.size(), 1u);
    EXPECT_EQ(anchors[0].name, "hat");
    EXPECT_EQ(anchors[0].x, 30);
    EXPECT_EQ(anchors[0].y, 20);
}

TEST(GridParsing, AcceptsWindowsLineEnds)
{
    std::string text;
    for (int i = 0; i < 60; ++i) text += std::string(60, '.') + "\r\n";
    CharGrid grid;
    std::vector<Anchor> anchors;
    std::string error;
    EXPECT_TRUE(ParseGrid("pose.txt", text, 60, 60, grid, anchors, error)) << error;
}

TEST(GridParsing, RefusesARowOfTheWrongWidthNamingItsLine)
{
    for (const int width : {59, 61}) {
        const std::string blank(60, '.');
        const std::string text = Rows(10, blank) + std::string(width, '.') + "\n" + Rows(49, blank);
        CharGrid grid;
        std::vector<Anchor> anchors;
        std::string error;
        EXPECT_FALSE(ParseGrid("pose.txt", text, 60, 60, grid, anchors, error));
        EXPECT_NE(error.find("pose.txt:11:"), std::string::npos) << error;
    }
}

TEST(GridParsing, RefusesTooFewOrTooManyRows)
{
    for (const int count : {59, 61}) {
        CharGrid grid;
        std::vector<Anchor> anchors;
        std::string error;
        EXPECT_FALSE(ParseGrid("pose.txt", Rows(count, std::string(60, '.')), 60, 60, grid, anchors, error))
            << count << " rows";
        EXPECT_FALSE(error.empty());
    }
}

TEST(GridParsing, RefusesAnchorsOutsideTheGridOrMalformed)
{
    for (const char* anchor : {"@hat 60 10", "@hat 10 -1", "@hat 10", "@hat x 10", "@hat 1 2 3"}) {
        CharGrid grid;
        std::vector<Anchor> anchors;
        std::string error;
        const std::string text = std::string(anchor) + "\n" + Rows(60, std::string(60, '.'));
        EXPECT_FALSE(ParseGrid("pose.txt", text, 60, 60, grid, anchors, error)) << anchor;
    }
}

TEST(PaletteParsing, ReadsColoursAndIgnoresNotes)
{
    Palette palette;
    std::string error;
    ASSERT_TRUE(ParsePalette("palette.txt", "# c r g b\nO 62 36 44 outline\nB 255 204 112\n", palette, error))
        << error;
    ASSERT_EQ(palette.colours.size(), 2u);
    EXPECT_EQ(palette.colours['O'], (Rgb{62, 36, 44}));
    EXPECT_EQ(palette.colours['B'], (Rgb{255, 204, 112}));
}

TEST(PaletteParsing, RefusesColoursNearTheKeyOnEveryChannel)
{
    Palette palette;
    std::string error;
    EXPECT_FALSE(ParsePalette("palette.txt", "G 0 255 0\n", palette, error));
    EXPECT_FALSE(ParsePalette("palette.txt", "G 24 231 24\n", palette, error));
    EXPECT_NE(error.find("palette.txt:1:"), std::string::npos) << error;
    // One channel far enough away is enough.
    EXPECT_TRUE(ParsePalette("palette.txt", "G 25 231 24\n", palette, error)) << error;
    EXPECT_TRUE(ParsePalette("palette.txt", "G 0 230 0\n", palette, error)) << error;
}

TEST(PaletteParsing, RefusesReservedCharactersDuplicatesAndBadNumbers)
{
    for (const char* text :
         {". 1 2 3\n", "# ok\n@ 1 2 3\n", "AB 1 2 3\n", "A 1 2\n", "A 1 2 256\n", "A 1 2 -1\n", "A 1 2 x\n",
          "A 1 2 3\nA 4 5 6\n", "# nothing\n"}) {
        Palette palette;
        std::string error;
        EXPECT_FALSE(ParsePalette("palette.txt", text, palette, error)) << text;
    }
}

TEST(OutfitParsing, RefusesRowsWithoutAHeaderAndUnevenRows)
{
    std::vector<Overlay> overlays;
    std::string error;
    EXPECT_FALSE(ParseOutfit("outfit.txt", "HHH\n", overlays, error));
    EXPECT_FALSE(ParseOutfit("outfit.txt", "@hat 1 1\nHHH\nHH\n", overlays, error));
    EXPECT_NE(error.find("outfit.txt:3:"), std::string::npos) << error;
    EXPECT_FALSE(ParseOutfit("outfit.txt", "@hat 1 1\n", overlays, error));
}

TEST(FrameComposing, PaintsPaletteColoursAndTheExactKey)
{
    std::string text = EmptyPoseText();
    text[text.find('.')] = 'B';  // top-left cell
    const PoseSource pose = PoseFrom(text);
    const SkinSource skin = SkinWith("B 10 20 30\n");
    RgbImage image;
    std::string error;
    ASSERT_TRUE(ComposeFrame(pose, skin, image, error)) << error;
    EXPECT_EQ(image.pixels[0], (Rgb{10, 20, 30}));
    EXPECT_EQ(image.pixels[1], (Rgb{0, 255, 0}));
}

TEST(FrameComposing, RefusesACharacterTheSkinsPaletteLacks)
{
    std::string text = EmptyPoseText();
    // Row 3 of the grid, column 5: line 5 of the file.
    text[text.find('\n', text.find("@hat")) + 1 + 2 * 61 + 4] = 'Q';
    const PoseSource pose = PoseFrom(text);
    RgbImage image;
    std::string error;
    EXPECT_FALSE(ComposeFrame(pose, SkinWith("B 10 20 30\n"), image, error));
    EXPECT_NE(error.find("pose.txt:5:"), std::string::npos) << error;
    EXPECT_NE(error.find("column 5"), std::string::npos) << error;
    EXPECT_NE(error.find("'Q'"), std::string::npos) << error;
}

TEST(FrameComposing, PlacesOverlaysOnTheAnchorAndKeepsWhatDotsCover)
{
    std::string text = EmptyPoseText();
    const PoseSource pose = PoseFrom(text);
    SkinSource skin = SkinWith("H 200 0 0\n");
    std::string error;
    ASSERT_TRUE(ParseOutfit("outfit.txt", "@hat 1 2\n.H\nHH\nH.\n", skin.overlays, error)) << error;
    RgbImage image;
    ASSERT_TRUE(ComposeFrame(pose, skin, image, error)) << error;
    // Overlay cell (1, 2) is '.', so the anchor (30, 20) stays see-through;
    // its cell (0, 2) lands one to the left of it.
    const Rgb hat = {200, 0, 0};
    EXPECT_EQ(image.pixels[20 * 60 + 30], (Rgb{0, 255, 0}));
    EXPECT_EQ(image.pixels[20 * 60 + 29], hat);
    EXPECT_EQ(image.pixels[18 * 60 + 30], hat);
    EXPECT_EQ(image.pixels[18 * 60 + 29], (Rgb{0, 255, 0}));
}

TEST(FrameComposing, RefusesOverlaysOffTheFrameOrWithoutTheirAnchor)
{
    SkinSource skin = SkinWith("H 200 0 0\n");
    std::string error;
    ASSERT_TRUE(ParseOutfit("outfit.txt", "@hat 0 25\nH\n", skin.overlays, error)) << error;
    RgbImage image;
    EXPECT_FALSE(ComposeFrame(PoseFrom(EmptyPoseText()), skin, image, error));  // lands on row -5

    ASSERT_TRUE(ParseOutfit("outfit.txt", "@scarf 0 0\nH\n", skin.overlays, error)) << error;
    EXPECT_FALSE(ComposeFrame(PoseFrom(EmptyPoseText()), skin, image, error));
    EXPECT_NE(error.find("@scarf"), std::string::npos) << error;
}
