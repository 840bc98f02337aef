// The mascot window procedure on a real window: what every message returns,
// what it changes, and what a paint leaves in the back buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "sprites/AnimationCatalogue.h"
#include "support/BmpFixture.h"
#include "support/Canvas.h"
#include "support/MascotRun.h"
#include "support/TestFolder.h"
#include "support/WindowSupport.h"

namespace {

// Read before any test runs: the record as the process starts with it.
const MascotState atProcessStart = mascot;

std::string Describe(const MascotState& m)
{
    char text[300];
    std::snprintf(text, sizeof text,
                  "pos %d,%d target %d,%d state %d step %d idle %d skin %d frame %d delay %d running %d "
                  "cursor %d,%d",
                  m.posX, m.posY, m.targetX, m.targetY, m.state, m.stepCount, m.idleTicks, m.skinIndex,
                  m.frameIndex, m.frameDelay, m.running ? 1 : 0, m.cursorPos.x, m.cursorPos.y);
    return text;
}

bool HasUpdateRegion(HWND hwnd)
{
    RECT rect;
    return GetUpdateRect(hwnd, &rect, FALSE) != FALSE;
}

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Puts the mascot well away from the cursor and its target far to the
// right, so that a running tick walks it 4 pixels to the right.
void PrepareWalkAwayFromCursor()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    mascot.posX = cursor.x > 600 ? cursor.x - 400 : cursor.x + 300;
    mascot.posY = cursor.y > 600 ? cursor.y - 400 : cursor.y + 300;
    mascot.targetX = mascot.posX + 600;
    mascot.targetY = mascot.posY;
    mascot.state = 0;
    mascot.idleTicks = 17;
    mascot.cursorPos = MascotPoint{-12345, -6789};
}

// Every walk frame in skin a/ a solid 60 x 60 picture, so that a running
// paint covers the window's corner whatever frame it is at.
bool WriteSolidWalkFrames(uint32_t rgb)
{
    for (int frame = 0; frame < 6; ++frame) {
        char path[16];
        std::snprintf(path, sizeof path, "a/w%d.bmp", frame);
        if (!WriteBmp(path, SolidPicture(60, 60, rgb))) return false;
    }
    return true;
}

int NonKeyPixelsInWindowCorner() { return CountDcPixelsNot(backBufferDC, 0, 0, 60, 60, KeyGreen); }

bool suiteReady = false;

struct WndProcTest : ::testing::Test {
    TestFolder folder = {};
    HWND hwnd = nullptr;

    static void SetUpTestSuite() { suiteReady = InstallDefWindowProcSpy() && RecordSentResults(true); }

    static void TearDownTestSuite() { RecordSentResults(false); }

    void SetUp() override
    {
        ASSERT_TRUE(suiteReady);
        ASSERT_TRUE(EnterTestFolder(folder));
        ResetMascotState();
        hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
        ResetDefWindowProcSpy();
        ClearSentResults();
    }

    void TearDown() override
    {
        StopDrivingDialogs();
        EndMascot(hwnd);
        ResetDefWindowProcSpy();
        LeaveTestFolder(folder);
    }

