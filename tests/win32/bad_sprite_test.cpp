// Sprite files beyond the everyday 24-bit picture: every bit depth, header,
// compression and row order, drawn as the system's own loader draws them;
// the smallest and a very large picture; files cut short, with damaged or
// crafted headers. Whatever the file, drawing never crashes, never touches
// pixels outside the picture's place, leaks nothing, and the next good
// frame draws exactly; a file that does not hold what its headers describe
// draws nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/BitmapCheck.h"
#include "sprites/win32/SpriteDraw.h"
#include "sprites/win32/SpriteLoad.h"
#include "support/BmpFixture.h"
#include "support/CanvasTest.h"
#include "support/GdiCount.h"
#include "support/MascotRun.h"

namespace {

const uint32_t Backdrop = 0x123456;  // anything drawing has not touched

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

struct BadSpriteTest : CanvasTest {
    BadSpriteTest() : CanvasTest(80, 80, Backdrop) {}

    // A good frame after a bad one draws exactly, plain and mirrored, and
    // the canvas still has its own bitmap.
    void ExpectGoodFrameDraws()
    {
        const Picture good = PatternPicture(13, 9);
        ASSERT_TRUE(WriteBmp("a/w1.bmp", good));
        for (bool mirrored : {false, true}) {
            Draw("w1", Left, Top, mirrored);
            EXPECT_EQ(Mismatch(good, Left, Top, mirrored), "")
                << "the good frame after a bad one, " << (mirrored ? "mirrored" : "plain");
        }
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
    }
};

// --- Every format, as the system's loader draws it ----------------------------

enum Expect {
    AsLoaded,          // what LoadImageA makes of the same file, copied the same way
    AsLoadedPlain,     // what it makes of the same picture in the plain form
                       // (40-byte header, bottom-up): under Wine it leaves
                       // top-down files black and spoils the colour table
                       // after a core header
    Refused,           // nothing at all
};

struct FormatCase {
    std::string what;
    Picture picture;
    Bytes file;
    Expect expect;
    uint32_t (*seen)(uint32_t);  // the picture's colours as drawn, when known exactly
    Bytes plain;                 // for AsLoadedPlain
};

BmpForm Form(int bits, int headerBytes, uint32_t compression, uint32_t red = 0, uint32_t green = 0, uint32_t blue = 0)
{
    return BmpForm{bits, false, headerBytes, compression, {red, green, blue}, false};
}

BmpForm TopDown(BmpForm form)
{
    form.topDown = true;
    return form;
}

// Odd widths throughout, so that rows need padding at every depth.
Picture PictureFor(int bits, int width = 21, int height = 11)
{
    return bits <= 8 ? FewColoursPicture(width, height, bits == 1 ? 2 : bits == 4 ? 16 : 200)
                     : PatternPicture(width, height);
}

std::vector<FormatCase> FormatCases()
{
    std::vector<FormatCase> cases;
    auto add = [&](const std::string& what, const Picture& picture, const BmpForm& form, Expect expect,
                   uint32_t (*seen)(uint32_t) = nullptr) {
        cases.push_back({what, picture, EncodeBmpAs(picture, form), expect, seen,
                         expect == AsLoadedPlain ? EncodeBmp(picture, form.bits, false) : Bytes()});
    };
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const std::string depth = std::to_string(bits) + " bits";
        uint32_t (*seen)(uint32_t) = bits == 16 ? Through16Bits : Same;
        add(depth, PictureFor(bits), PlainForm(bits, false), AsLoaded, seen);
        add(depth + ", top-down", PictureFor(bits), PlainForm(bits, true), AsLoadedPlain, seen);
    }
    for (int bits : {1, 4, 8, 24})
        add("core header, " + std::to_string(bits) + " bits", PictureFor(bits), Form(bits, 12, BI_RGB),
            bits <= 8 ? AsLoadedPlain : AsLoaded, Same);
    add("V4 header, 8 bits", PictureFor(8), Form(8, 108, BI_RGB), AsLoaded, Same);
    add("V5 header, 24 bits", PictureFor(24), Form(24, 124, BI_RGB), AsLoaded, Same);
    add("V5 header, 4 bits, top-down", PictureFor(4), TopDown(Form(4, 124, BI_RGB)), AsLoadedPlain, Same);

