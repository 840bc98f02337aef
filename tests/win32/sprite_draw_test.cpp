// Sprite drawing and the frame sequencer, checked pixel by pixel in memory
// device contexts, with BMP files that the tests write themselves.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "sprites/win32/AnimateState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/win32/SpriteDraw.h"
#include "support/BmpFixture.h"
#include "support/CanvasTest.h"
#include "support/GdiCount.h"

namespace {

const uint32_t Backdrop = 0x123456;  // anything drawing has not touched

struct SpriteDrawTest : CanvasTest {
    SpriteDrawTest() : CanvasTest(60, 60, KeyGreen) {}
};

// --- ClearToKey ------------------------------------------------------------

TEST_F(SpriteDrawTest, ClearToKeyFillsWhatAPaintCopiesWithPureGreenOnly)
{
    Canvas big = MakeCanvas(200, 150, Backdrop);
    ASSERT_NE(big.dc, nullptr);
    const HGDIOBJ pen = GetCurrentObject(big.dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(big.dc, OBJ_BRUSH);
    const COLORREF brushColour = GetDCBrushColor(big.dc);
    const int objects = LiveGdiObjects();

    ClearToKey(big.dc);

    EXPECT_EQ(CountPixelsNot(big, 0, 0, 60, 60, KeyGreen), 0);
    // The fill ends where the window's copy ends.
    EXPECT_EQ(CountPixelsNot(big, 60, 0, 200, 150, Backdrop), 0);
    EXPECT_EQ(CountPixelsNot(big, 0, 60, 60, 150, Backdrop), 0);
    // The context gets its own pen, brush and brush colour back, and the
    // fill makes no object.
    EXPECT_EQ(GetCurrentObject(big.dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(big.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetDCBrushColor(big.dc), brushColour);
    EXPECT_EQ(LiveGdiObjects(), objects);
    FreeCanvas(big);
}

TEST_F(SpriteDrawTest, ClearToKeyCoversABackBufferInTheScreenFormat)
{
    // The real back buffer is a bitmap compatible with the screen, not a DIB.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 60);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(dc, nullptr);
    ASSERT_NE(bitmap, nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 60, 60, WHITENESS);
    ASSERT_EQ(DcPixel(dc, 35, 25), 0xFFFFFFu);

    ClearToKey(dc);

    EXPECT_EQ(CountDcPixelsNot(dc, 0, 0, 60, 60, KeyGreen), 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST_F(SpriteDrawTest, ClearToKeyWipesAnEarlierFrame)
{
    ASSERT_TRUE(WriteBmp("a/w0.bmp", PatternPicture(60, 60)));
    SpriteDraw(canvas.dc, 0, 0, "w0");
    ASSERT_GT(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 3000);
    ClearToKey(canvas.dc);
    EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 0);
}

// --- Plain and mirrored copies ---------------------------------------------

TEST_F(SpriteDrawTest, HalfRedHalfBluePictureDrawnPlainAndMirrored)
{
    const Picture halves = HalvesPicture(40, 30, Red, Blue);
    ASSERT_TRUE(WriteBmp("a/w0.bmp", halves));

    // Smaller than the window: the rest stays see-through.
    for (bool mirrored : {false, true}) {
        Draw("w0", 0, 0, mirrored);
        EXPECT_EQ(Mismatch(halves, 0, 0, mirrored), "") << (mirrored ? "mirrored" : "plain");
    }
}

TEST_F(SpriteDrawTest, EveryPixelLandsInPlaceAtAnOffsetPlainAndMirrored)
{
    // Odd sizes and a pattern unique at every pixel catch an off-by-one
    // column, a flipped row order or a stretch.
    const Picture pattern = PatternPicture(37, 23);
    ASSERT_TRUE(WriteBmp("a/f0.bmp", pattern));

    for (bool mirrored : {false, true}) {
        Draw("f0", 11, 7, mirrored);
        EXPECT_EQ(Mismatch(pattern, 11, 7, mirrored), "") << (mirrored ? "mirrored" : "plain");
    }
}

TEST_F(SpriteDrawTest, AnyBitmapLayoutWindowsLoadsIsDrawnTheSame)
{
    const Picture pattern = PatternPicture(15, 13);  // fewer than 256 colours
    // Top-down files are left out: Wine loads them as black.
    const BmpLayout layouts[] = {Bmp24BottomUp, Bmp32BottomUp, Bmp8Paletted};
    for (BmpLayout layout : layouts) {
        SCOPED_TRACE(testing::Message() << "layout " << layout);
        ASSERT_TRUE(WriteBmp("b/p0.bmp", pattern, layout));
        mascot.skinIndex = 1;
        for (bool mirrored : {false, true}) {
            Draw("p0", 2, 3, mirrored);
            EXPECT_EQ(Mismatch(pattern, 2, 3, mirrored), "") << (mirrored ? "mirrored" : "plain");
        }
    }
}

TEST_F(SpriteDrawTest, LargerPictureIsDrawnWholeAndNearKeyColoursStayDistinct)
{
    Canvas wide = MakeCanvas(130, 90, KeyGreen);
    ASSERT_NE(wide.dc, nullptr);
    // Near-green pixels must reach the buffer unchanged, or they would turn
    // see-through (or the key would turn opaque) on screen.
    Picture picture = PatternPicture(100, 80);
    picture.pixels[0] = 0x00FE00;
    picture.pixels[1] = 0x01FF00;
    picture.pixels[2] = KeyGreen;
    ASSERT_TRUE(WriteBmp("a/kime0.bmp", picture));

    SpriteDraw(wide.dc, 0, 0, "kime0");

    EXPECT_EQ(PictureMismatch(wide, picture, 0, 0, false, KeyGreen), "");
    FreeCanvas(wide);
}

// --- Files that cannot be drawn ----------------------------------------------

TEST_F(SpriteDrawTest, MissingFileDrawsNothingAndLeavesTheBufferUsable)
{
    FillCanvas(canvas, Backdrop);
    const std::vector<uint32_t> before = CanvasPixels(canvas);

    SpriteDraw(canvas.dc, 0, 0, "w0");
    SpriteDrawMirrored(canvas.dc, 5, 5, "w0");

    EXPECT_EQ(CanvasPixels(canvas), before);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
    // The same context goes on taking fills and pictures.
    ClearToKey(canvas.dc);
    EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 0);
    ASSERT_TRUE(WriteBmp("a/w0.bmp", SolidPicture(10, 10, Red)));
    SpriteDraw(canvas.dc, 0, 0, "w0");
    EXPECT_EQ(Mismatch(SolidPicture(10, 10, Red), 0, 0, false), "");
}

TEST_F(SpriteDrawTest, FilesThatAreNotBitmapsDrawNothing)
{
    std::vector<uint8_t> truncated = EncodeBmp(SolidPicture(20, 20, Red), 24, false);
    truncated.resize(10);  // inside the file header
    const char text[] = "this is not a picture\n";
    const uint8_t garbage[] = {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0x28, 0, 0, 0};
    struct Case {
        const char* what;
        const void* data;
        unsigned size;
    };
    const Case cases[] = {
        {"text", text, sizeof text - 1},
        {"empty", text, 0},
        {"header cut short", truncated.data(), static_cast<unsigned>(truncated.size())},
        {"nonsense header", garbage, sizeof garbage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFileBytes("a/n0.bmp", c.data, c.size));
        FillCanvas(canvas, Backdrop);
        SpriteDraw(canvas.dc, 0, 0, "n0");
        SpriteDrawMirrored(canvas.dc, 0, 0, "n0");
        EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, Backdrop), 0);
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
    }
    // A folder where a file is expected is no picture either.
    ASSERT_TRUE(CreateDirectoryA("a/j0.bmp", nullptr));
    SpriteDraw(canvas.dc, 0, 0, "j0");
    EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, Backdrop), 0);
}

