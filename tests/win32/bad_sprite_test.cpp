// Sprite files beyond the everyday 24-bit picture: every bit depth, both row
// orders, the smallest and a very large picture, and files cut short or
// with damaged headers. Whatever the file, drawing never crashes, never
// touches pixels outside the picture's place, leaks nothing, and the next
// good frame draws exactly; a file that does not hold what its headers
// describe draws nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/ShellState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/SpriteDraw.h"
#include "support/BmpFixture.h"
#include "support/Canvas.h"
#include "support/GdiCount.h"
#include "support/MascotRun.h"
#include "support/TestFolder.h"

namespace {

const uint32_t Backdrop = 0x123456;  // anything drawing has not touched

// A copy of negative width lands one column right of the plain picture
// (see sprite_draw_test.cpp).
const int MirrorShift = 1;

// Where tests place the picture on the canvas.
const int Left = 7, Top = 5;

typedef std::vector<uint8_t> Bytes;

uint32_t Same(uint32_t rgb) { return rgb; }

bool WriteBytes(const char* path, const Bytes& bytes)
{
    return WriteFileBytes(path, bytes.data(), static_cast<unsigned>(bytes.size()));
}

// `count` colours, at most 256 (none of them the key, all different after
// the trip through 16 bits), laid out so that a flip or a mirror image
// shows: the top-left quarter is colour 0 alone.
Picture FewColoursPicture(int width, int height, int count)
{
    Picture picture = SolidPicture(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t index = 0;
            if (x >= width / 2 || y >= height / 2)
                index = count > 2 ? 1 + static_cast<uint32_t>(x * 3 + y * 7) % (count - 1) : 1;
            picture.pixels[static_cast<size_t>(y) * width + x] =
                ((index % 8 * 0x20 + 0x08) << 16) | ((index / 8 % 8 * 0x20 + 0x18) << 8) | (index / 64 * 0x40 + 0x08);
        }
    }
    return picture;
}

struct BadSpriteTest : ::testing::Test {
    TestFolder folder = {};
    Canvas canvas = {};

    void SetUp() override
    {
        ASSERT_TRUE(EnterTestFolder(folder));
        ResetMascotState();
        FillAnimationCatalogue();
        canvas = MakeCanvas(80, 80, Backdrop);
        ASSERT_NE(canvas.dc, nullptr);
    }

    void TearDown() override
    {
        FreeCanvas(canvas);
        LeaveTestFolder(folder);
    }

    void Draw(const char* name, bool mirrored)
    {
        FillCanvas(canvas, Backdrop);
        if (mirrored)
            SpriteDrawMirrored(canvas.dc, Left, Top, name);
        else
            SpriteDraw(canvas.dc, Left, Top, name);
    }

    // Pixels of the canvas that differ from `picture` drawn at (Left, Top)
    // over the backdrop, each colour passed through `expect` first.
    int WrongPixels(const Picture& picture, bool mirrored, uint32_t (*expect)(uint32_t)) const
    {
        int wrong = 0;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                const int px = x - Left - (mirrored ? MirrorShift : 0), py = y - Top;
                uint32_t want = Backdrop;
                if (px >= 0 && px < picture.width && py >= 0 && py < picture.height)
                    want = expect(PicturePixel(picture, mirrored ? picture.width - 1 - px : px, py));
                if (CanvasPixel(canvas, x, y) != want) ++wrong;
            }
        }
        return wrong;
    }

    // Pixels changed outside the place that a picture of this size takes,
    // plain or mirrored.
    int PixelsTouchedOutside(int width, int height) const
    {
        int touched = 0;
        const int right = Left + width + MirrorShift, bottom = Top + height;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                if ((x < Left || x >= right || y < Top || y >= bottom) && CanvasPixel(canvas, x, y) != Backdrop)
                    ++touched;
        return touched;
    }

    // A good frame after a bad one draws exactly, plain and mirrored, and
    // the canvas still has its own bitmap.
    void ExpectGoodFrameDraws()
    {
        const Picture good = PatternPicture(13, 9);
        ASSERT_TRUE(WriteBmp("a/w1.bmp", good));
        for (bool mirrored : {false, true}) {
            Draw("w1", mirrored);
            EXPECT_EQ(WrongPixels(good, mirrored, Same), 0)
                << "the good frame after a bad one, " << (mirrored ? "mirrored" : "plain");
        }
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
    }
};

