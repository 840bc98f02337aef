// Drawing and painting hold no GDI object once they return, but for the
// pictures kept between paints: once every frame has been drawn, the count
// never grows again. Counted directly, and shown by running many more
// calls than there are free handle slots while the rest of the handle
// table is taken.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "sprites/win32/AnimateState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/win32/SpriteDraw.h"
#include "support/BmpFixture.h"
#include "support/CanvasTest.h"
#include "support/GdiCount.h"
#include "support/MascotRun.h"
#include "support/TestFolder.h"

namespace {

// Free GDI handle slots left while the table is otherwise filled: far fewer
// than the calls made then, so leaking one object per call runs out.
const int Headroom = 150;
const int CallsWhileNearlyFull = 400;

// The one picture of skin d/.
Picture SmallPicture() { return HalvesPicture(4, 3, Red, Blue); }

struct GdiLeakTest : CanvasTest {
    GdiLeakTest() : CanvasTest(60, 60, KeyGreen) {}

    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure()) return;
        // a/: every frame the states use; b/: nothing (missing files);
        // c/: text where pictures should be; d/: one small picture.
        const char* const frames[] = {"w0", "w1", "w2", "w3", "w4", "w5", "n0", "j0",
                                      "jj0", "d0", "f0", "ff0", "p0"};
        for (const char* frame : frames) {
            char path[32];
            std::snprintf(path, sizeof path, "a/%s.bmp", frame);
            ASSERT_TRUE(WriteBmp(path, PatternPicture(60, 60)));
            std::snprintf(path, sizeof path, "c/%s.bmp", frame);
            ASSERT_TRUE(WriteFileBytes(path, "not a picture", 13));
        }
        ASSERT_TRUE(WriteBmp("d/n0.bmp", SmallPicture()));
    }
};

// One round of every drawing path: good, missing and unreadable files,
// plain and mirrored, and the sequencer over every catalogue row.
void DrawEveryWay(HDC dc, int round)
{
    mascot.skinIndex = round % 4;
    ClearToKey(dc);
    SpriteDraw(dc, 0, 0, "w0");
    SpriteDrawMirrored(dc, 3, 2, "n0");
    AnimateState(dc, round % AnimationRows);
}

// A fresh context still takes a fill and a picture correctly.
void ExpectGdiStillWorks()
{
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HBRUSH brush = CreateSolidBrush(0);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(pen, nullptr);
    EXPECT_NE(brush, nullptr);
    EXPECT_NE(dc, nullptr);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteDC(dc);

    Canvas canvas = MakeCanvas(60, 60, Black);
    ASSERT_NE(canvas.dc, nullptr);
    mascot.skinIndex = 3;
    ClearToKey(canvas.dc);
    SpriteDraw(canvas.dc, 0, 0, "n0");
    EXPECT_EQ(PictureMismatch(canvas, SmallPicture(), 0, 0, false, KeyGreen), "");
    FreeCanvas(canvas);
}