    void Repaint() { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
};

// --- Creation and destruction --------------------------------------------

MascotState stateAtCreate = {};
bool createSeen = false;

void SnapshotAtCreate(const SentResult& sent)
{
    if (sent.message != WM_CREATE) return;
    stateAtCreate = mascot;
    createSeen = true;
}

bool TimerHasTicked() { return mascot.idleTicks > 0; }

TEST_F(WndProcTest, CreationSetsUpTheMascotAndReturnsZero)
{
    EndMascot(hwnd);
    ResetMascotState();
    EXPECT_EQ(Describe(atProcessStart), Describe(mascot)) << "the reset gives the process-start record";
    mascot.posX = -7;
    mascot.posY = -7;
    std::memset(AnimationCatalogue, 0, sizeof AnimationCatalogue);
    ResetDefWindowProcSpy();
    createSeen = false;
    OnSentResult(SnapshotAtCreate);
    hwnd = StartMascot();
    OnSentResult(nullptr);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(createSeen);

    SentResult created = {};
    ASSERT_TRUE(LastSentResult(hwnd, WM_CREATE, created));
    EXPECT_EQ(created.result, 0);
    EXPECT_EQ(DefWindowProcCalls(WM_CREATE), 0);
    EXPECT_EQ(Describe(stateAtCreate),
              "pos 500,500 target 0,0 state 0 step 0 idle 0 skin 0 frame 0 delay 0 running 1 cursor 0,0");

    // A back buffer of what a paint copies, 60 x 60, selected into its context.
    ASSERT_NE(backBufferDC, nullptr);
    ASSERT_NE(backBufferBitmap, nullptr);
    EXPECT_EQ(GetCurrentObject(backBufferDC, OBJ_BITMAP), backBufferBitmap);
    BITMAP info = {};
    ASSERT_NE(GetObjectA(backBufferBitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 60);
    EXPECT_EQ(info.bmHeight, 60);

    char title[32] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "Pelmo");
    EXPECT_STREQ(AnimationCatalogue[0].stem, "w");
    EXPECT_EQ(AnimationCatalogue[0].frameCount, 6);
    EXPECT_STREQ(AnimationCatalogue[49].stem, "k");

    // The mascot timer runs: its ticks count idle ticks, paused as well.
    mascot.idleTicks = 0;
    mascot.running = false;
    EXPECT_TRUE(PumpUntil(TimerHasTicked, 5000));
}

TEST_F(WndProcTest, DestroyReturnsZeroAndPostsQuitWithZero)
{
    ASSERT_TRUE(DestroyWindow(hwnd));
    SentResult destroyed = {};
    ASSERT_TRUE(LastSentResult(hwnd, WM_DESTROY, destroyed));
    EXPECT_EQ(destroyed.result, 0);
    EXPECT_EQ(DefWindowProcCalls(WM_DESTROY), 0);
    WPARAM code = 99;
    ASSERT_TRUE(TakeQuitMessage(code));
    EXPECT_EQ(code, 0u);
}

TEST_F(WndProcTest, CloseIsLeftToDefWindowProcWhichDestroysTheWindow)
{
    EXPECT_EQ(SendMessageA(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(DefWindowProcCalls(WM_CLOSE), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    WPARAM code = 99;
    ASSERT_TRUE(TakeQuitMessage(code));
    EXPECT_EQ(code, 0u);
}

// --- Messages handled by doing nothing ------------------------------------

TEST_F(WndProcTest, CharMouseMoveAndMciNotifyReturnZeroAndDoNothing)
{
    PrepareWalkAwayFromCursor();
    const UINT messages[] = {WM_CHAR, WM_MOUSEMOVE, MM_MCINOTIFY};
    const WPARAM wParams[] = {0, 'a', MK_LBUTTON, static_cast<WPARAM>(-1)};
    for (UINT message : messages) {
        for (WPARAM wParam : wParams) {
            SCOPED_TRACE(testing::Message() << "message " << message << " wParam " << wParam);
            const std::string before = Describe(mascot);
            const RECT where = WindowRect(hwnd);
            ValidateRect(hwnd, nullptr);
            ResetDefWindowProcSpy();
            // Were the message passed on, this result would come back.
            ForceDefWindowProcResult(message, 0x5EED);
            EXPECT_EQ(SendMessageA(hwnd, message, wParam, MAKELPARAM(10, 10)), 0);
            EXPECT_EQ(DefWindowProcCallsInAll(), 0);
            EXPECT_EQ(Describe(mascot), before);
            EXPECT_TRUE(SameRect(WindowRect(hwnd), where));
            EXPECT_FALSE(HasUpdateRegion(hwnd));
        }
    }
}

TEST_F(WndProcTest, TimerOtherThanTheMascotTimerChangesNothing)
{
    PrepareWalkAwayFromCursor();
    const WPARAM ids[] = {0, 1, 199, 201, 200 + 0x10000, static_cast<WPARAM>(-1)};
    for (WPARAM id : ids) {
        SCOPED_TRACE(testing::Message() << "timer " << id);
        const std::string before = Describe(mascot);
        const RECT where = WindowRect(hwnd);
        ValidateRect(hwnd, nullptr);
        ResetDefWindowProcSpy();
        ForceDefWindowProcResult(WM_TIMER, 0x5EED);
        EXPECT_EQ(SendMessageA(hwnd, WM_TIMER, id, 0), 0);
        EXPECT_EQ(DefWindowProcCallsInAll(), 0);
        // Not even the cursor position or the idle count moves.
        EXPECT_EQ(Describe(mascot), before);
        EXPECT_TRUE(SameRect(WindowRect(hwnd), where));
        EXPECT_FALSE(HasUpdateRegion(hwnd));
    }
}

TEST_F(WndProcTest, MascotTimerRunsTheWanderTick)
{
    PrepareWalkAwayFromCursor();
    const int startX = mascot.posX;
    ValidateRect(hwnd, nullptr);
    ForceDefWindowProcResult(WM_TIMER, 0x5EED);

    EXPECT_EQ(SendMessageA(hwnd, WM_TIMER, 200, 0), 0);

    // Moving the window sends messages of its own; the tick itself stays here.
    EXPECT_EQ(DefWindowProcCalls(WM_TIMER), 0);
    EXPECT_EQ(mascot.idleTicks, 18);
    POINT cursor = {};
    GetCursorPos(&cursor);
    EXPECT_EQ(mascot.cursorPos.x, cursor.x);
    EXPECT_EQ(mascot.cursorPos.y, cursor.y);
    EXPECT_EQ(mascot.posX, startX + 4);
    const RECT where = WindowRect(hwnd);
    EXPECT_EQ(where.left, mascot.posX);
    EXPECT_EQ(where.top, mascot.posY);
    EXPECT_TRUE(HasUpdateRegion(hwnd));
}

// True when `upper` lies above `lower` among the top-level windows.
bool Above(HWND upper, HWND lower)
{
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT))
        if (below == lower) return true;
    return false;
}

bool Topmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Another always-on-top window (a video player, a clock) may come above
// the mascot, or a program may take its place among them away: every tick
// that moves the mascot puts it back on top, and never takes the keyboard
// from the window the user types into.
TEST_F(WndProcTest, MovingTickPutsTheMascotBackOnTopOfTheTopmostWindows)
{
    HWND typing = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(typing, nullptr);
    HWND other = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0,
                                 40, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(Above(other, hwnd));
    SetActiveWindow(typing);
    SetFocus(typing);
    ASSERT_EQ(GetActiveWindow(), typing);
    PrepareWalkAwayFromCursor();
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    EXPECT_TRUE(Above(hwnd, other)) << "the tick left another topmost window above the mascot";

    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_FALSE(Topmost(hwnd));
    SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
    EXPECT_TRUE(Topmost(hwnd)) << "the tick did not make the mascot topmost again";
    EXPECT_TRUE(Above(hwnd, other));
    EXPECT_EQ(GetActiveWindow(), typing) << "a tick activated the mascot";
    EXPECT_EQ(GetFocus(), typing);
    DestroyWindow(other);
    DestroyWindow(typing);
}

// --- Commands ----------------------------------------------------------------

TEST_F(WndProcTest, ExitCommandDestroysTheWindowWhateverTheHighWord)
{
    const WORD highWords[] = {0, 1, 0x8000, 0xFFFF};
    for (WORD high : highWords) {
        SCOPED_TRACE(testing::Message() << "high word " << high);
        if (hwnd == nullptr) hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
        ResetDefWindowProcSpy();
        EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(105, high), 0x1234), 0);
        EXPECT_EQ(DefWindowProcCalls(WM_COMMAND), 0);
        EXPECT_FALSE(IsWindow(hwnd));
        WPARAM code = 99;
        EXPECT_TRUE(TakeQuitMessage(code));
        EXPECT_EQ(code, 0u);
        EndMascot(hwnd);
    }
}

