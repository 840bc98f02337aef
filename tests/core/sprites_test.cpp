// The frame sequencer's choice of frame, the catalogue, sprite paths and
// the check of a sprite file's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/BitmapCheck.h"
#include "sprites/BitmapInfoCopy.h"
#include "sprites/FrameChoice.h"
#include "sprites/FrameReport.h"
#include "sprites/SpritePath.h"
#include "app/TextCopy.h"

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

// A switch to a one-frame row starts its frame again; a negative index,
// which only a damaged counter gives, shows frame 0.
TEST_F(FrameTest, AFrameIndexOutsideTheRowShowsItsFirstFrame)
{
    const struct {
        int32_t row, frameIndex;
        const char* name;
    } rows[] = {{3, 4, "j0"}, {0, -3, "w0"}, {0, INT32_MIN, "w0"}};
    for (const auto& row : rows) {
        mascot.frameIndex = row.frameIndex;
        mascot.frameDelay = 0;
        EXPECT_STREQ(ChooseFrame(row.row).name, row.name) << row.frameIndex;
    }
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
    // An index outside 0 to 3, which only a damaged counter gives, reads skin a.
    const struct {
        int32_t skin;
        const char* path;
    } rows[] = {{0, "a/w3.bmp"}, {1, "b/w3.bmp"}, {2, "c/w3.bmp"}, {3, "d/w3.bmp"}, {-1, "a/w3.bmp"}, {4, "a/w3.bmp"}};
    for (const auto& row : rows) {
        EXPECT_TRUE(BuildSpritePath(path, sizeof path, row.skin, "w3"));
        EXPECT_STREQ(path, row.path) << row.skin;
        EXPECT_EQ(std::string(SkinFolderName(row.skin)), std::string(row.path, 1));
    }
    EXPECT_TRUE(BuildSpritePath(path, 13, 0, "sleep0"));  // 12 characters and the end
    EXPECT_STREQ(path, "a/sleep0.bmp");
    EXPECT_FALSE(BuildSpritePath(path, 12, 1, "sleep0"));  // a cut name is no name
    EXPECT_STREQ(path, "");
}

// --- The check of a bitmap file's bytes ---------------------------------------

struct BitmapRow {
    const char* what;
    uint32_t headerBytes;
    int32_t width, height;
    uint32_t planes, bits, compression, coloursUsed, imageSize;
    uint32_t offset;  // of the pixels, as the file header states it
    size_t fileSize;
    // expected
    BitmapRefusal reason;
    uint32_t infoEnd, pixelsAt, pixelBytes;  // when usable
    const char* start = nullptr;  // laid over the file's first bytes
};