// --- Reading afresh ------------------------------------------------------------

TEST_F(SpriteDrawTest, FileReplacedOnDiskShowsAtTheNextDraw)
{
    const Picture pictures[] = {SolidPicture(10, 10, Red), SolidPicture(20, 15, Blue)};
    for (const Picture& picture : pictures) {
        ASSERT_TRUE(WriteBmp("a/w2.bmp", picture));
        Draw("w2", 0, 0);
        EXPECT_EQ(Mismatch(picture, 0, 0, false), "");
    }
    ASSERT_TRUE(DeleteFileA("a/w2.bmp"));
    Draw("w2", 0, 0);
    EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 0);
}

TEST_F(SpriteDrawTest, DrawingTheSameNameTwiceGivesIdenticalPixels)
{
    ASSERT_TRUE(WriteBmp("a/w4.bmp", PatternPicture(33, 47)));
    Draw("w4", 3, 1);
    const std::vector<uint32_t> first = CanvasPixels(canvas);
    Draw("w4", 3, 1);
    EXPECT_EQ(CanvasPixels(canvas), first);

    Draw("w4", 3, 1, true);
    const std::vector<uint32_t> mirrored = CanvasPixels(canvas);
    EXPECT_NE(mirrored, first);
    Draw("w4", 3, 1, true);
    EXPECT_EQ(CanvasPixels(canvas), mirrored);
}