TEST_F(WndProcTest, MoveCommandReturnsZeroAndDoesNothing)
{
    PrepareWalkAwayFromCursor();
    const WORD highWords[] = {0, 1, 0xFFFF};
    for (WORD high : highWords) {
        const std::string before = Describe(mascot);
        ValidateRect(hwnd, nullptr);
        ResetDefWindowProcSpy();
        ForceDefWindowProcResult(WM_COMMAND, 0x5EED);
        EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(32784, high), 0), 0);
        EXPECT_EQ(DefWindowProcCallsInAll(), 0);
        EXPECT_EQ(Describe(mascot), before);
        EXPECT_TRUE(IsWindow(hwnd));
        EXPECT_FALSE(HasUpdateRegion(hwnd));
    }
}

TEST_F(WndProcTest, UnknownCommandsReturnWhatDefWindowProcReturns)
{
    // Neighbours of the three commands, and menu items that the program
    // does not handle, with and without a high word.
    const WORD ids[] = {0, 104, 106, 32780, 32782, 32783, 32785, 32792, 32794, 32795, 0xFFFF};
    const std::string before = Describe(mascot);
    LRESULT forced = 0x7A00;
    for (WORD id : ids) {
        for (WORD high : {WORD(0), WORD(1)}) {
            SCOPED_TRACE(testing::Message() << "command " << id << " high word " << high);
            ResetDefWindowProcSpy();
            ForceDefWindowProcResult(WM_COMMAND, ++forced);
            EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, high), 0), forced);
            EXPECT_EQ(DefWindowProcCalls(WM_COMMAND), 1);
        }
    }
    // And with the real DefWindowProcA answering.
    ResetDefWindowProcSpy();
    const WPARAM unknown = MAKEWPARAM(106, 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, unknown, 0), RealDefWindowProcA(hwnd, WM_COMMAND, unknown, 0));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(Describe(mascot), before);
}

