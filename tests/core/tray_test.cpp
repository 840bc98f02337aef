// The notification-area code's decisions, and the rectangles they rest on.
#include <gtest/gtest.h>

#include <climits>

#include "app/ScreenRect.h"
#include "tray/IconEvents.h"
#include "tray/IconRetry.h"
#include "tray/StepAside.h"

// Found by argument lookup, beside the record.
bool operator==(const ScreenRect& a, const ScreenRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const ScreenRect& r)
{
    return out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

namespace {

// A dialog of 174 x 134 pixels kept on a work area of 1280 x 994 (a taskbar
// below), or on a second monitor to the left.
struct KeepCase {
    const char* what;
    ScreenRect box, area, kept;
};
const ScreenRect Work = {0, 0, 1280, 994};
const KeepCase keepCases[] = {
    {"inside: stays", {100, 100, 274, 234}, Work, {100, 100, 274, 234}},
    {"touching the corner: stays", {1106, 860, 1280, 994}, Work, {1106, 860, 1280, 994}},
    {"below the bottom edge", {500, 1124, 674, 1258}, Work, {500, 860, 674, 994}},
    {"past the right edge", {1270, 10, 1444, 144}, Work, {1106, 10, 1280, 144}},
    {"above and left of the origin", {-500, -90, -326, 44}, Work, {0, 0, 174, 134}},
    {"larger than the area: its corner on the area's", {-10, -10, 1490, 1090}, Work, {0, 0, 1500, 1100}},
    {"on a monitor to the left", {-100, 500, 74, 634}, {-1920, 0, 0, 1040}, {-174, 500, 0, 634}},
    // Each edge against its own: a monitor whose left and top differ.
    {"above a monitor at (-1024, 256)", {-600, 100, -426, 234}, {-1024, 256, 0, 1024}, {-600, 256, -426, 390}},
    {"below a monitor at (-1024, 256)", {-600, 1000, -426, 1134}, {-1024, 256, 0, 1024}, {-600, 890, -426, 1024}},
    {"left of a monitor at (-1024, 256)", {-1200, 300, -1026, 434}, {-1024, 256, 0, 1024}, {-1024, 300, -850, 434}},
    {"at the 32-bit limits", {INT32_MAX - 174, INT32_MIN, INT32_MAX, INT32_MIN + 134}, Work, {1106, 0, 1280, 134}},
};

TEST(KeepWithin, MovesABoxTheLeastItTakesToLieWholeOnTheArea)
{
    for (const KeepCase& c : keepCases) EXPECT_EQ(KeepWithin(c.box, c.area), c.kept) << c.what;
}

// Each click opens the menu once, whichever way the shell reports it.
struct IconEventCase {
    bool version4;
    unsigned event;
    bool opens;
};
const IconEventCase iconEventCases[] = {
    {true, IconContextMenu, true},    // a right click, or the keyboard's menu key
    {true, IconSelect, true},         // a left click
    {true, IconKeySelect, true},      // Enter or the space bar on the icon
    {true, IconRightButtonUp, false}, // comes before WM_CONTEXTMENU
    {true, IconLeftButtonUp, false},  // comes before NIN_SELECT
    {true, IconMouseMove, false},
    {false, IconRightButtonUp, true},
    {false, IconLeftButtonUp, true},
    {false, IconMouseMove, false},
    {false, IconSelect, false},
};

TEST(IconEvents, EachClickOpensTheMenuOnce)
{
    for (const IconEventCase& c : iconEventCases)
        EXPECT_EQ(IconEventOpensMenu(c.version4, c.event), c.opens)
            << "version " << (c.version4 ? 4 : 0) << ", event 0x" << std::hex << c.event;
}

// A tick of the retry timer tries again until the icon is there, for a
// while after the add that failed.
struct IconRetryCase {
    bool added;
    uint32_t elapsedMs;
    bool retry;
};
const IconRetryCase iconRetryCases[] = {
    {false, 0, true},
    {false, IconRetryPeriodMs, true},
    {false, IconRetryForMs - 1, true},
    {false, IconRetryForMs, false},
    {false, UINT32_MAX, false},
    {true, IconRetryPeriodMs, false},
    {true, 0, false},
};

TEST(IconRetry, UntilTheIconIsThereOrTheTimeIsOver)
{
    for (const IconRetryCase& c : iconRetryCases)
        EXPECT_EQ(RetryIconNow(c.added, c.elapsedMs), c.retry) << (c.added ? "added, " : "not added, ") << c.elapsedMs
                                                               << " ms";
}

// Whether the mascot, on a 1920 x 1080 monitor with a second one to its
// right, steps aside for what is in front.
const ScreenRect Monitor = {0, 0, 1920, 1080};
const uint32_t Popup = 0x80000000, Border = 0x00800000;  // WS_POPUP, WS_BORDER
const ForegroundFacts FullScreenGame = {true, false, "GameWindow", Popup, Monitor, true};

ForegroundFacts With(ForegroundFacts facts, const char* className, uint32_t style, ScreenRect window)
{
    facts.className = className;
    facts.style = style;
    facts.window = window;
    return facts;
}

struct StepAsideCase {
    const char* what;
    ForegroundFacts foreground;
    int state;
    bool aside;
};
const StepAsideCase stepAsideCases[] = {
    {"a window without a title bar covering the monitor", FullScreenGame, ShellAcceptsNotifications, true},
    {"the same with a thin border", With(FullScreenGame, "Video", Popup | Border, Monitor), ShellAcceptsNotifications,
     true},
    {"a window larger than the monitor", With(FullScreenGame, "Game", Popup, {-50, -50, 2000, 1200}),
     ShellAcceptsNotifications, true},
    {"a maximized window with its title bar",
     With(FullScreenGame, "Editor", CaptionStyle, {-8, -8, 1928, 1088}), ShellAcceptsNotifications, false},
    {"a window without a title bar on the work area only", With(FullScreenGame, "Player", Popup, {0, 0, 1920, 1040}),
     ShellAcceptsNotifications, false},
    {"a full-screen window on the other monitor",
     {true, false, "GameWindow", Popup, {1920, 0, 3840, 1080}, false}, ShellAcceptsNotifications, false},
    {"the shell's full-screen report for the other monitor", {true, false, "GameWindow", Popup, {1920, 0, 3840, 1080}, false},
     ShellRunningD3DFullScreen, false},
    {"the desktop", With(FullScreenGame, "Progman", Popup, Monitor), ShellAcceptsNotifications, false},
    {"the desktop's wallpaper window", With(FullScreenGame, "WorkerW", Popup, Monitor), ShellAcceptsNotifications, false},
    {"the taskbar", With(FullScreenGame, "Shell_TrayWnd", Popup, Monitor), ShellAcceptsNotifications, false},
    {"the desktop window itself", With(FullScreenGame, "#32769", Popup, Monitor), ShellAcceptsNotifications, false},
    {"a second taskbar", With(FullScreenGame, "Shell_SecondaryTrayWnd", Popup, Monitor), ShellAcceptsNotifications,
     false},
    {"the mascot's own windows", {true, true, "AAA", Popup, Monitor, true}, ShellAcceptsNotifications, false},
    {"no foreground window", {false, false, nullptr, 0, {}, false}, ShellAcceptsNotifications, false},
    {"busy: a full-screen program here", With(FullScreenGame, "Editor", CaptionStyle, {10, 10, 500, 400}), ShellBusy,
     true},
    {"busy without a foreground window", {false, false, nullptr, 0, {}, false}, ShellBusy, true},
    {"a full-screen Direct3D program here", With(FullScreenGame, "Game", CaptionStyle, {10, 10, 500, 400}),
     ShellRunningD3DFullScreen, true},
    {"presentation settings, whatever is in front", {true, false, "Other", CaptionStyle, {2000, 10, 2500, 400}, false},
     ShellPresentationMode, true},
    {"the user is not present", With(FullScreenGame, "Editor", CaptionStyle, {10, 10, 500, 400}), 1, false},
    {"quiet time", With(FullScreenGame, "Editor", CaptionStyle, {10, 10, 500, 400}), 6, false},
    {"a store app in front", With(FullScreenGame, "Editor", CaptionStyle, {10, 10, 500, 400}), 7, false},
};

TEST(StepAside, OnlyForAFullScreenProgramOrAPresentationOnTheMascotsMonitor)
{
    for (const StepAsideCase& c : stepAsideCases) EXPECT_EQ(ShouldStepAside(c.foreground, Monitor, c.state), c.aside) << c.what;
}

}  // namespace
