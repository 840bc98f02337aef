// The mascot at whole-number sizes and on the monitors there are, on the
// real window: the awareness asked of the system, the scaled paint, the
// tick in the mascot's units, the Size and All monitors items, and a desk
// that changed under the mascot.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "desk/MascotScale.h"
#include "desk/win32/DeskState.h"
#include "desk/win32/DpiAwareness.h"
#include "res/resource.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "support/BmpFixture.h"
#include "support/Canvas.h"
#include "support/MascotRun.h"
#include "support/TestFolder.h"
#include "support/WindowSupport.h"
#include "tray/win32/TrayMenu.h"
#include "tray/win32/TrayState.h"

namespace {

// --- The awareness asked for -------------------------------------------------

// What each fake call was asked, and what it answers.
std::vector<std::string> asked;
DWORD contextV2Error = 0, contextV1Error = 0;  // 0: taken
HRESULT awarenessResult = S_OK;

BOOL WINAPI FakeSetContext(HANDLE context)
{
    const bool v2 = context == reinterpret_cast<HANDLE>(-4);
    asked.push_back(v2 ? "context v2" : context == reinterpret_cast<HANDLE>(-3) ? "context v1" : "context ?");
    const DWORD error = v2 ? contextV2Error : contextV1Error;
    SetLastError(error);
    return error == 0;
}

HRESULT WINAPI FakeSetAwareness(int level)
{
    asked.push_back("awareness " + std::to_string(level));
    return awarenessResult;
}

BOOL WINAPI FakeSetAware()
{
    asked.push_back("system aware");
    return TRUE;
}

struct AwarenessCase {
    const char* what;
    bool contexts, shcore;
    DWORD v2Error, v1Error;
    HRESULT shcoreResult;
    const char* expected;
};
const AwarenessCase awarenessCases[] = {
    {"Windows 10 1703 and later", true, true, 0, 0, S_OK, "context v2"},
    {"the manifest set it already", true, true, ERROR_ACCESS_DENIED, 0, S_OK, "context v2"},
    {"no version 2 (Wine, early Windows 10)", true, true, ERROR_INVALID_PARAMETER, 0, S_OK, "context v2, context v1"},
    {"no version 2, manifest's awareness held", true, true, ERROR_INVALID_PARAMETER, ERROR_ACCESS_DENIED, S_OK,
     "context v2, context v1"},
    {"Windows 8.1", false, true, 0, 0, S_OK, "awareness 2"},
    {"Windows 8.1, set by the manifest", false, true, 0, 0, E_ACCESSDENIED, "awareness 2"},
    {"Vista and 7", false, false, 0, 0, S_OK, "system aware"},
    {"every per-monitor way refused", true, true, ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER, E_INVALIDARG,
     "context v2, context v1, awareness 2, system aware"},
};

TEST(DpiAwareness, PerMonitorVersion2ElseTheFirstElseTheSystemsDpi)
{
    for (const AwarenessCase& c : awarenessCases) {
        asked.clear();
        contextV2Error = c.v2Error;
        contextV1Error = c.v1Error;
        awarenessResult = c.shcoreResult;
        DpiAwarenessCalls calls = {c.contexts ? FakeSetContext : nullptr, c.shcore ? FakeSetAwareness : nullptr,
                                   FakeSetAware};
        EnablePerMonitorDpiWith(calls);
        std::string seen;
        for (const std::string& call : asked) seen += (seen.empty() ? "" : ", ") + call;
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

// --- The mascot at a chosen size ---------------------------------------------

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

struct DeskTest : ::testing::Test {
    TestFolder folder = {};
    HWND hwnd = nullptr;
    POINT cursor = {};  // put back for the tests after

    void SetUp() override
    {
        GetCursorPos(&cursor);
        ASSERT_TRUE(EnterTestFolder(folder));
        ResetMascotState();
        settings = SettingsRecord{};
    }

    void Start(int32_t size)
    {
        SizeChoice() = size;
        hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
        tray.mascotWindow = hwnd;
    }

    void TearDown() override
    {
        EndMascot(hwnd);
        tray = TrayState{};
        settings = SettingsRecord{};
        LeaveTestFolder(folder);
        SetCursorPos(cursor.x, cursor.y);
    }

    // Away from the cursor, walking right.
    void WalkAwayFromCursor()
    {
        POINT cursor = {};
        GetCursorPos(&cursor);
        mascot.posX = cursor.x / deskState.scale > 300 ? 20 : 400;
        mascot.posY = 100;
        mascot.targetX = mascot.posX + 400;
        mascot.targetY = mascot.posY;
        mascot.state = 0;
        mascot.idleTicks = 1;
    }
};

TEST_F(DeskTest, AtTwoTimesEachPixelIsATwoByTwoBlockAndTheWindowMovesInUnits)
{
    Start(2);
    RECT rect = WindowRect(hwnd);
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 120);

    // A picture whose every pixel differs from its neighbours'.
    ASSERT_TRUE(WriteBmp("a/n0.bmp", PatternPicture(60, 60)));
    mascot.state = 2;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC windowDC = GetDC(hwnd);
    Canvas shown = CopyOfDc(windowDC, 120, 120);
    ReleaseDC(hwnd, windowDC);
    ASSERT_NE(shown.dc, nullptr);
    int wrong = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if (CanvasPixel(shown, x, y) != PicturePixel(PatternPicture(60, 60), x / 2, y / 2)) ++wrong;
    FreeCanvas(shown);
    EXPECT_EQ(wrong, 0) << "pixels that are not their sprite pixel's block";

    WalkAwayFromCursor();
    const int32_t startX = mascot.posX;
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    EXPECT_EQ(mascot.posX, startX + 4) << "four of its own pixels a step";
    rect = WindowRect(hwnd);
    EXPECT_EQ(rect.left, 2 * mascot.posX);
    EXPECT_EQ(rect.top, 2 * mascot.posY);
}

TEST_F(DeskTest, TheCursorAnywhereOnTheScaledWindowFreezesIt)
{
    Start(3);
    mascot.posX = 100;
    mascot.posY = 100;
    mascot.targetX = 900;
    mascot.targetY = 100;
    mascot.idleTicks = 1;
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);  // places the window
    const int32_t x = mascot.posX;
    // The window's last pixel, far right and below: still the mascot.
    ASSERT_TRUE(SetCursorPos(3 * x + 179, 3 * mascot.posY + 179));
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    EXPECT_EQ(mascot.posX, x) << "frozen under the cursor";
    ASSERT_TRUE(SetCursorPos(3 * x + 190, 3 * mascot.posY + 190));
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    EXPECT_EQ(mascot.posX, x + 4) << "the cursor just past the hover box";
}

TEST_F(DeskTest, SizeItemsSaveTheChoiceAndTheMascotKeepsItsCentre)
{
    Start(SizeAuto);
    ASSERT_EQ(WindowRect(hwnd).right - WindowRect(hwnd).left, 60) << "Auto at 96 DPI";
    RangeX() = 640;
    ASSERT_TRUE(SaveSettings());
    mascot.posX = 500;
    mascot.posY = 300;
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    const RECT before = WindowRect(hwnd);

    RunTrayCommand(IDM_TRAY_SIZE_3);
    const RECT after = WindowRect(hwnd);
    EXPECT_EQ(after.right - after.left, 180);
    EXPECT_EQ(after.bottom - after.top, 180);
    EXPECT_NEAR((after.left + after.right) / 2, (before.left + before.right) / 2, 3) << "the centre stays";
    EXPECT_NEAR((after.top + after.bottom) / 2, (before.top + before.bottom) / 2, 3);
    std::vector<unsigned char> file = ReadFileBytes("savedata");
    ASSERT_EQ(file.size(), 552u);
    EXPECT_EQ(file[520], 3) << "values[2]";
    EXPECT_EQ(file[512] + 256 * file[513], 640) << "the range is kept";

    RunTrayCommand(IDM_TRAY_ALL_MONITORS);
    file = ReadFileBytes("savedata");
    EXPECT_EQ(file[524], 1) << "values[3]";
    EXPECT_TRUE(AllMonitorsChosen());
    RunTrayCommand(IDM_TRAY_ALL_MONITORS);
    EXPECT_EQ(ReadFileBytes("savedata")[524], 0);

    RunTrayCommand(IDM_TRAY_SIZE_AUTO);
    EXPECT_EQ(WindowRect(hwnd).right - WindowRect(hwnd).left, 60);
    EXPECT_EQ(ReadFileBytes("savedata")[520], 0);
}

TEST_F(DeskTest, ADeskChangeBringsAMascotOffEveryMonitorBackAndChangesNothingElse)
{
    Start(SizeAuto);
    mascot.posX = 30000;
    mascot.posY = -5000;
    mascot.targetX = 40;
    mascot.targetY = 50;
    mascot.state = 11;
    mascot.stepCount = 6;
    mascot.skinIndex = 3;
    SendMessageA(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    const RECT rect = WindowRect(hwnd);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.top, work.top);
    EXPECT_EQ(mascot.targetX, 40);
    EXPECT_EQ(mascot.state, 11);
    EXPECT_EQ(mascot.stepCount, 6);
    EXPECT_EQ(mascot.skinIndex, 3);
}

}  // namespace