// What the act saw while the options dialog was open; then it presses Esc.
struct DialogVisitRecord {
    HWND owner;
    bool running;
    bool isOptionsDialog;
    bool tickMoved;
    bool tickRequestedPaint;
    int nonKeyAfterPaint;
    bool paintAdvancedFrames;
};
DialogVisitRecord visit = {};

void VisitOptionsDialog(HWND dialog)
{
    visit.running = mascot.running;
    visit.isOptionsDialog = GetDlgItem(dialog, 1005) != nullptr && GetDlgItem(dialog, 1006) != nullptr;
    HWND owner = visit.owner = GetWindow(dialog, GW_OWNER);

    PrepareWalkAwayFromCursor();
    const int x = mascot.posX;
    ValidateRect(owner, nullptr);
    SendMessageA(owner, WM_TIMER, 200, 0);
    visit.tickMoved = mascot.posX != x;
    visit.tickRequestedPaint = HasUpdateRegion(owner);

    // A paint that the system asks for while the dialog is open.
    const int delay = mascot.frameDelay;
    RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    visit.nonKeyAfterPaint = NonKeyPixelsInWindowCorner();
    visit.paintAdvancedFrames = mascot.frameDelay != delay;
    PostDialogCommand(dialog, IDCANCEL);
}

TEST_F(WndProcTest, RightClickPausesTheMascotWhileTheDialogIsOpen)
{
    ASSERT_TRUE(WriteSolidWalkFrames(Red));
    visit = DialogVisitRecord{};
    visit.tickMoved = visit.tickRequestedPaint = visit.paintAdvancedFrames = true;
    DriveDialogs(VisitOptionsDialog, OnceShown);

    const LRESULT result = SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));

    ASSERT_EQ(DialogsDriven(), 1) << "the options dialog never opened";
    EXPECT_EQ(DialogsStuck(), 0);
    EXPECT_EQ(visit.owner, hwnd);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(DefWindowProcCalls(WM_RBUTTONDOWN), 0);
    EXPECT_TRUE(visit.isOptionsDialog);
    EXPECT_FALSE(visit.running);
    EXPECT_FALSE(visit.tickMoved);
    EXPECT_FALSE(visit.tickRequestedPaint);
    EXPECT_EQ(visit.nonKeyAfterPaint, 0) << "a paused paint shows only the colour key";
    EXPECT_FALSE(visit.paintAdvancedFrames);
    EXPECT_TRUE(mascot.running);
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WndProcTest, RightClickResumesAtOnceWhenTheDialogCannotBeShown)
{
    HMODULE withoutDialog = GetModuleHandleA("gdi32.dll");
    ASSERT_EQ(FindResourceA(withoutDialog, MAKEINTRESOURCEA(103), MAKEINTRESOURCEA(5)), nullptr);
    appInstance = withoutDialog;
    DriveDialogs([](HWND dialog) { PostDialogCommand(dialog, IDCANCEL); });

    EXPECT_EQ(SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0), 0);

    EXPECT_EQ(DialogsDriven(), 0);
    EXPECT_TRUE(mascot.running);
    EXPECT_EQ(DefWindowProcCalls(WM_RBUTTONDOWN), 0);
}