// --- Bit depths and row orders ------------------------------------------------

TEST_F(BadSpriteTest, EveryBitDepthBottomUpIsDrawnPixelForPixel)
{
    struct Depth {
        int bits;
        int colours;
        uint32_t (*expect)(uint32_t);
    };
    const Depth depths[] = {{1, 2, Same}, {4, 16, Same}, {8, 200, Same}, {16, 0, Through16Bits}, {24, 0, Same},
                            {32, 0, Same}};
    for (const Depth& depth : depths) {
        SCOPED_TRACE(testing::Message() << depth.bits << " bits per pixel");
        // Odd sizes, so that rows need padding at every depth.
        const Picture picture =
            depth.colours > 0 ? FewColoursPicture(21, 11, depth.colours) : PatternPicture(21, 11);
        const Bytes file = EncodeBmp(picture, depth.bits, false);
        ASSERT_FALSE(file.empty());
        ASSERT_TRUE(WriteBytes("a/n0.bmp", file));
        for (bool mirrored : {false, true}) {
            Draw("n0", mirrored);
            EXPECT_EQ(WrongPixels(picture, mirrored, depth.expect), 0) << (mirrored ? "mirrored" : "plain");
        }
    }
}

TEST_F(BadSpriteTest, TopDownFilesAtEveryDepthStayInTheirPlace)
{
    // Top-down files (negative height) are valid, and Windows draws them
    // like the bottom-up ones. Wine's loader gives them black pixels, so
    // here only what the program must guarantee is checked: the picture's
    // place and nothing else is drawn on, nothing leaks, and the next good
    // frame is right.
    const int depths[] = {1, 4, 8, 16, 24, 32};
    const int before = LiveGdiObjects();
    for (int bits : depths) {
        SCOPED_TRACE(testing::Message() << bits << " bits per pixel");
        const Picture picture = bits <= 8 ? FewColoursPicture(21, 11, 1 << (bits < 4 ? bits : 4)) : PatternPicture(21, 11);
        ASSERT_TRUE(WriteBytes("a/n0.bmp", EncodeBmp(picture, bits, true)));
        for (bool mirrored : {false, true}) {
            Draw("n0", mirrored);
            EXPECT_EQ(PixelsTouchedOutside(picture.width, picture.height), 0);
        }
        ExpectGoodFrameDraws();
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

// --- Sizes ---------------------------------------------------------------------

TEST_F(BadSpriteTest, OnePixelPictureIsOnePixel)
{
    const Picture dot = SolidPicture(1, 1, Red);
    for (int bits : {1, 8, 24, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits per pixel");
        ASSERT_TRUE(WriteBytes("a/n0.bmp", EncodeBmp(dot, bits, false)));
        for (bool mirrored : {false, true}) {
            Draw("n0", mirrored);
            EXPECT_EQ(WrongPixels(dot, mirrored, Same), 0) << (mirrored ? "mirrored" : "plain");
        }
    }
}

// Quarters of different colours, with the top-left 60 x 60 a pattern of
// its own: what the window shows of a large picture is easy to tell.
Picture LargePicture(int size)
{
    Picture picture = SolidPicture(size, size, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint32_t rgb = x < size / 2 ? (y < size / 2 ? 0x202080u : 0x208020u) : (y < size / 2 ? 0x802020u : 0x808080u);
            if (x < 60 && y < 60) rgb = 0x100000u * static_cast<uint32_t>(x % 16) + 0x000400u * static_cast<uint32_t>(y) + 0x11;
            picture.pixels[static_cast<size_t>(y) * size + x] = rgb;
        }
    }
    return picture;
}

TEST_F(BadSpriteTest, PictureOf2000By2000IsDrawnWholeAndClippedByTheContext)
{
    const Picture big = LargePicture(2000);
    ASSERT_TRUE(WriteBmp("a/n0.bmp", big));
    Canvas wide = MakeCanvas(2100, 2010, Backdrop);
    ASSERT_NE(wide.dc, nullptr);
    const int before = LiveGdiObjects();

    SpriteDraw(wide.dc, 0, 0, "n0");
    int wrong = 0;
    for (int y = 0; y < 2000; y += 7)
        for (int x = 0; x < 2000; x += 7)
            if (CanvasPixel(wide, x, y) != PicturePixel(big, x, y)) ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(CountPixelsNot(wide, 2000, 0, 2100, 2010, Backdrop), 0);
    EXPECT_EQ(CountPixelsNot(wide, 0, 2000, 2100, 2010, Backdrop), 0);

    // On a small context only its top-left corner lands, plain, and its
    // top-right corner mirrored.
    Draw("n0", false);
    EXPECT_EQ(WrongPixels(big, false, Same), 0);
    FillCanvas(canvas, Backdrop);
    SpriteDrawMirrored(canvas.dc, 0, 0, "n0");
    wrong = 0;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = MirrorShift; x < canvas.width; ++x)
            if (CanvasPixel(canvas, x, y) != PicturePixel(big, 1999 - (x - MirrorShift), y)) ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(LiveGdiObjects(), before);
    FreeCanvas(wide);
}

// --- Damaged files ---------------------------------------------------------------

struct Damage {
    std::string what;
    Bytes file;
    bool unusable;  // the headers send a loader past the file's end: nothing may be drawn
};

// A 24-bit 21 x 11 picture cut or changed in every way tried here; a
// paletted one for the cuts that fall inside a palette.
std::vector<Damage> DamagedFiles()
{
    const Bytes whole = EncodeBmp(PatternPicture(21, 11), 24, false);
    const Bytes paletted = EncodeBmp(FewColoursPicture(21, 11, 200), 8, false);
    std::vector<Damage> damages;
    const size_t cuts[] = {2, 14, 30, BmpHeadersSize - 1, BmpHeadersSize, BmpHeadersSize + 1, whole.size() / 2,
                           whole.size() - 1};
    for (size_t cut : cuts)
        damages.push_back({"cut at " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut), true});
    damages.push_back({"palette cut short", Bytes(paletted.begin(), paletted.begin() + BmpHeadersSize + 100), true});

    struct Field {
        const char* what;
        int offset;
        int size;
        uint32_t value;
        bool unusable;
    };
    const Field fields[] = {
        {"width 0", BmpWidthField, 4, 0, true},
        {"height 0", BmpHeightField, 4, 0, true},
        {"negative width", BmpWidthField, 4, static_cast<uint32_t>(-21), true},
        {"0 bits per pixel", BmpBitsField, 2, 0, true},
        {"7 bits per pixel", BmpBitsField, 2, 7, true},
        {"64 bits per pixel", BmpBitsField, 2, 64, true},
        {"unknown compression", BmpCompressionField, 4, 99, true},
        {"info header of size 0", 14, 4, 0, true},
        {"info header of size 1000", 14, 4, 1000, true},
        {"width of a billion", BmpWidthField, 4, 1000000000, true},
        {"height of minus a billion", BmpHeightField, 4, static_cast<uint32_t>(-1000000000), true},
        {"height at the 32-bit minimum", BmpHeightField, 4, 0x80000000u, true},
        {"width 40000", BmpWidthField, 4, 40000, true},
        {"pixels past the end", BmpPixelOffsetField, 4, 0x00FFFFFF, true},
        {"pixels from inside the file header", BmpPixelOffsetField, 4, 3, true},
        // The loader decides about this one; whatever it makes stays in place.
        {"run-length compression on 24 bits", BmpCompressionField, 4, BI_RLE8, false},
    };
    for (const Field& field : fields) {
        Bytes file = whole;
        if (field.size == 2)
            PutLe16(file, field.offset, static_cast<uint16_t>(field.value));
        else
            PutLe32(file, field.offset, field.value);
        damages.push_back({field.what, file, field.unusable});
    }
    Bytes both = whole;
    PutLe32(both, BmpHeightField, 0x7FFFFFFF);
    PutLe32(both, BmpWidthField, 0x7FFFFFFF);
    damages.push_back({"both sizes at the 32-bit limit", both, true});
    return damages;
}