TEST_F(GdiLeakTest, CounterSeesObjectsComeAndGo)
{
    // The leak checks below rely on this count, so it must follow every
    // kind of object that drawing creates.
    HDC screen = GetDC(nullptr);  // its first use sets up objects for good
    const int before = LiveGdiObjects();
    ASSERT_GT(before, 0);
    std::vector<HGDIOBJ> made;
    for (int i = 0; i < 10; ++i) {
        made.push_back(CreatePen(PS_SOLID, 10, KeyGreen));
        made.push_back(CreateHatchBrush(6, KeyGreen));
        made.push_back(CreateCompatibleDC(nullptr));
        made.push_back(CreateCompatibleBitmap(screen, 8, 8));
    }
    EXPECT_EQ(LiveGdiObjects(), before + 40);
    for (HGDIOBJ object : made) {
        if (GetObjectType(object) == OBJ_MEMDC)
            DeleteDC(static_cast<HDC>(object));
        else
            DeleteObject(object);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
    ReleaseDC(nullptr, screen);
}

TEST_F(GdiLeakTest, DrawingCallsLeaveTheObjectCountUnchanged)
{
    const HGDIOBJ pen = GetCurrentObject(canvas.dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas.dc, OBJ_BRUSH);
    KeepEveryFrame();
    for (int round = 0; round < 8; ++round) DrawEveryWay(canvas.dc, round);  // first-use set-up
    const int before = LiveGdiObjects();

    for (int round = 0; round < 300; ++round) DrawEveryWay(canvas.dc, round);

    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
}

struct MascotWindowLeakTest : GdiLeakTest {
    HWND hwnd = nullptr;

    void SetUp() override
    {
        GdiLeakTest::SetUp();
        if (HasFatalFailure()) return;
        hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
        KeepEveryFrame();
        for (int paint = 0; paint < 12; ++paint) Paint(paint);  // first-use set-up
    }

    void TearDown() override
    {
        EndMascot(hwnd);
        GdiLeakTest::TearDown();
    }

    // A paint of every kind in turn: walking both ways, standing, an empty
    // row, a state outside the catalogue; all skins; sometimes paused.
    void Paint(int paint)
    {
        const int states[] = {0, 1, 2, 6, 18, 60};
        mascot.state = states[paint % 6];
        mascot.skinIndex = paint / 6 % 4;
        mascot.running = paint % 7 != 0;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
};

TEST_F(MascotWindowLeakTest, PaintsLeaveTheObjectCountUnchanged)
{
    const int before = LiveGdiObjects();
    for (int paint = 0; paint < 300; ++paint) Paint(paint);
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(GetCurrentObject(backBufferDC, OBJ_BITMAP), backBufferBitmap);
}

// Takes every free GDI handle slot but `headroom`; the pens go back with
// ReleaseBallast.
std::vector<HPEN> TakeAllHandlesBut(int headroom)
{
    std::vector<HPEN> ballast;
    for (;;) {
        HPEN pen = CreatePen(PS_SOLID, 1, 0);
        if (pen == nullptr) break;
        ballast.push_back(pen);
    }
    for (int i = 0; i < headroom && !ballast.empty(); ++i) {
        DeleteObject(ballast.back());
        ballast.pop_back();
    }
    return ballast;
}

void ReleaseBallast(std::vector<HPEN>& ballast)
{
    for (HPEN pen : ballast) DeleteObject(pen);
    ballast.clear();
}

// How many more objects the process can create right now (they are freed again).
int FreeHandleSlots()
{
    std::vector<HPEN> probe = TakeAllHandlesBut(0);
    const int free = static_cast<int>(probe.size());
    ReleaseBallast(probe);
    return free;
}

TEST_F(MascotWindowLeakTest, WithTheHandleTableNearlyFullDrawingAndPaintingGoOn)
{
    // Independent of the count above: with only a few slots free, more
    // calls than slots must leave exactly as many free, or a leak would
    // have used them up and drawing would then fail.
    std::vector<HPEN> ballast = TakeAllHandlesBut(Headroom);
    const size_t taken = ballast.size();
    if (taken <= 1000) ReleaseBallast(ballast);
    ASSERT_GT(taken, 1000u) << "GDI handles are not limited as expected";
    const int freeBefore = FreeHandleSlots();

    for (int call = 0; call < CallsWhileNearlyFull; ++call) {
        DrawEveryWay(canvas.dc, call);
        Paint(call);
    }
    const int freeAfter = FreeHandleSlots();
    mascot.skinIndex = 3;
    std::string wrong[2];
    for (bool mirrored : {false, true}) {
        Draw("n0", 10, 0, mirrored);
        wrong[mirrored] = Mismatch(SmallPicture(), 10, 0, mirrored);
    }
    ReleaseBallast(ballast);

    EXPECT_EQ(freeAfter, freeBefore);
    EXPECT_EQ(wrong[0] + wrong[1], "") << "drawing failed for want of GDI handles";
    ExpectGdiStillWorks();
}

}  // namespace