    add("bit fields 5-6-5 after the header", PictureFor(16), Form(16, 40, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F),
        AsLoaded);
    add("bit fields 5-5-5 in a V5 header", PictureFor(16), Form(16, 124, BI_BITFIELDS, 0x7C00, 0x03E0, 0x001F),
        AsLoaded);
    add("bit fields 32 bits, blue and red swapped, V4", PictureFor(32),
        Form(32, 108, BI_BITFIELDS, 0x000000FF, 0x0000FF00, 0x00FF0000), AsLoaded);
    add("bit fields 32 bits, top-down", PictureFor(32),
        TopDown(Form(32, 40, BI_BITFIELDS, 0x00FF0000, 0x0000FF00, 0x000000FF)), AsLoadedPlain);
    // Masks inside the header: nothing follows it but the pixels.
    add("tiny V5 bit-field file", SolidPicture(1, 1, Red),
        Form(32, 124, BI_BITFIELDS, 0x00FF0000, 0x0000FF00, 0x000000FF), AsLoaded, Same);
    add("tiny V4 bit-field file", SolidPicture(1, 1, Blue), Form(16, 108, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F),
        AsLoaded);

    add("run-length 8 bits", PictureFor(8), Form(8, 40, BI_RLE8), AsLoaded, Same);
    add("run-length 4 bits", PictureFor(4), Form(4, 40, BI_RLE4), AsLoaded, Same);
    add("run-length 4 bits, width 5", PictureFor(4, 5, 7), Form(4, 40, BI_RLE4), AsLoaded, Same);
    add("run-length 8 bits in a V5 header", PictureFor(8), Form(8, 124, BI_RLE8), AsLoaded, Same);
    BmpForm gaps = Form(8, 40, BI_RLE8);
    gaps.rowsEndEarly = true;
    add("run-length 8 bits, rows ending early", PictureFor(8), gaps, AsLoaded);
    gaps = Form(4, 40, BI_RLE4);
    gaps.rowsEndEarly = true;
    add("run-length 4 bits, rows ending early", PictureFor(4), gaps, AsLoaded);

    // Where the pixels start.
    const Bytes paletted = EncodeBmp(PictureFor(8), 8, false);
    const uint32_t paletteEnd = paletted[10] | paletted[11] << 8;  // where the encoder put the pixels
    auto withOffset = [&](const std::string& what, Bytes file, uint32_t offset, Expect expect) {
        PutLe32(file, BmpPixelOffsetField, offset);
        cases.push_back({what, PictureFor(8), file, expect, expect == AsLoaded ? Same : nullptr, Bytes()});
    };
    withOffset("no pixel offset: right after the colour table", paletted, 0, AsLoaded);
    Bytes gap = paletted;
    gap.insert(gap.begin() + paletteEnd, 6, 0xEE);
    withOffset("pixels after a gap", gap, paletteEnd + 6, AsLoaded);
    // A loader that takes the file header's size for "no offset" would read
    // the pixels from after the table, and past the end of the file.
    withOffset("pixel offset 14, the file header's size", paletted, 14, Refused);
    withOffset("pixel offset inside the file header", paletted, 3, Refused);
    withOffset("pixel offset inside the info header", paletted, 30, Refused);
    withOffset("pixel offset inside the colour table", paletted, BmpHeadersSize + 8, Refused);
    withOffset("pixel offset one short of the pixels", paletted, paletteEnd - 1, Refused);

    // GDI takes at most the colours the depth allows, whatever the header names.
    Bytes named17 = EncodeBmp(PictureFor(4), 4, false);
    PutLe32(named17, 46, 17);
    cases.push_back({"4 bits naming 17 colours", PictureFor(4), named17, AsLoaded, Same, Bytes()});

    // Sizes and combinations the decoder must never be asked for.
    Bytes huge(60, 0);
    huge[0] = 'B';
    huge[1] = 'M';
    PutLe32(huge, BmpPixelOffsetField, BmpHeadersSize);
    PutLe32(huge, 14, 40);
    PutLe32(huge, BmpWidthField, 65535);
    PutLe32(huge, BmpHeightField, 65535);
    PutLe16(huge, 26, 1);
    PutLe16(huge, BmpBitsField, 8);
    PutLe32(huge, BmpCompressionField, BI_RLE8);
    PutLe32(huge, 34, 6);
    cases.push_back({"run-length 65535 x 65535 in 60 bytes", Picture{}, huge, Refused, nullptr, Bytes()});
    Bytes rleTopDown = EncodeBmpAs(PictureFor(8), Form(8, 40, BI_RLE8));
    PutLe32(rleTopDown, BmpHeightField, static_cast<uint32_t>(-11));
    cases.push_back({"run-length, top-down", Picture{}, rleTopDown, Refused, nullptr, Bytes()});
    Bytes fields24 = EncodeBmp(PictureFor(24), 24, false);
    PutLe32(fields24, BmpCompressionField, BI_BITFIELDS);
    cases.push_back({"bit fields on 24 bits", Picture{}, fields24, Refused, nullptr, Bytes()});
    Bytes wide = EncodeBmp(PatternPicture(MaxSpriteSide + 1, 1), 24, false);
    cases.push_back({"one pixel wider than the limit", Picture{}, wide, Refused, nullptr, Bytes()});
    return cases;
}

