// The frame sequencer's choice of frame, the catalogue and sprite paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/MascotState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/FrameChoice.h"
#include "sprites/SpritePath.h"
#include "sprites/TextCopy.h"

namespace {

struct FrameTest : ::testing::Test {
    void SetUp() override
    {
        ResetMascotState();
        FillAnimationCatalogue();
    }
};

TEST_F(FrameTest, WalkCycleFromAFreshStart)
{
    std::string seen;
    for (int paint = 0; paint < 35; ++paint) {
        const FrameChoice c = ChooseFrame(0);
        ASSERT_TRUE(c.draw);
        EXPECT_FALSE(c.mirrored);
        seen += c.name;
        seen += ' ';
    }
    EXPECT_EQ(seen,
              "w0 w0 w0 w0 w1 w1 w1 w1 w1 w2 w2 w2 w2 w2 w3 w3 w3 w3 w3 "
              "w4 w4 w4 w4 w4 w5 w5 w5 w5 w5 w0 w0 w0 w0 w0 w1 ");
}

TEST_F(FrameTest, WalkLeftDrawsTheSameFramesMirroredAndKeepsItsPlace)
{
    for (int paint = 0; paint < 12; ++paint) ChooseFrame(0);
    const FrameChoice left = ChooseFrame(1);
    EXPECT_STREQ(left.name, "w2");
    EXPECT_TRUE(left.mirrored);
    const FrameChoice right = ChooseFrame(0);
    EXPECT_STREQ(right.name, "w2");
    EXPECT_FALSE(right.mirrored);
}

TEST_F(FrameTest, LeftFacingRowsMirrorTheRightFacingPictures)
{
    const int pairs[][2] = {{2, 6}, {3, 7}, {4, 8}, {5, 9}, {10, 13}, {11, 14}, {12, 15}};
    for (const auto& pair : pairs) {
        const FrameChoice right = ChooseFrame(pair[0]);
        const FrameChoice left = ChooseFrame(pair[1]);
        EXPECT_STREQ(right.name, left.name);
        EXPECT_FALSE(right.mirrored);
        EXPECT_TRUE(left.mirrored);
    }
    EXPECT_STREQ(ChooseFrame(2).name, "n0");
    EXPECT_STREQ(ChooseFrame(4).name, "jj0");
    EXPECT_STREQ(ChooseFrame(12).name, "p0");
    EXPECT_STREQ(ChooseFrame(30).name, "sleep0");
    EXPECT_FALSE(ChooseFrame(30).mirrored);
}

TEST_F(FrameTest, SwitchToAOneFrameRowStartsItsFrameAgain)
{
    mascot.frameIndex = 4;
    const FrameChoice c = ChooseFrame(3);
    EXPECT_STREQ(c.name, "j0");
    EXPECT_EQ(mascot.frameIndex, 0);
}

TEST_F(FrameTest, EmptyRowsDrawNothingButCount)
{
    mascot.frameIndex = 3;
    const FrameChoice empty = ChooseFrame(18);
    EXPECT_FALSE(empty.draw);
    EXPECT_EQ(mascot.frameDelay, 1);
    EXPECT_EQ(mascot.frameIndex, 0);
}

// A paint draws no row outside the catalogue, and so does not advance the
// sequencer for one either.
TEST_F(FrameTest, RowsOutsideTheCatalogueDrawNothingAndLeaveTheCounters)
{
    for (int32_t row : {AnimationRows, -1, AnimationRows + 1000, INT32_MIN}) {
        mascot.frameIndex = 3;
        mascot.frameDelay = 4;
        EXPECT_FALSE(ChooseFrame(row).draw) << row;
        EXPECT_EQ(mascot.frameIndex, 3) << row;
        EXPECT_EQ(mascot.frameDelay, 4) << row;
    }
}

TEST_F(FrameTest, CatalogueHoldsExactlyItsRows)
{
    struct Row {
        int32_t row;
        const char* stem;
        int32_t frames;
        bool mirrored;
    };
    const Row rows[] = {{0, "w", 6, false},   {1, "w", 6, true},     {2, "n", 1, false},     {3, "j", 1, false},
                        {4, "jj", 1, false},  {5, "d", 1, false},    {6, "n", 1, true},      {7, "j", 1, true},
                        {8, "jj", 1, true},   {9, "d", 1, true},     {10, "f", 1, false},    {11, "ff", 1, false},
                        {12, "p", 1, false},  {13, "f", 1, true},    {14, "ff", 1, true},    {15, "p", 1, true},
                        {16, "kan", 1, false}, {17, "st", 1, false}, {20, "kime", 1, false}, {30, "sleep", 1, false},
                        {49, "k", 1, false}};
    int listed = 0;
    for (int32_t row = 0; row < AnimationRows; ++row) {
        const AnimationEntry& entry = AnimationCatalogue[row];
        const Row* want = nullptr;
        for (const Row& r : rows)
            if (r.row == row) want = &r;
        if (want == nullptr) {
            EXPECT_STREQ(entry.stem, "") << "row " << row;
            EXPECT_EQ(entry.frameCount, 0) << "row " << row;
            EXPECT_FALSE(RowIsMirrored(row)) << "row " << row;
            continue;
        }
        ++listed;
        EXPECT_STREQ(entry.stem, want->stem) << "row " << row;
        EXPECT_EQ(entry.frameCount, want->frames) << "row " << row;
        EXPECT_EQ(RowIsMirrored(row), want->mirrored) << "row " << row;
    }
    EXPECT_EQ(listed, 21);
}

TEST_F(FrameTest, EveryFrameNameFitsSevenCharacters)
{
    for (int row = 0; row < AnimationRows; ++row) {
        const AnimationEntry& e = AnimationCatalogue[row];
        for (int frame = 0; frame < e.frameCount; ++frame) {
            mascot.frameIndex = frame;
            mascot.frameDelay = 0;
            const FrameChoice c = ChooseFrame(row);
            ASSERT_TRUE(c.draw);
            EXPECT_LE(std::strlen(c.name), 7u);
            EXPECT_EQ(std::string(c.name), std::string(e.stem) + std::to_string(frame));
        }
    }
}

TEST(SpritePath, SkinFolderFollowsTheSkinIndex)
{
    char path[32];
    const char* expected[] = {"a/w3.bmp", "b/w3.bmp", "c/w3.bmp", "d/w3.bmp"};
    for (int skin = 0; skin < 4; ++skin) {
        BuildSpritePath(path, sizeof path, skin, "w3");
        EXPECT_STREQ(path, expected[skin]);
    }
    BuildSpritePath(path, sizeof path, 0, "sleep0");
    EXPECT_STREQ(path, "a/sleep0.bmp");
    BuildSpritePath(path, 6, 1, "sleep0");  // cut, never overrun
    EXPECT_STREQ(path, "b/sle");
}

TEST(SkinCycle, FourLeftClicksComeBackToTheStart)
{
    ResetMascotState();
    const int32_t expected[] = {1, 2, 3, 0, 1};
    for (int32_t skin : expected) {
        AdvanceSkin();
        EXPECT_EQ(mascot.skinIndex, skin);
    }
}

TEST(TextCopy, BoundedCopyAndAppendAlwaysTerminate)
{
    char buffer[8];
    CopyBounded(buffer, sizeof buffer, "abcdefghij");
    EXPECT_STREQ(buffer, "abcdefg");
    CopyBounded(buffer, sizeof buffer, "ab");
    AppendBounded(buffer, sizeof buffer, "cdefghij");
    EXPECT_STREQ(buffer, "abcdefg");
}

}  // namespace