TEST_F(WndProcTest, OptionsCommandOpensTheDialogAndTheMascotGoesOn)
{
    ASSERT_TRUE(WriteSolidWalkFrames(Red));
    visit = DialogVisitRecord{};
    DriveDialogs(VisitOptionsDialog, OnceShown);

    // The high word, which an accelerator would set, is not looked at.
    const LRESULT result = SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(32793, 1), 0);

    ASSERT_EQ(DialogsDriven(), 1) << "the options dialog never opened";
    EXPECT_EQ(DialogsStuck(), 0);
    EXPECT_EQ(visit.owner, hwnd);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(DefWindowProcCalls(WM_COMMAND), 0);
    EXPECT_TRUE(visit.isOptionsDialog);
    EXPECT_TRUE(visit.running);
    EXPECT_TRUE(visit.tickMoved);
    EXPECT_TRUE(visit.tickRequestedPaint);
    EXPECT_EQ(visit.nonKeyAfterPaint, 3600) << "the frame is drawn behind the dialog";
    EXPECT_TRUE(visit.paintAdvancedFrames);
    EXPECT_TRUE(mascot.running);
}

// --- Left click --------------------------------------------------------------

// A click is a press and a release on the spot: the skin changes on the
// release, never on the press.
TEST_F(WndProcTest, FourLeftClicksGoRoundTheSkinsEachRequestingARepaint)
{
    for (int start = 0; start < 4; ++start) {
        mascot.skinIndex = start;
        for (int click = 1; click <= 4; ++click) {
            SCOPED_TRACE(testing::Message() << "start " << start << " click " << click);
            ValidateRect(hwnd, nullptr);
            ForceDefWindowProcResult(WM_LBUTTONDOWN, 0x5EED);
            ForceDefWindowProcResult(WM_LBUTTONUP, 0x5EED);
            EXPECT_EQ(SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30)), 0);
            EXPECT_EQ(mascot.skinIndex, (start + click - 1) % 4) << "changed on the press";
            EXPECT_EQ(SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 30)), 0);
            EXPECT_EQ(mascot.skinIndex, (start + click) % 4);
            RECT update = {};
            ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
            EXPECT_EQ(update.left, 0);
            EXPECT_EQ(update.top, 0);
            EXPECT_EQ(update.right, 60);
            EXPECT_EQ(update.bottom, 60);
        }
        EXPECT_EQ(mascot.skinIndex, start);
    }
    // The click activates the mascot, which the system's own messages do.
    EXPECT_EQ(DefWindowProcCalls(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(DefWindowProcCalls(WM_LBUTTONUP), 0);
    EXPECT_EQ(GetForegroundWindow(), hwnd) << "a click gives the mascot the keyboard, as it always did";
}

TEST_F(WndProcTest, EachLeftClickShowsTheNextSkinAtTheNextPaint)
{
    const uint32_t colours[4] = {Red, Blue, 0xFFFF00, 0x800080};
    const char* paths[4] = {"a/n0.bmp", "b/n0.bmp", "c/n0.bmp", "d/n0.bmp"};
    for (int skin = 0; skin < 4; ++skin) ASSERT_TRUE(WriteBmp(paths[skin], SolidPicture(60, 60, colours[skin])));
    mascot.state = 2;  // standing: frame n0
    for (int click = 1; click <= 5; ++click) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        UpdateWindow(hwnd);
        EXPECT_EQ(CountDcPixelsNot(backBufferDC, 0, 0, 60, 60, colours[click % 4]), 0) << "click " << click;
    }
}

// --- Paint -------------------------------------------------------------------