// Draws the file at `path` as the plain loader sequence does: LoadImageA,
// its size from GetObjectA, a copy at scale one, then free.
void DrawWithSystemLoader(HDC dc, const char* path, bool mirrored)
{
    char full[MAX_PATH];
    GetFullPathNameA(path, sizeof full, full, nullptr);
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(nullptr, full, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == nullptr) return;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memoryDC = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    const int width = info.bmWidth, height = info.bmHeight;
    if (mirrored)
        StretchBlt(dc, Left + width, Top, -width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    else
        StretchBlt(dc, Left, Top, width, height, memoryDC, 0, 0, width, height, SRCCOPY);
    SelectObject(memoryDC, previous);
    DeleteDC(memoryDC);
    DeleteObject(bitmap);
}

TEST_F(BadSpriteTest, EveryFormatIsDrawnAsTheSystemLoaderDrawsItOrRefused)
{
    const int before = DrawingGdiObjects();
    for (const FormatCase& c : FormatCases()) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.file.empty());
        ASSERT_TRUE(WriteBytes("a/n0.bmp", c.file));
        if (c.expect == AsLoadedPlain) {
            ASSERT_TRUE(WriteBytes("a/plain.bmp", c.plain));
        }
        for (bool mirrored : {false, true}) {
            SCOPED_TRACE(mirrored ? "mirrored" : "plain");
            Draw("n0", Left, Top, mirrored);
            const std::vector<uint32_t> drawn = CanvasPixels(canvas);
            if (c.expect == Refused) {
                EXPECT_EQ(CountPixelsNot(canvas, 0, 0, width, height, Backdrop), 0);
                continue;
            }
            if (c.seen != nullptr) {
                EXPECT_EQ(Mismatch(c.picture, Left, Top, mirrored, c.seen), "") << "against the picture";
            }

            FillCanvas(canvas, Backdrop);
            DrawWithSystemLoader(canvas.dc, c.expect == AsLoaded ? "a\\n0.bmp" : "a\\plain.bmp", mirrored);
            // The loader took the file and covered the picture's place.
            EXPECT_EQ(CountPixelsNot(canvas, 0, 0, width, height, Backdrop), c.picture.width * c.picture.height);
            EXPECT_TRUE(CanvasPixels(canvas) == drawn) << "pixels unlike the system loader's";
        }
    }
    EXPECT_EQ(DrawingGdiObjects(), before);
}

// --- Sizes ---------------------------------------------------------------------