TEST_F(SpriteDrawTest, SkinIndexChoosesTheFolder)
{
    const uint32_t colours[4] = {Red, Blue, 0xFFFF00, 0x800080};
    const char* paths[4] = {"a/w3.bmp", "b/w3.bmp", "c/w3.bmp", "d/w3.bmp"};
    for (int skin = 0; skin < 4; ++skin) ASSERT_TRUE(WriteBmp(paths[skin], SolidPicture(8, 8, colours[skin])));

    for (int skin = 0; skin < 4; ++skin) {
        SCOPED_TRACE(testing::Message() << "skin " << skin);
        mascot.skinIndex = skin;
        for (bool mirrored : {false, true}) {
            Draw("w3", 0, 0, mirrored);
            EXPECT_EQ(Mismatch(SolidPicture(8, 8, colours[skin]), 0, 0, mirrored), "");
        }
    }
    // Without its own file a skin shows nothing, not another skin's picture.
    ASSERT_TRUE(DeleteFileA("c/w3.bmp"));
    mascot.skinIndex = 2;
    Draw("w3", 0, 0);
    EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 0);
}

// Where neither the working folder nor the program's has a skin's folder,
// its frames come from the program itself: every one of them exactly the
// shipped file's picture, plain and mirrored. A folder of the skin's own,
// even an empty one, takes over at once.
TEST_F(SpriteDrawTest, TheBuiltInSkinsDrawAsTheShippedFiles)
{
    const char* shipped = std::getenv("PELMO_SKINS");
    ASSERT_NE(shipped, nullptr) << "PELMO_SKINS names the generated skins";
    std::vector<std::string> names;
    for (const AnimationEntry& entry : AnimationCatalogue)
        for (int frame = 0; frame < entry.frameCount; ++frame) {
            const std::string name = entry.stem + std::to_string(frame);
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
    ASSERT_EQ(names.size(), 18u);
    const char* folders[4] = {"a", "b", "c", "d"};
    int compared = 0;
    for (int skin = 0; skin < 4; ++skin) {
        mascot.skinIndex = skin;
        for (const std::string& name : names) {
            SCOPED_TRACE(std::string(folders[skin]) + "/" + name);
            const std::string file = std::string(folders[skin]) + "/" + name + ".bmp";
            for (bool mirrored : {false, true}) {
                ASSERT_TRUE(RemoveDirectoryA(folders[skin]));
                Draw(name.c_str(), 0, 0, mirrored);
                const std::vector<uint32_t> builtIn = CanvasPixels(canvas);
                ASSERT_TRUE(CreateDirectoryA(folders[skin], nullptr));
                Draw(name.c_str(), 0, 0, mirrored);
                EXPECT_EQ(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 0) << "an empty folder of its own";
                ASSERT_TRUE(CopyFileA((std::string(shipped) + "/" + file).c_str(), file.c_str(), FALSE));
                Draw(name.c_str(), 0, 0, mirrored);
                EXPECT_EQ(builtIn, CanvasPixels(canvas));
                EXPECT_GT(CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen), 300) << "nothing drawn";
                ASSERT_TRUE(DeleteFileA(file.c_str()));
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 144);
}

// --- The frame sequencer -----------------------------------------------------

// Every frame file that the catalogue names gets a picture 10 x 4 whose left
// half has a colour of its own and whose right half is black, so that one
// look at the buffer tells which file was drawn and which way round.
const char* const FrameNames[] = {"w0", "w1", "w2",  "w3",  "w4",   "w5",     "n0", "j0", "jj0",
                                  "d0", "f0", "ff0", "p0",  "kan0", "st0",    "kime0", "sleep0", "k0"};
const int FrameCount = sizeof FrameNames / sizeof FrameNames[0];

uint32_t FrameColour(int index) { return 0x200000u + static_cast<uint32_t>(index) * 0x0B0000u + 0x1030; }

struct AnimateStateTest : SpriteDrawTest {
    void SetUp() override
    {
        SpriteDrawTest::SetUp();
        for (int i = 0; i < FrameCount; ++i) {
            char path[32];
            std::snprintf(path, sizeof path, "a/%s.bmp", FrameNames[i]);
            ASSERT_TRUE(WriteBmp(path, HalvesPicture(10, 4, FrameColour(i), Black)));
        }
    }

    // Clears, lets the sequencer draw `row`, and names what it drew: the
    // frame, with " mirrored" when mirrored; "" when nothing was drawn.
    std::string Paint(int row)
    {
        ClearToKey(canvas.dc);
        AnimateState(canvas.dc, row);
        const int touched = 3600 - CountPixelsNot(canvas, 0, 0, 60, 60, KeyGreen);
        if (touched == 3600) return "";
        const bool mirrored = CanvasPixel(canvas, 0, 0) == KeyGreen;
        const int x = mirrored ? MirrorShift : 0;
        const uint32_t left = CanvasPixel(canvas, x, 0), right = CanvasPixel(canvas, x + 9, 0);
        const uint32_t colour = mirrored ? right : left;
        if (touched != 3600 - 40 || (mirrored ? left : right) != Black) return "unknown picture";
        for (int i = 0; i < FrameCount; ++i)
            if (FrameColour(i) == colour) return std::string(FrameNames[i]) + (mirrored ? " mirrored" : "");
        return "unknown picture";
    }
};

TEST_F(AnimateStateTest, WalkCycleFromAFreshStartDrawsEachFileInTurn)
{
    std::string seen;
    for (int paint = 0; paint < 35; ++paint) seen += Paint(0) + ",";
    EXPECT_EQ(seen,
              "w0,w0,w0,w0,w1,w1,w1,w1,w1,w2,w2,w2,w2,w2,w3,w3,w3,w3,w3,"
              "w4,w4,w4,w4,w4,w5,w5,w5,w5,w5,w0,w0,w0,w0,w0,w1,");
}

TEST_F(AnimateStateTest, TurningWhileWalkingKeepsTheFrameAndMirrors)
{
    for (int paint = 0; paint < 12; ++paint) Paint(0);
    EXPECT_EQ(Paint(1), "w2 mirrored");
    EXPECT_EQ(Paint(1), "w2 mirrored");
    EXPECT_EQ(Paint(0), "w3");
    EXPECT_EQ(Paint(1), "w3 mirrored");
}

TEST_F(AnimateStateTest, EveryRowDrawsItsFileFacingItsWay)
{
    std::string expected[AnimationRows];
    const char* const plain[][2] = {{"0", "w0"},     {"2", "n0"},   {"3", "j0"},  {"4", "jj0"},
                                    {"5", "d0"},     {"10", "f0"},  {"11", "ff0"}, {"12", "p0"},
                                    {"16", "kan0"},  {"17", "st0"}, {"20", "kime0"}, {"30", "sleep0"},
                                    {"49", "k0"}};
    for (const auto& row : plain) expected[std::atoi(row[0])] = row[1];
    const char* const mirrored[][2] = {{"1", "w0"}, {"6", "n0"},  {"7", "j0"},  {"8", "jj0"},
                                       {"9", "d0"}, {"13", "f0"}, {"14", "ff0"}, {"15", "p0"}};
    for (const auto& row : mirrored) expected[std::atoi(row[0])] = std::string(row[1]) + " mirrored";

    for (int row = 0; row < AnimationRows; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        mascot.frameIndex = 0;
        mascot.frameDelay = 0;
        EXPECT_EQ(Paint(row), expected[row]);
        // Every call counts, whether or not the row has frames.
        EXPECT_EQ(mascot.frameDelay, 1);
    }
}

TEST_F(AnimateStateTest, OneFrameRowStartsFromFrameZero)
{
    mascot.frameIndex = 4;
    EXPECT_EQ(Paint(3), "j0");
    EXPECT_EQ(mascot.frameIndex, 0);
    mascot.frameIndex = 5;
    mascot.frameDelay = 4;
    EXPECT_EQ(Paint(7), "j0 mirrored");
    EXPECT_EQ(mascot.frameIndex, 0);
    EXPECT_EQ(mascot.frameDelay, 0);
}

TEST_F(AnimateStateTest, EmptyRowDrawsNothingButStillCounts)
{
    mascot.frameIndex = 3;
    mascot.frameDelay = 2;
    EXPECT_EQ(Paint(18), "");
    EXPECT_EQ(mascot.frameDelay, 3);
    EXPECT_EQ(mascot.frameIndex, 0);
}

TEST_F(AnimateStateTest, MissingFramesDoNotStopTheCounters)
{
    mascot.skinIndex = 3;  // d/ holds no files
    for (int paint = 0; paint < 9; ++paint) EXPECT_EQ(Paint(0), "");
    EXPECT_EQ(mascot.frameIndex, 1);
    EXPECT_EQ(mascot.frameDelay, 4);
    mascot.skinIndex = 0;
    EXPECT_EQ(Paint(0), "w2");
}

TEST_F(AnimateStateTest, FramesComeFromTheCurrentSkin)
{
    ASSERT_TRUE(WriteBmp("c/n0.bmp", HalvesPicture(10, 4, Blue, Black)));
    mascot.skinIndex = 2;
    for (int row : {2, 6}) {
        ClearToKey(canvas.dc);
        AnimateState(canvas.dc, row);
        EXPECT_EQ(Mismatch(HalvesPicture(10, 4, Blue, Black), 0, 0, row == 6), "") << "row " << row;
    }
}

}  // namespace
