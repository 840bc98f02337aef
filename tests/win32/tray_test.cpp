// The notification-area part on the real mascot window: what the shell is
// asked for, the menu as it opens, and what its items do to the mascot.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <wtsapi32.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "res/resource.h"
#include "settings/SettingsRecord.h"
#include "support/MascotRun.h"
#include "support/WindowSupport.h"
#include "tray/IconRetry.h"
#include "tray/win32/StepAsideWatch.h"
#include "tray/win32/TrayIcon.h"
#include "tray/win32/TrayMenu.h"
#include "tray/win32/TrayState.h"
#include "tray/win32/TrayWindow.h"

namespace {

// --- What reaches the shell ------------------------------------------------

struct IconCall {
    DWORD message;
    NOTIFYICONDATAW data;
    bool taken;
};
std::vector<IconCall> iconCalls;
// The shell's answers to come: this many calls refused, as by a taskbar
// that does not answer in time.
int iconCallsToRefuse = 0;

BOOL WINAPI SpyShellNotifyIcon(DWORD message, PNOTIFYICONDATAW data)
{
    const bool taken = iconCallsToRefuse == 0;
    if (!taken) --iconCallsToRefuse;
    iconCalls.push_back({message, *data, taken});
    return taken;
}

FARPROC RealShellNotifyIcon() { return GetProcAddress(GetModuleHandleA("shell32.dll"), "Shell_NotifyIconW"); }

// The system's own `name` of `dll`, which a spy passes its calls on to.
template <typename Call>
Call SystemCall(const char* dll, const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(dll), name)));
}

// Sends this program's calls of `real` to `spy` (on), or back (off).
template <typename Call>
bool Spy(Call real, Call spy, bool on)
{
    const ULONG_PTR from = reinterpret_cast<ULONG_PTR>(on ? real : spy);
    const ULONG_PTR to = reinterpret_cast<ULONG_PTR>(on ? spy : real);
    return PatchImports(from, to);
}

struct TrayTest : ::testing::Test {
    HWND mascotWindow = nullptr;

    void SetUp() override
    {
        ResetMascotState();
        iconCalls.clear();
        ASSERT_TRUE(PatchImports(reinterpret_cast<ULONG_PTR>(RealShellNotifyIcon()),
                                 reinterpret_cast<ULONG_PTR>(&SpyShellNotifyIcon)));
        mascotWindow = StartMascot();
        ASSERT_NE(mascotWindow, nullptr);
        ASSERT_TRUE(StartTray(appInstance));
    }

    void TearDown() override
    {
        EndTray();
        tray = TrayState{};
        EndMascot(mascotWindow);
        PatchImports(reinterpret_cast<ULONG_PTR>(&SpyShellNotifyIcon),
                     reinterpret_cast<ULONG_PTR>(RealShellNotifyIcon()));
        iconCallsToRefuse = 0;
    }
};