TEST_F(BadSpriteTest, OnePixelPictureIsOnePixel)
{
    const Picture dot = SolidPicture(1, 1, Red);
    for (int bits : {1, 8, 24, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits per pixel");
        ASSERT_TRUE(WriteBytes("a/n0.bmp", EncodeBmp(dot, bits, false)));
        for (bool mirrored : {false, true}) {
            Draw("n0", Left, Top, mirrored);
            EXPECT_EQ(Mismatch(dot, Left, Top, mirrored), "") << (mirrored ? "mirrored" : "plain");
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
    const int before = DrawingGdiObjects();

    SpriteDraw(wide.dc, 0, 0, "n0");
    EXPECT_EQ(PictureMismatch(wide, big, 0, 0, false, Backdrop), "");

    // On a small context only its top-left corner lands, plain, and its
    // top-right corner mirrored.
    for (bool mirrored : {false, true}) {
        Draw("n0", Left, Top, mirrored);
        EXPECT_EQ(Mismatch(big, Left, Top, mirrored), "") << (mirrored ? "mirrored" : "plain");
    }
    EXPECT_EQ(DrawingGdiObjects(), before);
    FreeCanvas(wide);
}

// The largest picture the check takes, 4096 x 1024 at 32 bits (16 MiB of
// pixels, stored bottom-up, so that the rows that show come last), is read
// whole and drawn. A file longer than any picture it takes is refused
// unread, even with a good picture at its start.
TEST_F(BadSpriteTest, TheLargestPictureIsReadWholeAndLongerFilesAreRefused)
{
    const Picture largest = PatternPicture(4096, 1024);
    ASSERT_TRUE(WriteBmp("a/n0.bmp", largest, Bmp32BottomUp));
    Draw("n0", Left, Top);
    EXPECT_EQ(Mismatch(largest, Left, Top, false), "");

    const Picture small = PatternPicture(13, 9);
    Bytes padded = EncodeBmp(small, 24, false);
    padded.resize(MaxSpriteFileBytes, 0);
    ASSERT_TRUE(WriteBytes("a/n0.bmp", padded));
    Draw("n0", Left, Top);
    EXPECT_EQ(Mismatch(small, Left, Top, false), "") << "a file of the longest length read";
    padded.push_back(0);
    ASSERT_TRUE(WriteBytes("a/n0.bmp", padded));
    Draw("n0", Left, Top);
    EXPECT_EQ(CountPixelsNot(canvas, 0, 0, width, height, Backdrop), 0) << "a longer file drawn";
}

// While a paint holds the frame open, an editor may write it in place or
// delete it (and, with delete sharing, replace it the POSIX way, which
// Wine does not do); and an editor that holds it open for writing
// (sharing reading and writing, as editors do) does not stop the paint.
// Wine applies share modes between its own handles, so a second handle
// shows what the paint's open allows.
TEST_F(BadSpriteTest, EditorsMayWriteReplaceOrDeleteTheFrameMeanwhile)
{
    const Picture good = PatternPicture(13, 9);
    ASSERT_TRUE(WriteBmp("a/n0.bmp", good));
    SpriteFile file;
    ASSERT_TRUE(FindSpriteFile(file, "n0"));
    EXPECT_STREQ(file.relative, "a/n0.bmp");
    HANDLE reading = OpenSpriteFile(file);
    ASSERT_NE(reading, INVALID_HANDLE_VALUE);
    HANDLE editor = CreateFileA("a/n0.bmp", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(editor, INVALID_HANDLE_VALUE) << "an editor cannot write the frame while it is read";
    CloseHandle(editor);
    EXPECT_TRUE(DeleteFileA("a/n0.bmp")) << "cannot delete it";
    CloseHandle(reading);

    ASSERT_TRUE(WriteBmp("a/n0.bmp", good));
    editor = CreateFileA("a/n0.bmp", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    Draw("n0", Left, Top);
    EXPECT_EQ(Mismatch(good, Left, Top, false), "") << "an editor's open handle stopped the paint";
    CloseHandle(editor);
}

// --- Damaged files ---------------------------------------------------------------

// Each sends a reader of its headers past the file's end, or asks for
// what no decoder takes: nothing may be drawn.
struct Damage {
    std::string what;
    Bytes file;
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
        damages.push_back({"cut at " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut)});
    damages.push_back({"palette cut short", Bytes(paletted.begin(), paletted.begin() + BmpHeadersSize + 100)});

    struct Field {
        const char* what;
        int offset;
        int size;
        uint32_t value;
    };
    const Field fields[] = {
        {"width 0", BmpWidthField, 4, 0},
        {"height 0", BmpHeightField, 4, 0},
        {"negative width", BmpWidthField, 4, static_cast<uint32_t>(-21)},
        {"0 bits per pixel", BmpBitsField, 2, 0},
        {"7 bits per pixel", BmpBitsField, 2, 7},
        {"64 bits per pixel", BmpBitsField, 2, 64},
        {"unknown compression", BmpCompressionField, 4, 99},
        {"info header of size 0", 14, 4, 0},
        {"info header of size 1000", 14, 4, 1000},
        {"width of a billion", BmpWidthField, 4, 1000000000},
        {"height of minus a billion", BmpHeightField, 4, static_cast<uint32_t>(-1000000000)},
        {"height at the 32-bit minimum", BmpHeightField, 4, 0x80000000u},
        {"width 40000", BmpWidthField, 4, 40000},
        {"pixels past the end", BmpPixelOffsetField, 4, 0x00FFFFFF},
        {"pixels from inside the file header", BmpPixelOffsetField, 4, 3},
        {"run-length compression on 24 bits", BmpCompressionField, 4, BI_RLE8},
    };
    for (const Field& field : fields) {
        Bytes file = whole;
        if (field.size == 2)
            PutLe16(file, field.offset, static_cast<uint16_t>(field.value));
        else
            PutLe32(file, field.offset, field.value);
        damages.push_back({field.what, file});
    }
    Bytes both = whole;
    PutLe32(both, BmpHeightField, 0x7FFFFFFF);
    PutLe32(both, BmpWidthField, 0x7FFFFFFF);
    damages.push_back({"both sizes at the 32-bit limit", both});
    // Whole to the check, but GDI refuses the pixels of its bitmap once made.
    Bytes maskless = EncodeBmpAs(PatternPicture(21, 11), Form(16, 40, BI_BITFIELDS, 0x7C00, 0x03E0, 0x001F));
    for (int mask = 0; mask < 3; ++mask) PutLe32(maskless, BmpHeadersSize + 4 * mask, 0);
    damages.push_back({"bit fields without masks", maskless});
    return damages;
}

TEST_F(BadSpriteTest, FilesCutShortOrWithDamagedHeadersDrawNothingAndLeakNothing)
{
    const int before = DrawingGdiObjects();
    for (const Damage& damage : DamagedFiles()) {
        SCOPED_TRACE(damage.what);
        ASSERT_TRUE(WriteBytes("a/n0.bmp", damage.file));
        for (bool mirrored : {false, true}) {
            SCOPED_TRACE(mirrored ? "mirrored" : "plain");
            Draw("n0", Left, Top, mirrored);
            EXPECT_EQ(CountPixelsNot(canvas, 0, 0, width, height, Backdrop), 0);
            EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
        }
        ExpectGoodFrameDraws();
    }
    EXPECT_EQ(DrawingGdiObjects(), before);
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
        Draw("n0", Left, Top, cut % 2 != 0);
        if (CountPixelsNot(canvas, 0, 0, width, height, Backdrop) != 0 && ++drawn <= 3)
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

    // PictureMismatch of what the window shows, over the colour key.
    std::string WindowMismatch(const Picture& picture, bool mirrored = false)
    {
        HDC dc = GetDC(hwnd);
        Canvas shown = CopyOfDc(dc, 60, 60);
        ReleaseDC(hwnd, dc);
        const std::string mismatch = PictureMismatch(shown, picture, 0, 0, mirrored, KeyGreen);
        FreeCanvas(shown);
        return mismatch;
    }
};

TEST_F(WindowPaintTest, BadFramesShowNothingAndTheNextGoodFrameShowsExactly)
{
    std::vector<PaintCase> cases = {
        {"empty file", {}, false},
        {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}, false},
        {"folder", {}, true},
    };
    for (const Damage& damage : DamagedFiles()) cases.push_back({damage.what, damage.file, false});
    const Picture good = PatternPicture(40, 30);
    const Bytes goodFile = EncodeBmp(good, 24, false);
    Paint();
    const int before = DrawingGdiObjects();

    for (const PaintCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA("a/n0.bmp");
        if (c.folder)
            ASSERT_TRUE(CreateDirectoryA("a/n0.bmp", nullptr));
        else
            ASSERT_TRUE(WriteBytes("a/n0.bmp", c.file));
        Paint();
        EXPECT_EQ(WindowMismatch(Picture{}), "") << "the window shows only the key";
        EXPECT_EQ(GetCurrentObject(backBufferDC, OBJ_BITMAP), backBufferBitmap);
        if (c.folder) {
            ASSERT_TRUE(RemoveDirectoryA("a/n0.bmp"));
        }

        ASSERT_TRUE(WriteBytes("a/n0.bmp", goodFile));
        Paint();
        EXPECT_EQ(WindowMismatch(good), "") << "the good frame after it";
    }
    EXPECT_EQ(DrawingGdiObjects(), before);
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
        EXPECT_EQ(WindowMismatch(expected), "");
    }

    const Picture big = LargePicture(2000);
    ASSERT_TRUE(WriteBmp("a/n0.bmp", big));
    Paint();
    EXPECT_EQ(WindowMismatch(big), "") << "the window shows the picture's top-left 60 x 60";
    // Mirrored, the picture's top-right corner, as on a buffer of any size.
    for (const Picture& wide : {big, PatternPicture(61, 70), PatternPicture(97, 20)}) {
        ASSERT_TRUE(WriteBmp("a/n0.bmp", wide));
        mascot.state = 6;  // standing, facing left
        Paint();
        EXPECT_EQ(WindowMismatch(wide, true), "") << wide.width << " wide, mirrored";
        mascot.state = 2;
    }
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 60);
}

}  // namespace