TEST_F(WndProcTest, PaintReturnsZeroAndDrawsOneFramePerPaint)
{
    ASSERT_TRUE(WriteBmp("a/w0.bmp", HalvesPicture(60, 60, Red, Blue)));
    mascot.frameIndex = 0;
    mascot.frameDelay = 0;
    ForceDefWindowProcResult(WM_PAINT, 0x5EED);
    for (int paint = 1; paint <= 3; ++paint) {
        Repaint();
        SentResult painted = {};
        ASSERT_TRUE(LastSentResult(hwnd, WM_PAINT, painted));
        EXPECT_EQ(painted.result, 0);
        EXPECT_EQ(mascot.frameDelay, paint) << "one sequencer step per paint";
        EXPECT_FALSE(HasUpdateRegion(hwnd)) << "the paint validates the window";
    }
    EXPECT_EQ(DefWindowProcCallsInAll(), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_PAINT, 0, 0), 0);
    EXPECT_EQ(mascot.frameDelay, 4);

    EXPECT_EQ(CountDcPixelsNot(backBufferDC, 0, 0, 30, 60, Red), 0);
    EXPECT_EQ(CountDcPixelsNot(backBufferDC, 30, 0, 60, 60, Blue), 0);
    // The same pixels reach the window.
    HDC windowDC = GetDC(hwnd);
    EXPECT_EQ(CountDcPixelsNot(windowDC, 0, 0, 30, 60, Red), 0);
    EXPECT_EQ(CountDcPixelsNot(windowDC, 30, 0, 60, 60, Blue), 0);
    ReleaseDC(hwnd, windowDC);

    // Facing left, the same file is drawn mirrored.
    mascot.state = 1;
    mascot.frameIndex = 0;
    mascot.frameDelay = 0;
    Repaint();
    EXPECT_EQ(DcPixel(backBufferDC, 10, 10), Blue);
    EXPECT_EQ(DcPixel(backBufferDC, 50, 10), Red);
}

TEST_F(WndProcTest, PaintWhileNotRunningShowsOnlyTheKey)
{
    ASSERT_TRUE(WriteSolidWalkFrames(Red));
    Repaint();
    ASSERT_EQ(NonKeyPixelsInWindowCorner(), 3600);
    mascot.running = false;
    const std::string before = Describe(mascot);

    Repaint();

    EXPECT_EQ(NonKeyPixelsInWindowCorner(), 0);
    EXPECT_EQ(Describe(mascot), before) << "the sequencer does not run";
    HDC windowDC = GetDC(hwnd);
    EXPECT_EQ(CountDcPixelsNot(windowDC, 0, 0, 60, 60, KeyGreen), 0);
    ReleaseDC(hwnd, windowDC);
}

TEST_F(WndProcTest, PaintOfAStateOutsideTheCatalogueShowsOnlyTheKey)
{
    ASSERT_TRUE(WriteSolidWalkFrames(Red));
    const int states[] = {50, -1, 1000, INT_MAX, INT_MIN};
    for (int state : states) {
        SCOPED_TRACE(testing::Message() << "state " << state);
        mascot.state = 0;
        Repaint();
        ASSERT_EQ(NonKeyPixelsInWindowCorner(), 3600);
        mascot.state = state;
        const std::string before = Describe(mascot);
        Repaint();
        EXPECT_EQ(NonKeyPixelsInWindowCorner(), 0);
        EXPECT_EQ(Describe(mascot), before);
    }
}

// --- Everything else ---------------------------------------------------------

TEST_F(WndProcTest, OtherMessagesReturnWhatDefWindowProcReturns)
{
    // Neighbours of the handled messages and some that nothing handles.
    const UINT messages[] = {WM_NULL,       WM_KEYDOWN,     WM_DEADCHAR, WM_XBUTTONUP, WM_LBUTTONDBLCLK,
                             WM_RBUTTONUP,  WM_MBUTTONDOWN, WM_MOUSEWHEEL, MM_MCINOTIFY - 1, MM_MCINOTIFY + 1,
                             WM_USER,       WM_APP + 5};
    LRESULT forced = 0x600D;
    for (UINT message : messages) {
        SCOPED_TRACE(testing::Message() << "message " << message);
        ResetDefWindowProcSpy();
        ForceDefWindowProcResult(message, ++forced);
        EXPECT_EQ(SendMessageA(hwnd, message, 0, 0), forced);
        EXPECT_EQ(DefWindowProcCalls(message), 1);
    }
    ResetDefWindowProcSpy();
    // Results that the real DefWindowProcA gives as non-zero.
    const RECT where = WindowRect(hwnd);
    const LPARAM inside = MAKELPARAM(where.left + 10, where.top + 10);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, inside), HTCLIENT);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_EQ(DefWindowProcCalls(WM_NCHITTEST), 1);
    EXPECT_EQ(DefWindowProcCalls(WM_GETTEXTLENGTH), 1);
    // A press of the left button activates nothing (a drag leaves the
    // keyboard where it is); the others' are the system's to answer.
    EXPECT_EQ(SendMessageA(hwnd, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)), MA_NOACTIVATE);
    EXPECT_EQ(SendMessageA(hwnd, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN)), MA_ACTIVATE);
}

}  // namespace