// A file of `fileSize` bytes, zero but for the headers' fields.
std::vector<uint8_t> BitmapBytes(const BitmapRow& row)
{
    std::vector<uint8_t> bytes(row.fileSize, 0);
    auto put = [&](size_t at, uint32_t value, int size) {
        for (int i = 0; i < size && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(0, 'B' | 'M' << 8, 2);
    put(10, row.offset, 4);
    put(14, row.headerBytes, 4);
    if (row.headerBytes == 12) {
        put(18, static_cast<uint32_t>(row.width), 2);
        put(20, static_cast<uint32_t>(row.height), 2);
        put(22, row.planes, 2);
        put(24, row.bits, 2);
    } else {
        put(18, static_cast<uint32_t>(row.width), 4);
        put(22, static_cast<uint32_t>(row.height), 4);
        put(26, row.planes, 2);
        put(28, row.bits, 2);
        put(30, row.compression, 4);
        put(34, row.imageSize, 4);
        put(46, row.coloursUsed, 4);
    }
    if (row.start != nullptr) std::memcpy(bytes.data(), row.start, std::strlen(row.start));
    return bytes;
}

const uint32_t Rgb = BitmapRgb, Rle8 = BitmapRle8, Rle4 = BitmapRle4, Fields = BitmapBitFields;
const uint32_t Max = static_cast<uint32_t>(MaxSpriteSide);
const BitmapRefusal Ok = BitmapAccepted, NotBmp = BitmapNotBmp, Header = BitmapUnknownHeader, Empty = BitmapNoPixels,
                    Planes = BitmapNotOnePlane, Depth = BitmapDepthNotDrawn, Over = BitmapOverLimits,
                    Inside = BitmapPixelsInsideHeaders, Doubt = BitmapPixelsInDoubt, Cut = BitmapCutShort;

// The pixels at the limit of the bound: 4096 x 1024 at 32 bits is 16 MiB.
const BitmapRow BitmapRows[] = {
    // what                                         hdr  width height pl bits comp     used image     offset   size reason  infoEnd    at bytes
    {"24 bits, rows padded to 4 bytes",              40,     3,     2, 1, 24, Rgb,       0,    0,        54,    78, Ok,       54,   54,    24},
    {"24 bits, one byte short",                      40,     3,     2, 1, 24, Rgb,       0,    0,        54,    77, Cut,       0,    0,     0},
    {"1 bit, both colours",                          40,     9,     2, 1,  1, Rgb,       0,    0,        62,    70, Ok,       62,   62,     8},
    {"8 bits naming 3 colours",                      40,     5,     1, 1,  8, Rgb,       3,    0,        66,    74, Ok,       66,   66,     8},
    {"8 bits naming 300: a loader takes 256",        40,     1,     1, 1,  8, Rgb,     300,    0,      1078,  1082, Ok,     1078, 1078,     4},
    {"1 bit naming 3 colours: GDI reads 2",          40,     9,     2, 1,  1, Rgb,       3,    0,        62,    70, Ok,       62,   62,     8},
    {"4 bits naming 17: GDI reads 16",               40,     1,     1, 1,  4, Rgb,      17,    0,       118,   122, Ok,      118,  118,     4},
    {"colour table cut short",                       40,     1,     1, 1,  8, Rgb,       0,    0,        54,  1000, Cut,       0,    0,     0},
    {"24 bits with an optional table",               40,     1,     1, 1, 24, Rgb,       2,    0,        62,    66, Ok,       62,   62,     4},
    {"core header, 4 bits, 3-byte colours",          12,     3,     2, 1,  4, Rgb,       0,    0,        74,    82, Ok,       74,   74,     8},
    {"core header, 24 bits",                         12,     2,     1, 1, 24, Rgb,       0,    0,        26,    34, Ok,       26,   26,     8},
    {"core header cut short",                        12,     2,     1, 1, 24, Rgb,       0,    0,        26,    25, Cut,       0,    0,     0},
    {"core header, 16 bits",                         12,     1,     1, 1, 16, Rgb,       0,    0,        26,    30, Depth,     0,    0,     0},
    {"core header, 32 bits",                         12,     1,     1, 1, 32, Rgb,       0,    0,        26,    30, Depth,     0,    0,     0},
    {"bit fields after a 40-byte header",            40,     2,     2, 1, 16, Fields,    0,    0,        66,    74, Ok,       66,   66,     8},
    {"bit-field masks cut short",                    40,     2,     2, 1, 16, Fields,    0,    0,        66,    62, Cut,       0,    0,     0},
    {"bit fields inside a tiny V5 header",          124,     1,     1, 1, 32, Fields,    0,    0,       138,   142, Ok,      138,  138,     4},
    {"bit fields inside a tiny V4 header",          108,     1,     1, 1, 16, Fields,    0,    0,       122,   126, Ok,      122,  122,     4},
    {"bit fields inside a 52-byte header",           52,     1,     1, 1, 32, Fields,    0,    0,        66,    70, Ok,       66,   66,     4},
    {"64-byte header",                               64,     1,     1, 1, 24, Rgb,       0,    0,        78,    82, Ok,       78,   78,     4},
    {"V5 header cut short",                         124,     1,     1, 1, 24, Rgb,       0,    0,       138,   137, Cut,       0,    0,     0},
    {"top-down 32 bits",                             40,     1,    -2, 1, 32, Rgb,       0,    0,        54,    62, Ok,       54,   54,     8},
    {"bottom-up 32 bits, one row too many",          40,     1,    61, 1, 32, Rgb,       0,    0,        54,   298, Ok,       54,   54,   244},
    {"run-length 8 bits: the image size",            40,   100,   100, 1,  8, Rle8,      2,   10,        62,    72, Ok,       62,   62,    10},
    {"run-length 4 bits",                            40,     7,     3, 1,  4, Rle4,      0,    6,       118,   124, Ok,      118,  118,     6},
    {"run-length data past the end",                 40,   100,   100, 1,  8, Rle8,      2,   11,        62,    72, Cut,       0,    0,     0},
    {"run-length without an image size",             40,     4,     4, 1,  8, Rle8,      2,    0,        62,    90, Depth,     0,    0,     0},
    {"run-length, top-down",                         40,     4,    -4, 1,  8, Rle8,      2,   10,        62,    72, Depth,     0,    0,     0},
    {"run-length 8 on 4 bits",                       40,     4,     4, 1,  4, Rle8,      2,   10,        62,    72, Depth,     0,    0,     0},
    {"run-length 4 on 8 bits",                       40,     4,     4, 1,  8, Rle4,      2,   10,        62,    72, Depth,     0,    0,     0},
    {"run-length 65535 x 65535 in 60 bytes",         40, 65535, 65535, 1,  8, Rle8,      0,    6,        54,    60, Over,      0,    0,     0},
    {"bit fields on 24 bits",                        40,     1,     1, 1, 24, Fields,    0,    0,        66,    70, Depth,     0,    0,     0},
    {"bit fields on 8 bits",                         40,     1,     1, 1,  8, Fields,    0,    0,      1090,  1094, Depth,     0,    0,     0},
    {"compression 4",                                40,     1,     1, 1, 24, 4,         0,    0,        54,    58, Depth,     0,    0,     0},
    {"header of 41 bytes",                           41,     1,     1, 1, 24, Rgb,       0,    0,        55,    59, Header,    0,    0,     0},
    {"width 0",                                      40,     0,     1, 1, 24, Rgb,       0,    0,        54,    58, Empty,     0,    0,     0},
    {"height 0",                                     40,     1,     0, 1, 24, Rgb,       0,    0,        54,    58, Empty,     0,    0,     0},
    {"negative width",                               40,    -1,     1, 1, 24, Rgb,       0,    0,        54,    58, Empty,     0,    0,     0},
    {"no planes",                                    40,     1,     1, 0, 24, Rgb,       0,    0,        54,    58, Planes,    0,    0,     0},
    {"two planes",                                   40,     1,     1, 2, 24, Rgb,       0,    0,        54,    58, Planes,    0,    0,     0},
    {"7 bits",                                       40,     1,     1, 1,  7, Rgb,       0,    0,        54,    58, Depth,     0,    0,     0},
    {"2 bits",                                       40,     1,     1, 1,  2, Rgb,       0,    0,        70,    74, Depth,     0,    0,     0},
    {"height at the 32-bit minimum",                 40,     1, INT32_MIN, 1, 24, Rgb,       0,    0,        54,    58, Over,      0,    0,     0},
    {"width at the limit",                           40,   Max,     1, 1, 24, Rgb,       0,    0,        54, 12342, Ok,       54,   54, 12288},
    {"width over the limit",                         40, Max + 1,     1, 1,  8, Rgb,       1,    0,        58,  4162, Over,      0,    0,     0},
    {"height over the limit, top-down",              40,     1, -4097, 1,  8, Rgb,       1,    0,        58, 16450, Over,      0,    0,     0},
    {"pixel bytes at the limit",                     40,   Max,  1024, 1, 32, Rgb,       0,    0,        54, 54 + (16u << 20), Ok,       54,   54, 16u << 20},
    {"pixel bytes over the limit",                   40,   Max,  1025, 1, 32, Rgb,       0,    0,        54, 54 + (16u << 20) + 16384, Over,      0,    0,     0},
    // Where the pixels start: no offset means after the table; an offset
    // into the headers or the table would hand them over as pixels.
    {"no offset: after the colour table",            40,     1,     1, 1,  8, Rgb,       2,    0,         0,    66, Ok,       62,   62,     4},
    {"no offset, 1 bit naming 3 colours: in doubt",  40,     9,     2, 1,  1, Rgb,       3,    0,         0,    70, Doubt,     0,    0,     0},
    {"no offset, 8 bits naming 257: in doubt",       40,     1,     1, 1,  8, Rgb,     257,    0,         0,  1082, Doubt,     0,    0,     0},
    {"no offset: after the masks",                   40,     1,     1, 1, 16, Fields,    0,    0,         0,    70, Ok,       66,   66,     4},
    {"pixels after a gap",                           40,     1,     1, 1, 24, Rgb,       0,    0,       100,   104, Ok,       54,  100,     4},
    {"pixels past the end",                          40,     1,     1, 1, 24, Rgb,       0,    0,       101,   104, Cut,       0,    0,     0},
    {"pixels near 4 GiB: the end wraps in 32 bits",  40,     1,     1, 1, 24, Rgb,       0,    0, 0xFFFFFFFE,    58, Cut,       0,    0,     0},
    {"offset inside the file header",                40,     1,     1, 1, 24, Rgb,       0,    0,         3,    58, Inside,    0,    0,     0},
    {"offset 14, the file header's size",            40,     1,     1, 1,  8, Rgb,       2,    0,        14,    66, Inside,    0,    0,     0},
    {"offset inside the info header",                40,     1,     1, 1, 24, Rgb,       0,    0,        30,    58, Inside,    0,    0,     0},
    {"offset inside the colour table",               40,     1,     1, 1,  8, Rgb,       2,    0,        58,    66, Inside,    0,    0,     0},
    {"offset inside the masks",                      40,     1,     1, 1, 16, Fields,    0,    0,        60,    70, Inside,    0,    0,     0},
    {"offset inside a V5 header",                   124,     1,     1, 1, 32, Fields,    0,    0,       130,   142, Inside,    0,    0,     0},
    // The file's first bytes and its length.
    {"first byte not \"B\"",                         40,     1,     1, 1, 24, Rgb,       0,    0,        54,    58, NotBmp,    0,    0,     0, "AM"},
    {"second byte not \"M\"",                        40,     1,     1, 1, 24, Rgb,       0,    0,        54,    58, NotBmp,    0,    0,     0, "BA"},
    {"14 bytes: no header size",                     40,     1,     1, 1, 24, Rgb,       0,    0,        54,    14, Cut,       0,    0,     0},
    {"15 bytes: no header size",                     40,     1,     1, 1, 24, Rgb,       0,    0,        54,    15, Cut,       0,    0,     0},
    {"16 bytes: no header size",                     40,     1,     1, 1, 24, Rgb,       0,    0,        54,    16, Cut,       0,    0,     0},
    {"17 bytes: no header size",                     40,     1,     1, 1, 24, Rgb,       0,    0,        54,    17, Cut,       0,    0,     0},
    {"a PNG",                                        40,     1,     1, 1, 24, Rgb,       0,    0,        54,    58, NotBmp,    0,    0,     0, "\x89PNG\r\n\x1a\n"},
    {"a JPEG",                                       40,     1,     1, 1, 24, Rgb,       0,    0,        54,    58, NotBmp,    0,    0,     0, "\xFF\xD8\xFF"},
    {"a GIF",                                        40,     1,     1, 1, 24, Rgb,       0,    0,        54,    58, NotBmp,    0,    0,     0, "GIF89a"},
};

TEST(BitmapCheck, AcceptsExactlyWhatLiesInsideTheBytesAndSaysWhyNot)
{
    for (const BitmapRow& row : BitmapRows) {
        SCOPED_TRACE(row.what);
        const std::vector<uint8_t> bytes = BitmapBytes(row);
        const BitmapLayout layout = CheckBitmapFile(bytes.data(), bytes.size());
        EXPECT_EQ(layout.refusal, row.reason);
        ASSERT_EQ(layout.usable, row.reason == Ok);
        if (!layout.usable) continue;
        EXPECT_EQ(layout.infoEnd, row.infoEnd);
        EXPECT_EQ(layout.pixelsAt, row.pixelsAt);
        EXPECT_EQ(layout.pixelBytes, row.pixelBytes);
        EXPECT_EQ(layout.width, row.width);
        EXPECT_EQ(layout.height, row.height);
        EXPECT_EQ(layout.bits, row.bits);
        EXPECT_EQ(layout.compression, row.compression);
        // Even when there is a file header and no more, or less.
        for (size_t cut : {size_t(0), size_t(2), size_t(17), bytes.size() - 1})
            EXPECT_FALSE(CheckBitmapFile(bytes.data(), cut).usable) << "cut to " << cut;
    }
}

TEST(BitmapCheck, NamesTheColourTableAndMasks)
{
    const BitmapRow core = {"", 12, 3, 2, 1, 4, Rgb, 0, 0, 74, 82, Ok, 0, 0, 0};
    std::vector<uint8_t> bytes = BitmapBytes(core);
    BitmapLayout layout = CheckBitmapFile(bytes.data(), bytes.size());
    EXPECT_EQ(layout.headerBytes, 12u);
    EXPECT_EQ(layout.colourCount, 16u);
    EXPECT_EQ(layout.colourEntryBytes, 3u);
    EXPECT_EQ(layout.masksBytes, 0u);

    const BitmapRow fields = {"", 40, 2, 2, 1, 16, Fields, 0, 0, 66, 74, Ok, 0, 0, 0};
    bytes = BitmapBytes(fields);
    layout = CheckBitmapFile(bytes.data(), bytes.size());
    EXPECT_EQ(layout.masksBytes, 12u);
    EXPECT_EQ(layout.colourCount, 0u);

    bytes[0] = 'M';
    EXPECT_FALSE(CheckBitmapFile(bytes.data(), bytes.size()).usable) << "not a bitmap file";
    EXPECT_FALSE(CheckBitmapFile(nullptr, 0).usable);
}

// The headers handed to GDI say only what the check allowed: the colour
// count it took, no table above 8 bits, sRGB and no profile.
TEST(BitmapCheck, TheCopyForTheDrawingSaysOnlyWhatWasChecked)
{
    struct Row {
        BitmapRow file;
        uint32_t coloursUsed;  // expected in the copy
    };
    const Row rows[] = {
        {{"8 bits naming none", 40, 1, 1, 1, 8, Rgb, 0, 0, 1078, 1082, Ok, 0, 0, 0}, 256},
        {{"8 bits naming 3", 40, 5, 1, 1, 8, Rgb, 3, 0, 66, 74, Ok, 0, 0, 0}, 3},
        {{"24 bits with an optional table", 40, 1, 1, 1, 24, Rgb, 2, 0, 62, 66, Ok, 0, 0, 0}, 0},
        {{"V4, 16-bit fields", 108, 1, 1, 1, 16, Fields, 0, 0, 122, 126, Ok, 0, 0, 0}, 0},
        {{"V5, 32-bit fields", 124, 1, 1, 1, 32, Fields, 0, 0, 138, 142, Ok, 0, 0, 0}, 0},
        // A table right after a large header: only the header's own fields change.
        {{"V4, 8 bits with a table", 108, 1, 1, 1, 8, Rgb, 3, 0, 134, 138, Ok, 0, 0, 0}, 3},
        {{"V5, 4 bits with a table", 124, 1, 1, 1, 4, Rgb, 0, 0, 202, 206, Ok, 0, 0, 0}, 16},
    };
    auto field = [](const std::vector<uint8_t>& info, size_t at) {
        return info[at] | info[at + 1] << 8 | info[at + 2] << 16 | static_cast<uint32_t>(info[at + 3]) << 24;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file.what);
        std::vector<uint8_t> bytes = BitmapBytes(row.file);
        if (row.file.headerBytes >= 108) {
            for (size_t at = 14 + 56; at < 14 + row.file.headerBytes; ++at) bytes[at] = 0xA5;  // 'MBED', endpoints, profile
        }
        for (size_t at = 14 + row.file.headerBytes; at < row.file.offset; ++at) bytes[at] = 0x5A;  // masks, colours
        const BitmapLayout layout = CheckBitmapFile(bytes.data(), bytes.size());
        ASSERT_TRUE(layout.usable);
        std::vector<uint8_t> info(bytes.begin() + 14, bytes.begin() + layout.infoEnd);
        const std::vector<uint8_t> before = info;
        info.resize(MaxBitmapInfoBytes, 0);
        NormaliseBitmapInfo(info.data(), info.size(), layout);
        EXPECT_EQ(field(info, 32), row.coloursUsed);
        if (row.file.headerBytes >= 108) {
            EXPECT_EQ(field(info, 56), 0x73524742u) << "sRGB";
        }
        if (row.file.headerBytes >= 124) {
            EXPECT_EQ(field(info, 112), 0u) << "profile data";
            EXPECT_EQ(field(info, 116), 0u) << "profile size";
        }
        // Nothing else changes: the colour count, the colour space and the
        // profile are fields of the header that has them.
        for (size_t at = 0; at < before.size(); ++at) {
            const bool normalised = (at >= 32 && at < 36) || (row.file.headerBytes >= 108 && at >= 56 && at < 60) ||
                                    (row.file.headerBytes >= 124 && at >= 112 && at < 120);
            if (!normalised) {
                EXPECT_EQ(info[at], before[at]) << "byte " << at << " of the copy";
            }
        }
    }
    // The core header has no such fields.
    const BitmapRow core = {"", 12, 3, 2, 1, 4, Rgb, 0, 0, 74, 82, Ok, 0, 0, 0};
    const std::vector<uint8_t> bytes = BitmapBytes(core);
    const BitmapLayout layout = CheckBitmapFile(bytes.data(), bytes.size());
    std::vector<uint8_t> info(bytes.begin() + 14, bytes.end());
    NormaliseBitmapInfo(info.data(), info.size(), layout);
    EXPECT_TRUE(std::equal(info.begin(), info.end(), bytes.begin() + 14));
}

// --- What the skin authors' check says about a frame ----------------------------

std::vector<uint8_t> FileOfRow(const char* what)
{
    for (const BitmapRow& row : BitmapRows)
        if (std::strcmp(row.what, what) == 0) return BitmapBytes(row);
    ADD_FAILURE() << "no row " << what;
    return {};
}

typedef std::vector<std::pair<size_t, uint32_t>> PixelChanges;

struct ReportRow {
    const char* file;                               // the row of BitmapRows whose file is reported
    std::vector<std::pair<size_t, uint8_t>> patch;  // bytes changed in it
    // Pixels changed in what Windows shows: the picture black over the key
    // colour until then. No pixels at all: Windows made no picture.
    PixelChanges shown;
    std::string line;  // after "w0.bmp: "
};

TEST(FrameReport, OneLineForEachKindOfFile)
{
    const PixelChanges drawn = {{0, 0}}, none = {};
    // At the edge of "near": each channel 64 from the key, and 65.
    const PixelChanges edges = {{0, 0x40BF40}, {1, 0xFF40BF40}, {2, 0x00FE00}, {3, 0x41FF00},
                                {4, 0x00BE00}, {5, 0x00FF41},   {6, 0xFF00FF00}};
    const std::string kind = "error: a kind of BMP that Windows does not draw: ";
    const std::string limits = "; the limits are 4096 pixels a side and 16 MiB decoded";
    const std::string fringe = " near the key colour #00FF00 show";
    const std::string cut60 = "only the top-left 60 x 60 of its ";
    const ReportRow rows[] = {
        {"24 bits, rows padded to 4 bytes", {}, drawn, "ok"},
        {"24 bits, rows padded to 4 bytes", {}, edges, "warning: 3 pixels" + fringe + " as a green fringe"},
        {"24 bits, rows padded to 4 bytes", {}, none, "error: Windows made no picture of it"},
        {"width at the limit", {}, {{59, 0x30E010}}, "warning: 1 pixel" + fringe + "s as a green fringe; " + cut60 +
                                                         "4096 x 1 pixels shows"},
        // Alpha: only of pixels that show and are not the key colour.
        {"top-down 32 bits", {{57, 0x80}}, drawn, "warning: alpha is ignored: 2 pixels meant to be see-through show opaque"},
        {"top-down 32 bits", {{57, 0xFF}, {61, 0xFF}}, drawn, "ok"},
        {"top-down 32 bits", {{57, 0xFF}}, {{60, KeyColour}}, "ok"},
        {"bottom-up 32 bits, one row too many", {{57, 0x80}}, drawn, "warning: " + cut60 + "1 x 61 pixels shows"},
        {"bottom-up 32 bits, one row too many", {{61, 0xFF}}, drawn,
         "warning: alpha is ignored: 59 pixels meant to be see-through show opaque; " + cut60 + "1 x 61 pixels shows"},
        // Alpha in the top row's 61st pixel, which does not show.
        {"pixel bytes at the limit", {{54 + 1023 * 16384 + 60 * 4 + 3, 0x80}}, drawn,
         "warning: " + cut60 + "4096 x 1024 pixels shows"},
        {"bit fields inside a tiny V5 header", {{56, 0xFF}, {59, 0xFF}, {62, 0xFF}, {141, 0x7F}}, drawn,
         "warning: alpha is ignored: 1 pixel meant to be see-through shows opaque"},
        {"bit fields inside a tiny V5 header", {{56, 0xFF}, {57, 0xFF}, {59, 0xFF}, {62, 0xFF}, {141, 0x7F}}, drawn, "ok"},
        // Exactly 60 pixels a side shows whole.
        {"width at the limit", {{18, 60}, {19, 0}}, drawn, "ok"},
        {"bottom-up 32 bits, one row too many", {{22, 60}}, drawn, "ok"},
        // Refused, and why.
        {"a PNG", {}, none, "error: not a BMP but a PNG; save it as a BMP"},
        {"a GIF", {}, none, "error: not a BMP but a GIF; save it as a BMP"},
        {"a GIF", {{4, '7'}}, none, "error: not a BMP but a GIF; save it as a BMP"},            // GIF87a
        {"a JPEG", {{3, 0xE1}}, none, "error: not a BMP but a JPEG; save it as a BMP"},          // Exif
        {"first byte not \"B\"", {}, none, "error: not a BMP (it does not start with \"BM\")"},
        {"header of 41 bytes", {}, none, kind + "a header of 41 bytes"},
        {"negative width", {}, none, kind + "-1 x 1 pixels"},
        {"two planes", {}, none, kind + "2 colour planes, not 1"},
        {"core header, 32 bits", {}, none, kind + "32 bits per pixel in a 12-byte header"},
        {"run-length, top-down", {}, none, kind + "8 bits per pixel, compression BI_RLE8, stored top-down"},
        {"run-length without an image size", {}, none,
         kind + "8 bits per pixel, compression BI_RLE8, without the size of its data"},
        {"compression 4", {}, none, kind + "24 bits per pixel, compression BI_JPEG"},
        {"pixel bytes over the limit", {}, none, "error: over the limits: 4096 x 1025 pixels at 32 bits, 16.1 MiB decoded" + limits},
        {"height at the 32-bit minimum", {}, none,
         "error: over the limits: 1 x 2147483648 pixels at 24 bits, 8192 MiB decoded" + limits},
        {"offset inside the info header", {}, none,
         "error: broken: its pixels would start at byte 30, inside its headers and colours, which end at byte 54"},
        {"no offset, 1 bit naming 3 colours: in doubt", {}, none,
         "error: broken: where its pixels start is in doubt: it gives no offset to them and names 3 colours, where 1 bit "
         "allows 2"},
        {"24 bits, one byte short", {}, none, "error: cut short: 77 bytes of the 78 it needs"},
        {"colour table cut short", {}, none, "error: cut short: 1000 bytes of the 1078 it needs"},
        {"V5 header cut short", {}, none, "error: cut short: 137 bytes of the 138 it needs"},
        {"14 bytes: no header size", {}, none, "error: cut short: 14 bytes of the 18 it needs"},
    };
    for (const ReportRow& row : rows) {
        SCOPED_TRACE(row.file);
        std::vector<uint8_t> bytes = FileOfRow(row.file);
        for (const auto& change : row.patch) bytes.at(change.first) = change.second;
        const BitmapLayout layout = CheckBitmapFile(bytes.data(), bytes.size());
        std::vector<uint32_t> shown(ShownSide * ShownSide, KeyColour);
        for (int32_t y = 0; y < ShownSide && y < std::abs(static_cast<int64_t>(layout.height)); ++y)
            for (int32_t x = 0; x < ShownSide && x < layout.width; ++x) shown[y * ShownSide + x] = 0;
        for (const auto& change : row.shown) shown.at(change.first) = change.second;
        const FrameFile file = {FrameWasRead, bytes.data(), bytes.size(), row.shown.empty() ? nullptr : shown.data()};
        char line[300];
        const FrameVerdict verdict = ReportFrame(line, sizeof line, "w0.bmp", file);
        EXPECT_EQ(line, "w0.bmp: " + row.line);
        EXPECT_EQ(verdict, row.line.rfind("error: ", 0) == 0     ? FrameError
                           : row.line.rfind("warning: ", 0) == 0 ? FrameWarning
                                                                 : FrameOk);
    }

    char line[300];
    const FrameFile missing = {FrameMissing, nullptr, 0, nullptr}, unreadable = {FrameUnreadable, nullptr, 0, nullptr};
    EXPECT_EQ(ReportFrame(line, sizeof line, "k0.bmp", missing), FrameError);
    EXPECT_STREQ(line, "k0.bmp: error: missing");
    EXPECT_EQ(ReportFrame(line, sizeof line, "k0.bmp", unreadable), FrameError);
    EXPECT_STREQ(line, "k0.bmp: error: cannot be read");
    // Too long to be read: its headers tell why, where they can.
    const std::vector<uint8_t> within = FileOfRow("24 bits, rows padded to 4 bytes");
    const std::vector<uint8_t> over = FileOfRow("pixel bytes over the limit");
    const FrameFile longWithin = {FrameTooLong, within.data(), 54, nullptr, 20u << 20};
    const FrameFile longOver = {FrameTooLong, over.data(), 54, nullptr, 20u << 20};
    EXPECT_EQ(ReportFrame(line, sizeof line, "k0.bmp", longWithin), FrameError);
    EXPECT_STREQ(line, "k0.bmp: error: over the limits: a file of 20 MiB, longer than any picture within them (17 MiB at most)");
    EXPECT_EQ(ReportFrame(line, sizeof line, "k0.bmp", longOver), FrameError);
    EXPECT_EQ(std::string(line), "k0.bmp: error: over the limits: 4096 x 1025 pixels at 32 bits, 16.1 MiB decoded" + limits);
    const std::vector<uint8_t> png = FileOfRow("a PNG");
    const FrameFile longPng = {FrameTooLong, png.data(), png.size(), nullptr, 20u << 20};
    EXPECT_EQ(ReportFrame(line, sizeof line, "k0.bmp", longPng), FrameError);
    EXPECT_STREQ(line, "k0.bmp: error: not a BMP but a PNG; save it as a BMP");
    ReportFrame(line, 10, "k0.bmp", missing);
    EXPECT_STREQ(line, "k0.bmp: e");
}

TEST(FrameReport, EverySkinFrameOnceInTheCataloguesOrder)
{
    FillAnimationCatalogue();
    char names[SkinFrameCount][8];
    ListSkinFrames(names);
    std::string joined;
    for (const char* name : names) joined += std::string(name) + " ";
    EXPECT_EQ(joined, "w0 w1 w2 w3 w4 w5 n0 j0 jj0 d0 f0 ff0 p0 kan0 st0 kime0 sleep0 k0 ");
}

// --- Where a frame is read from --------------------------------------------------

TEST(SpritePath, WorkingFolderFirstElseBesideTheProgram)
{
    EXPECT_EQ(ChooseSkinPlace(true, true), SkinInWorkingFolder);
    EXPECT_EQ(ChooseSkinPlace(true, false), SkinInWorkingFolder);
    EXPECT_EQ(ChooseSkinPlace(false, true), SkinBesideProgram);
    EXPECT_EQ(ChooseSkinPlace(false, false), SkinBuiltIn);
    char builtIn[16];
    EXPECT_TRUE(BuildBuiltInFrameName(builtIn, sizeof builtIn, 2, "sleep0"));
    EXPECT_STREQ(builtIn, "C_SLEEP0");
    EXPECT_FALSE(BuildBuiltInFrameName(builtIn, 8, 2, "sleep0"));
    EXPECT_STREQ(builtIn, "");

    // Beside the program: its file's folder, in whatever units and letters
    // the system gave, then the frame with backslashes.
    struct Row {
        std::u16string program;
        const char* relative;
        std::u16string expected;  // empty when there is no usable path
    };
    const Row rows[] = {
        {u"C:\\p\\pelmo.exe", "c/w3.bmp", u"C:\\p\\c\\w3.bmp"},
        {u"C:\\pelmo.exe", "b/n0.bmp", u"C:\\b\\n0.bmp"},
        {u"Z:/opt/pelmo/pelmo.exe", "a/w0.bmp", u"Z:/opt/pelmo/a\\w0.bmp"},
        {u"C:\\Users\\\u307a\u308b\u3082\\caf\u00e9-\u03a9\\pelmo.exe", "a",
         u"C:\\Users\\\u307a\u308b\u3082\\caf\u00e9-\u03a9\\a"},
        // A program file without a folder would leave a relative path.
        {u"pelmo.exe", "a/w0.bmp", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.relative);
        // The buffer holds longer text from before, as the program's does:
        // the path ends at its own NUL.
        char16_t out[64];
        std::fill(out, out + 63, u'x');
        out[63] = 0;
        EXPECT_EQ(BuildProgramPath(out, 64, row.program.c_str(), row.program.size(), 260, row.relative),
                  !row.expected.empty());
        EXPECT_EQ(std::u16string(out), row.expected);
    }
}

TEST(SpritePath, APathThatDoesNotFitIsNoPath)
{
    const std::u16string program = u"C:\\p\\pelmo.exe";  // folder of 5 units
    char16_t out[16] = u"unchanged";
    ASSERT_TRUE(BuildProgramPath(out, 14, program.c_str(), program.size(), 260, "a/w0.bmp"));  // 13 and the end
    EXPECT_EQ(std::u16string(out), u"C:\\p\\a\\w0.bmp");
    EXPECT_FALSE(BuildProgramPath(out, 13, program.c_str(), program.size(), 260, "a/w0.bmp"));
    EXPECT_EQ(std::u16string(out), u"");

    // The system fills the whole buffer with a name too long for it: such a
    // name is cut, and its folder could be another.
    std::u16string full = u"C:\\" + std::u16string(250, u'x') + u"\\pelmo.exe";
    char16_t path[300];
    EXPECT_FALSE(BuildProgramPath(path, 300, full.c_str(), full.size(), full.size(), "a/w0.bmp"));
    EXPECT_FALSE(BuildProgramPath(path, 300, full.c_str(), 0, 260, "a/w0.bmp"));
    EXPECT_TRUE(BuildProgramPath(path, 300, full.c_str(), full.size(), full.size() + 1, "a/w0.bmp"));
}

TEST(SkinCycle, FourLeftClicksComeBackToTheStart)
{
    ResetMascotState();
    const int32_t expected[] = {1, 2, 3, 0, 1};
    for (int32_t skin : expected) {
        AdvanceSkin();
        EXPECT_EQ(mascot.skinIndex, skin);
    }
    mascot.skinIndex = -5;
    AdvanceSkin();
    EXPECT_EQ(mascot.skinIndex, 0) << "from a negative index";
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
