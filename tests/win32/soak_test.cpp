// A long run in one process with the shipped skins: half a million ticks
// and frame choices through the core, five thousand ticks and paints
// through the real window, skin changes and forty dialogs. Afterwards the process
// holds exactly the GDI objects and no more memory than after a warm-up,
// and the mascot still wanders and draws.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "settings/SettingsRecord.h"
#include "sprites/FrameChoice.h"
#include "support/BmpFixture.h"
#include "support/Canvas.h"
#include "support/GdiCount.h"
#include "support/MascotRun.h"
#include "support/ProcessMemory.h"
#include "support/TestFolder.h"
#include "support/WindowSupport.h"

namespace {

const int32_t FarAway = -100000;  // a cursor that never freezes the mascot

// Through the window a tick and a paint cost about 1 to 2 ms each under
// Wine (placing and drawing the window are calls to its server and to X),
// so the window takes a large sample and the core, which decides every
// tick and every frame, takes the bulk.
const int WindowRounds = 5000;
const int CoreRounds = 500000;
const int DialogEvery = WindowRounds / 40;
const int ClickEvery = 97;
// As often as the program's own loop would get to them, waiting messages
// are dispatched: the display's answers to window moves pile up in memory
// until then (about 600 bytes a move under Wine).
const int PumpEvery = 10;
const int WarmUpRounds = 500;

// Growth allowed between the warm-up and the end. Leaking one loaded frame
// a paint would add over 50 MB, 64 bytes a paint 320 KB.
const size_t MemorySlack = 256 * 1024;

// Copies every frame of skins a/ to d/ into the working folder.
int CopySkins(const std::string& from)
{
    int copied = 0;
    for (const char* skin : {"a", "b", "c", "d"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((from + "\\" + skin + "\\*.bmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string name = std::string(skin) + "\\" + found.cFileName;
            if (CopyFileA((from + "\\" + name).c_str(), name.c_str(), FALSE)) ++copied;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return copied;
}

// Dialogs alternate between saving a range and closing with Esc.
int dialogRound = 0;

void SaveOrCancel(HWND dialog)
{
    if (++dialogRound % 2 == 0) {
        PostDialogCommand(dialog, IDCANCEL);
        return;
    }
    char x[16], y[16];
    std::snprintf(x, sizeof x, "%d", 300 + dialogRound);
    std::snprintf(y, sizeof y, "%d", -(200 + dialogRound));
    SetDialogText(dialog, 1005, x);
    SetDialogText(dialog, 1006, y);
    PostDialogCommand(dialog, IDOK);
}

struct SoakTest : ::testing::Test {
    TestFolder folder = {};
    HWND hwnd = nullptr;

    void SetUp() override
    {
        const char* shipped = std::getenv("PELMO_SKINS");
        ASSERT_NE(shipped, nullptr) << "PELMO_SKINS names the generated skins";
        ASSERT_TRUE(EnterTestFolder(folder));
        ASSERT_EQ(CopySkins(shipped), 72) << "four skins of 18 frames";
        ASSERT_TRUE(DriveDialogs(SaveOrCancel));
        std::memset(&settings, 0, sizeof settings);
        ResetMascotState();
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        // Never shown: under Wine every move of a mapped window goes out to
        // X and the window manager, which makes the run about three times as
        // long. A hidden window is still placed by every tick, and painted
        // when its procedure gets WM_PAINT.
        hwnd = StartMascot(SW_HIDE);
        ASSERT_NE(hwnd, nullptr);
        SeedRandom(99);
    }

    void TearDown() override
    {
        EndMascot(hwnd);
        StopDrivingDialogs();
        LeaveTestFolder(folder);
    }

    // One round through the window: a tick, a paint, and now and then a
    // left click, the waiting messages (the real timer's among them), or a
    // dialog opened by the options command or a right click.
    void WindowRound(int round)
    {
        SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        if (round % ClickEvery == 0) {
            SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        }
        if (round % PumpEvery == 0) PumpWaitingMessages();
        if (round % DialogEvery == DialogEvery - 1) {
            if (round / DialogEvery % 2 == 0)
                SendMessageA(hwnd, WM_COMMAND, CmdOptions, 0);
            else
                SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        }
    }
};

TEST_F(SoakTest, LongRunHoldsItsGdiObjectsAndMemory)
{
    KeepEveryFrame();
    for (int round = 0; round < WarmUpRounds; ++round) WindowRound(round);
    PumpWaitingMessages();
    const int gdiBefore = LiveGdiObjects();
    const MemoryUse memoryBefore = CurrentMemoryUse();
    const int dialogsBefore = DialogsDriven();

    const int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int framesChosen = 0, statesOutside = 0;
    for (int round = 0; round < CoreRounds; ++round) {
        WanderDecide(FarAway, FarAway, screenWidth, screenHeight);
        if (mascot.state < 0 || mascot.state > 15) ++statesOutside;
        if (ChooseFrame(mascot.state).draw) ++framesChosen;
        if (round % 1000 == 0) AdvanceSkin();
    }
    for (int round = 0; round < WindowRounds; ++round) WindowRound(round);
    PumpWaitingMessages();

    const int gdiAfter = LiveGdiObjects();
    const MemoryUse memoryAfter = CurrentMemoryUse();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_LE(memoryAfter.privateBytes, memoryBefore.privateBytes + MemorySlack)
        << "private bytes " << memoryBefore.privateBytes << " -> " << memoryAfter.privateBytes;
    EXPECT_LE(memoryAfter.heapBytes, memoryBefore.heapBytes + MemorySlack)
        << "heap bytes " << memoryBefore.heapBytes << " -> " << memoryAfter.heapBytes;
    EXPECT_EQ(DialogsDriven() - dialogsBefore, 40);
    EXPECT_EQ(DialogsStuck(), 0);
    EXPECT_EQ(RangeX(), 300 + dialogRound - 1) << "the last saving dialog's range is in force";
    EXPECT_EQ(statesOutside, 0);
    EXPECT_EQ(framesChosen, CoreRounds) << "every state the behaviour reaches has frames";

    // Still alive: the window follows the mascot and shows a frame.
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(mascot.running);
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, mascot.posX);
    EXPECT_EQ(rect.top, mascot.posY);
    EXPECT_GT(CountDcPixelsNot(backBufferDC, 0, 0, 60, 60, KeyGreen), 100) << "a frame of the skin is drawn";
    EXPECT_EQ(GetCurrentObject(backBufferDC, OBJ_BITMAP), backBufferBitmap);
}

}  // namespace