TEST_F(BadSpriteTest, FilesCutShortOrWithDamagedHeadersDrawNothingAndLeakNothing)
{
    const int before = LiveGdiObjects();
    for (const Damage& damage : DamagedFiles()) {
        SCOPED_TRACE(damage.what);
        ASSERT_TRUE(WriteBytes("a/n0.bmp", damage.file));
        for (bool mirrored : {false, true}) {
            SCOPED_TRACE(mirrored ? "mirrored" : "plain");
            Draw("n0", mirrored);
            if (damage.unusable)
                EXPECT_EQ(CountPixelsNot(canvas, 0, 0, canvas.width, canvas.height, Backdrop), 0);
            else
                EXPECT_EQ(PixelsTouchedOutside(21, 11), 0);
            EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
        }
        ExpectGoodFrameDraws();
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(BadSpriteTest, WindowSizedFrameCutAnywhereDrawsNothing)
{
    // A frame as the skins ship it, cut where a save in progress might
    // leave it: a loader that believed its headers would read up to 10 KB
    // past the end.
    const Bytes whole = EncodeBmp(PatternPicture(60, 60), 24, false);
    int drawn = 0;
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
        ASSERT_TRUE(WriteBytes("a/n0.bmp", Bytes(whole.begin(), whole.begin() + cut)));
        Draw("n0", cut % 2 != 0);
        if (CountPixelsNot(canvas, 0, 0, canvas.width, canvas.height, Backdrop) != 0 && ++drawn <= 3)
            ADD_FAILURE() << "drawn when cut at " << cut;
    }
    EXPECT_EQ(drawn, 0);
    ExpectGoodFrameDraws();
}

// --- Through the real window's paint ---------------------------------------------

struct PaintCase {
    std::string what;
    Bytes file;   // empty with folder false: an empty file
    bool folder;  // a folder named like the frame
};

struct WindowPaintTest : BadSpriteTest {
    HWND hwnd = nullptr;

    void SetUp() override
    {
        BadSpriteTest::SetUp();
        if (HasFatalFailure()) return;
        hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
        mascot.state = 2;  // standing: frame n0, drawn plain
    }

    void TearDown() override
    {
        EndMascot(hwnd);
        BadSpriteTest::TearDown();
    }

    void Paint() { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    // Pixels of the window that differ from the top-left 60 x 60 of
    // `picture` over the colour key.
    int WrongWindowPixels(const Picture& picture)
    {
        HDC dc = GetDC(hwnd);
        int wrong = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const uint32_t want = x < picture.width && y < picture.height ? PicturePixel(picture, x, y) : KeyGreen;
                if (DcPixel(dc, x, y) != want) ++wrong;
            }
        }
        ReleaseDC(hwnd, dc);
        return wrong;
    }
};