int IconSide(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST_F(TrayTest, TheIconIsAddedWithItsTipAndNoBalloonAgainAfterATaskbarRestartAndRemovedAtTheEnd)
{
    ASSERT_EQ(iconCalls.size(), 2u);
    const NOTIFYICONDATAW& added = iconCalls[0].data;
    EXPECT_EQ(iconCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(added.hWnd, tray.window);
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP)) << "never NIF_INFO";
    EXPECT_EQ(added.uCallbackMessage, TrayCallbackMessage);
    EXPECT_EQ(std::wstring(added.szTip), L"Pelmo");
    EXPECT_EQ(IconSide(added.hIcon), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(iconCalls[1].message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(iconCalls[1].data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));

    SendMessageW(tray.window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(iconCalls.size(), 4u);
    EXPECT_EQ(iconCalls[2].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(iconCalls[2].data.uID, added.uID);

    EndTray();
    ASSERT_EQ(iconCalls.size(), 5u);
    EXPECT_EQ(iconCalls[4].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(iconCalls[4].data.hWnd, added.hWnd);
    EXPECT_EQ(iconCalls[4].data.uID, added.uID);
}

// --- A taskbar that does not answer at first ---------------------------------

// The add at start-up and its fallback both refused.
struct BusyTaskbarTest : TrayTest {
    void SetUp() override
    {
        iconCallsToRefuse = 2;
        TrayTest::SetUp();
    }
};

bool IconTaken()
{
    for (const IconCall& call : iconCalls)
        if (call.message == NIM_ADD && call.taken) return true;
    return false;
}

// A timer that is still there is stopped now, and says so.
bool RetryTimerRan(HWND window) { return KillTimer(window, IconRetryTimer) != FALSE; }

TEST_F(BusyTaskbarTest, TheIconArrivesOnTheRetryTimerOnceTheShellTakesItAndNothingMoreIsTried)
{
    ASSERT_EQ(iconCalls.size(), 2u);
    EXPECT_EQ(iconCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(iconCalls[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(IsWindow(mascotWindow)) << "the mascot goes on without its icon";

    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil(IconTaken, IconRetryPeriodMs + 2000)) << "no retry within a period";
    EXPECT_GE(GetTickCount() - start, IconRetryPeriodMs - 1000) << "retried before its period";
    ASSERT_EQ(iconCalls.size(), 4u);
    EXPECT_EQ(iconCalls[2].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(iconCalls[3].message, static_cast<DWORD>(NIM_SETVERSION)) << "asked for at every add";

    EXPECT_FALSE(RetryTimerRan(tray.window)) << "the retries stop once the icon is there";
    SendMessageW(tray.window, WM_TIMER, IconRetryTimer, 0);
    EXPECT_EQ(iconCalls.size(), 4u) << "a late tick tries nothing";
}

TEST_F(BusyTaskbarTest, AStartingTaskbarGetsTheIconAtOnceAndEndsTheRetries)
{
    SendMessageW(tray.window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(iconCalls.size(), 4u);
    EXPECT_TRUE(iconCalls[2].taken);
    EXPECT_EQ(iconCalls[2].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_FALSE(RetryTimerRan(tray.window));
}

TEST_F(BusyTaskbarTest, ATaskbarThatNeverAnswersIsAskedForAWhileThenLeftBeWithoutAWord)
{
    iconCallsToRefuse = 1000;
    DriveDialogs([](HWND dialog) { PostDialogCommand(dialog, IDCANCEL); });
    SendMessageW(tray.window, WM_TIMER, IconRetryTimer, 0);
    EXPECT_EQ(iconCalls.size(), 4u) << "a tick within the time tries the add and its fallback";

    tray.iconRetryStart = GetTickCount() - IconRetryForMs;
    SendMessageW(tray.window, WM_TIMER, IconRetryTimer, 0);
    EXPECT_EQ(iconCalls.size(), 4u) << "nothing tried once the time is over";
    EXPECT_FALSE(RetryTimerRan(tray.window));
    StopDrivingDialogs();
    EXPECT_EQ(DialogsDriven(), 0) << "no message";
    EXPECT_TRUE(IsWindowVisible(mascotWindow));
}

// --- The menu as it opens ----------------------------------------------------

struct MenuItem {
    UINT id;
    bool separator;
    bool checked;
    UINT chosenInSubmenu;  // the checked item of a submenu's, 0 for none
};
std::vector<MenuItem> menuSeen;
int menusSeen = 0;

// Reads the open menu from inside its loop, then closes it as a click
// elsewhere would.
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (popup == nullptr || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    menuSeen.clear();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        UINT chosen = 0;
        for (int j = 0; info.hSubMenu != nullptr && j < GetMenuItemCount(info.hSubMenu); ++j)
            if (GetMenuState(info.hSubMenu, j, MF_BYPOSITION) & MF_CHECKED) chosen = GetMenuItemID(info.hSubMenu, j);
        menuSeen.push_back(
            {info.wID, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_CHECKED) != 0, chosen});
    }
    ++menusSeen;
    EndMenu();
}

// What the menu asks of the system around its loop, in order: its window
// brought to the foreground first, else the menu stays open after a click
// elsewhere, and a harmless message posted after it, so that the next one
// opens too (TrackPopupMenu's remarks).
std::vector<std::string> ceremony;
typedef BOOL(WINAPI* SetForegroundCall)(HWND);
typedef BOOL(WINAPI* TrackPopupCall)(HMENU, UINT, int, int, HWND, LPTPMPARAMS);
typedef BOOL(WINAPI* PostMessageCall)(HWND, UINT, WPARAM, LPARAM);
const SetForegroundCall realSetForeground = SystemCall<SetForegroundCall>("user32.dll", "SetForegroundWindow");
const TrackPopupCall realTrackPopup = SystemCall<TrackPopupCall>("user32.dll", "TrackPopupMenuEx");
const PostMessageCall realPostMessage = SystemCall<PostMessageCall>("user32.dll", "PostMessageW");

const char* Whose(HWND hwnd) { return hwnd == tray.window ? " of the icon's window" : " of another window"; }

BOOL WINAPI SpySetForeground(HWND hwnd)
{
    ceremony.push_back(std::string("foreground") + Whose(hwnd));
    return realSetForeground(hwnd);
}

BOOL WINAPI SpyTrackPopup(HMENU menu, UINT flags, int x, int y, HWND hwnd, LPTPMPARAMS params)
{
    ceremony.push_back(std::string("menu") + Whose(hwnd));
    return realTrackPopup(menu, flags, x, y, hwnd, params);
}

BOOL WINAPI SpyPostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NULL) ceremony.push_back(std::string("WM_NULL") + Whose(hwnd));
    return realPostMessage(hwnd, message, wParam, lParam);
}

bool SpyOnCeremony(bool on)
{
    return Spy(realSetForeground, &SpySetForeground, on) && Spy(realTrackPopup, &SpyTrackPopup, on) &&
           Spy(realPostMessage, &SpyPostMessage, on);
}

// Sends the icon's notification as the shell would, and reads the menu if
// one opens.
void NotifyIcon(UINT event)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ReadOpenMenu);
    const WPARAM anchor = MAKEWPARAM(200, 200);
    if (tray.iconVersion4)
        SendMessageW(tray.window, TrayCallbackMessage, anchor, MAKELPARAM(event, TrayIconId));
    else
        SendMessageW(tray.window, TrayCallbackMessage, TrayIconId, event);
    KillTimer(nullptr, timer);
}

TEST_F(TrayTest, TheMenuOpensOnceAClickWithItsItemsAndTheHideMark)
{
    ceremony.clear();
    ASSERT_TRUE(SpyOnCeremony(true));
    tray.iconVersion4 = true;
    for (UINT event : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, WM_LBUTTONUP, NIN_SELECT}) NotifyIcon(event);
    SpyOnCeremony(false);
    EXPECT_EQ(menusSeen, 2) << "a right and a left click, each once";
    const std::vector<std::string> once = {"foreground of the icon's window", "menu of the icon's window",
                                           "WM_NULL of the icon's window"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(ceremony, twice);
    ASSERT_EQ(menuSeen.size(), 8u);
    // The Size submenu (4) is checked through its items.
    const UINT ids[] = {IDM_TRAY_OPTIONS, IDM_TRAY_HIDE, IDM_TRAY_STARTUP, 0, 0, IDM_TRAY_ALL_MONITORS, 0, IDM_TRAY_QUIT};
    for (size_t i = 0; i < menuSeen.size(); ++i) {
        EXPECT_EQ(menuSeen[i].separator, i == 3 || i == 6) << "item " << i;
        if (ids[i] != 0) {
            EXPECT_EQ(menuSeen[i].id, ids[i]) << "item " << i;
        }
    }
    EXPECT_FALSE(menuSeen[1].checked);
    EXPECT_EQ(menuSeen[4].chosenInSubmenu, static_cast<UINT>(IDM_TRAY_SIZE_AUTO));
    EXPECT_FALSE(menuSeen[5].checked);

    // Hidden for another reason, Hide has no mark: the mark is the user's
    // own choice alone.
    SendMessageW(tray.window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    ASSERT_FALSE(IsWindowVisible(mascotWindow));
    NotifyIcon(NIN_SELECT);
    ASSERT_EQ(menuSeen.size(), 8u);
    EXPECT_FALSE(menuSeen[1].checked) << "Hide is checked for the user's own Hide alone";
    SendMessageW(tray.window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);

    RunTrayCommand(IDM_TRAY_HIDE);
    settings.values[2] = 3;  // as another copy's save would leave them
    settings.values[3] = 1;
    tray.iconVersion4 = false;
    menusSeen = 0;
    for (UINT event : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}) NotifyIcon(event);
    EXPECT_EQ(menusSeen, 2) << "the oldest way: the buttons' release";
    ASSERT_EQ(menuSeen.size(), 8u);
    EXPECT_TRUE(menuSeen[1].checked) << "Hide is checked while the user's Hide holds";
    EXPECT_EQ(menuSeen[4].chosenInSubmenu, static_cast<UINT>(IDM_TRAY_SIZE_3));
    EXPECT_TRUE(menuSeen[5].checked);
    settings = SettingsRecord{};
}

// --- What the items do ---------------------------------------------------------

bool Moved(HWND hwnd, const RECT& from)
{
    RECT now = {};
    GetWindowRect(hwnd, &now);
    return now.left != from.left || now.top != from.top;
}

HWND movingWindow = nullptr;
RECT movingFrom = {};
bool HasMoved() { return Moved(movingWindow, movingFrom); }

TEST_F(TrayTest, HideStopsTheMascotWhereItStandsAndHideAgainBringsItBackWithoutTheKeyboard)
{
    settings.values[0] = 1000;
    settings.values[1] = 800;
    movingWindow = mascotWindow;
    GetWindowRect(mascotWindow, &movingFrom);
    ASSERT_TRUE(PumpUntil(HasMoved, 2000)) << "the mascot wanders before it is hidden";

    RunTrayCommand(IDM_TRAY_HIDE);
    EXPECT_FALSE(IsWindowVisible(mascotWindow));
    GetWindowRect(mascotWindow, &movingFrom);
    const MascotState before = mascot;
    EXPECT_FALSE(PumpUntil(HasMoved, 300)) << "no placements while hidden";
    EXPECT_EQ(mascot.idleTicks, before.idleTicks) << "no ticks while hidden";
    EXPECT_EQ(mascot.frameIndex, before.frameIndex) << "no paints while hidden";

    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    PumpWaitingMessages();
    RunTrayCommand(IDM_TRAY_HIDE);
    EXPECT_TRUE(IsWindowVisible(mascotWindow));
    EXPECT_EQ(GetForegroundWindow(), other) << "shown again without taking the keyboard";
    EXPECT_TRUE(PumpUntil(HasMoved, 2000)) << "it wanders on from where it stood";
    DestroyWindow(other);
}

HWND dialogOwner = nullptr;

TEST_F(TrayTest, OptionsAndQuitReachTheMascotAsItsOwnCommands)
{
    DriveDialogs([](HWND dialog) {
        dialogOwner = GetWindow(dialog, GW_OWNER);
        PostDialogCommand(dialog, IDCANCEL);
    });
    RunTrayCommand(IDM_TRAY_OPTIONS);
    PumpUntil([] { return DialogsDriven() > 0; }, 5000);
    StopDrivingDialogs();
    EXPECT_EQ(dialogOwner, mascotWindow);
    EXPECT_TRUE(mascot.running) << "the mascot wanders on behind the dialog";

    RunTrayCommand(IDM_TRAY_QUIT);
    PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(IsWindow(mascotWindow));
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuitMessage(exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(TrayTest, ClosingThePartsWindowFromOutsideEndsTheProgramThroughTheMascot)
{
    PostMessageW(tray.window, WM_CLOSE, 0, 0);
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(IsWindow(tray.window)) << "the icon stays until the program ends";
    EXPECT_FALSE(IsWindow(mascotWindow));
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuitMessage(exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// --- Stepping aside --------------------------------------------------------------
// The monitor as the system reports it, with a taskbar along its bottom (the
// desk has none), and a window of the test's own that the watch takes for
// another program's.
const LONG TaskbarHeight = 40;
HWND otherProgramsWindow = nullptr;
typedef BOOL(WINAPI* MonitorInfoCall)(HMONITOR, LPMONITORINFO);
typedef DWORD(WINAPI* WindowProcessCall)(HWND, LPDWORD);
const MonitorInfoCall realMonitorInfo = SystemCall<MonitorInfoCall>("user32.dll", "GetMonitorInfoW");
const WindowProcessCall realWindowProcess = SystemCall<WindowProcessCall>("user32.dll", "GetWindowThreadProcessId");

BOOL WINAPI SpyMonitorInfo(HMONITOR monitor, LPMONITORINFO info)
{
    if (!realMonitorInfo(monitor, info)) return FALSE;
    info->rcWork = info->rcMonitor;
    info->rcWork.bottom -= TaskbarHeight;
    return TRUE;
}

DWORD WINAPI SpyWindowProcess(HWND hwnd, LPDWORD process)
{
    const DWORD thread = realWindowProcess(hwnd, process);
    if (hwnd == otherProgramsWindow && process != nullptr) *process = GetCurrentProcessId() + 4;
    return thread;
}

// One look of the watch, as its timer takes it.
void LookForFullScreen() { SendMessageW(tray.window, WM_TIMER, StepAsideTimer, 0); }

int32_t framesBefore = 0;
int32_t FramesChosen() { return mascot.frameIndex * 5 + mascot.frameDelay; }
bool PaintedSince() { return FramesChosen() != framesBefore; }

// Whether the mascot paints within a second.
bool Paints()
{
    framesBefore = FramesChosen();
    return PumpUntil(PaintedSince, 1000);
}

HWND frontWindow = nullptr;
bool InFront() { return GetForegroundWindow() == frontWindow; }

bool BringToFront(HWND hwnd)
{
    frontWindow = hwnd;
    SetForegroundWindow(hwnd);
    return PumpUntil(InFront, 2000);
}

TEST_F(TrayTest, StepsAsideForAWindowOverTheWholeMonitorAloneAndOtherwiseStaysShownAndPainting)
{
    settings.values[0] = 1000;
    settings.values[1] = 800;
    ASSERT_TRUE(Spy(realMonitorInfo, &SpyMonitorInfo, true));
    ASSERT_TRUE(Spy(realWindowProcess, &SpyWindowProcess, true));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(mascotWindow, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT whole = monitor.rcMonitor, work = monitor.rcWork;

    // A window with its title bar in front: nothing to step aside for, at any look.
    HWND editor = CreateWindowExA(0, "STATIC", "editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(BringToFront(editor));
    for (int look = 1; look <= 4; ++look) {
        LookForFullScreen();
        EXPECT_TRUE(IsWindowVisible(mascotWindow)) << "look " << look;
        EXPECT_TRUE(Paints()) << "look " << look;
    }

    // Another program's window without a title bar over the work area alone
    // leaves the taskbar showing: no full-screen program.
    otherProgramsWindow = CreateWindowExA(0, "STATIC", "player", WS_POPUP | WS_VISIBLE, work.left, work.top,
                                          work.right - work.left, work.bottom - work.top, nullptr, nullptr, nullptr,
                                          nullptr);
    ASSERT_TRUE(BringToFront(otherProgramsWindow));
    RECT placed = {};
    GetWindowRect(otherProgramsWindow, &placed);
    ASSERT_TRUE(EqualRect(&placed, &work)) << "the window manager moved the window";
    LookForFullScreen();
    EXPECT_TRUE(IsWindowVisible(mascotWindow)) << "a window over the work area alone";
    EXPECT_TRUE(Paints());

    // The same over the whole monitor.
    SetWindowPos(otherProgramsWindow, nullptr, whole.left, whole.top, whole.right - whole.left,
                 whole.bottom - whole.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LookForFullScreen();
    EXPECT_FALSE(IsWindowVisible(mascotWindow)) << "a window over the whole monitor";

    DestroyWindow(otherProgramsWindow);
    otherProgramsWindow = nullptr;
    DestroyWindow(editor);
    Spy(realWindowProcess, &SpyWindowProcess, false);
    Spy(realMonitorInfo, &SpyMonitorInfo, false);
}

// --- Nobody to see it ------------------------------------------------------------
// Wine locks no session and turns no display off, so the notifications are
// sent to the icon's window as the system would send them.

void SendDisplayState(DWORD state)
{
    struct {
        GUID setting;
        DWORD length;
        DWORD data;
    } notice = {{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}}, sizeof(DWORD), state};
    static_assert(offsetof(decltype(notice), data) == offsetof(POWERBROADCAST_SETTING, Data), "layout");
    EXPECT_EQ(SendMessageW(tray.window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice)),
              TRUE);
}

void SendSessionChange(WPARAM event) { SendMessageW(tray.window, WM_WTSSESSION_CHANGE, event, 0); }

bool dialogStayedOpen = false;

TEST_F(TrayTest, ALockedSessionOrADarkDisplayHidesTheMascotAndItShowsOnlyOnceNoReasonHolds)
{
    SendSessionChange(WTS_SESSION_LOCK);
    EXPECT_FALSE(IsWindowVisible(mascotWindow)) << "locked";
    SendSessionChange(WTS_SESSION_UNLOCK);
    EXPECT_TRUE(IsWindowVisible(mascotWindow)) << "unlocked";
    SendDisplayState(0);
    EXPECT_FALSE(IsWindowVisible(mascotWindow)) << "display off";
    SendDisplayState(2);
    EXPECT_TRUE(IsWindowVisible(mascotWindow)) << "a dimmed display still shows it";

    SendSessionChange(WTS_SESSION_LOCK);
    SendDisplayState(0);
    RunTrayCommand(IDM_TRAY_HIDE);
    SendSessionChange(WTS_SESSION_UNLOCK);
    EXPECT_FALSE(IsWindowVisible(mascotWindow)) << "the display is still off";
    SendDisplayState(1);
    EXPECT_FALSE(IsWindowVisible(mascotWindow)) << "the user's Hide still holds";
    RunTrayCommand(IDM_TRAY_HIDE);
    EXPECT_TRUE(IsWindowVisible(mascotWindow));

    // An open options dialog stays open while its mascot hides.
    DriveDialogs(
        [](HWND dialog) {
            SendSessionChange(WTS_SESSION_LOCK);
            dialogStayedOpen = IsWindowVisible(dialog) != FALSE;
            SendSessionChange(WTS_SESSION_UNLOCK);
            PostDialogCommand(dialog, IDCANCEL);
        },
        OnceShown);
    RunTrayCommand(IDM_TRAY_OPTIONS);
    PumpUntil([] { return DialogsDriven() > 0 && OpenDialogs() == 0; }, 5000);
    StopDrivingDialogs();
    EXPECT_TRUE(dialogStayedOpen);
}

}  // namespace