TEST_F(WindowPaintTest, BadFramesShowNothingAndTheNextGoodFrameShowsExactly)
{
    std::vector<PaintCase> cases = {
        {"empty file", {}, false},
        {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}, false},
        {"folder", {}, true},
    };
    for (const Damage& damage : DamagedFiles())
        if (damage.unusable) cases.push_back({damage.what, damage.file, false});
    const Picture good = PatternPicture(40, 30);
    const Bytes goodFile = EncodeBmp(good, 24, false);
    Paint();
    const int before = LiveGdiObjects();

    for (const PaintCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA("a/n0.bmp");
        if (c.folder)
            ASSERT_TRUE(CreateDirectoryA("a/n0.bmp", nullptr));
        else
            ASSERT_TRUE(WriteBytes("a/n0.bmp", c.file));
        Paint();
        EXPECT_EQ(WrongWindowPixels(SolidPicture(0, 0, 0)), 0) << "the window shows only the key";
        EXPECT_EQ(GetCurrentObject(backBufferDC, OBJ_BITMAP), backBufferBitmap);
        if (c.folder) {
            ASSERT_TRUE(RemoveDirectoryA("a/n0.bmp"));
        }

        ASSERT_TRUE(WriteBytes("a/n0.bmp", goodFile));
        Paint();
        EXPECT_EQ(WrongWindowPixels(good), 0) << "the good frame after it";
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(WindowPaintTest, EveryDepthAndALargePictureShowTheirTopLeftCorner)
{
    for (int bits : {1, 8, 16, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits per pixel");
        const Picture picture = FewColoursPicture(45, 50, bits == 1 ? 2 : 200);
        Picture expected = picture;
        for (uint32_t& rgb : expected.pixels) rgb = bits == 16 ? Through16Bits(rgb) : rgb;
        ASSERT_TRUE(WriteBytes("a/n0.bmp", EncodeBmp(picture, bits, false)));
        Paint();
        EXPECT_EQ(WrongWindowPixels(expected), 0);
    }

    const Picture big = LargePicture(2000);
    ASSERT_TRUE(WriteBmp("a/n0.bmp", big));
    Paint();
    EXPECT_EQ(WrongWindowPixels(big), 0) << "the window shows the picture's top-left 60 x 60";
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 60);
}

}  // namespace
