// "savedata" as the program may find it: every size from 0 to 1000 bytes of
// random content, a folder, a file held open by another program, and the
// ranges at the limits of what the fields take. Each time the real mascot
// window starts on it, wanders with targets inside the range that the
// wander rules give, and its options dialog opens and saves.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "support/MascotRun.h"
#include "support/TestFolder.h"
#include "support/WindowSupport.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const unsigned ContentSeed = 20240607;  // the random file contents
const uint32_t WanderSeed = 12345;      // the program's own generator
const int32_t FarAway = -100000;        // a cursor that never freezes the mascot
const int TicksPerRun = 300;            // more than 201: at least one target choice
const int WindowTicksPerRun = 210;      // the same, through the window, where ticks cost more

Bytes RecordImage()
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&settings);
    return Bytes(p, p + sizeof settings);
}

// The record that a process starting on `file` holds: its first 552 bytes
// over the all-zero record.
Bytes RecordLoadedFrom(const Bytes& file)
{
    Bytes record(sizeof(SettingsRecord), 0);
    std::copy(file.begin(), file.begin() + std::min(file.size(), record.size()), record.begin());
    return record;
}

void PutInt32(Bytes& bytes, size_t offset, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}

// The screen's size, read once: each reading costs a round trip to the
// Wine server, which a loop of 200,000 ticks would feel.
int32_t ScreenWidth()
{
    static const int32_t width = GetSystemMetrics(SM_CXSCREEN);
    return width;
}

int32_t ScreenHeight()
{
    static const int32_t height = GetSystemMetrics(SM_CYSCREEN);
    return height;
}

// The largest target that the wander rules allow for a range: its absolute
// value less one, never above 32767; the screen's size stands in for 0.
int64_t HighestTarget(int32_t range, int32_t screenSize)
{
    if (range == 0) return screenSize - 1;
    const int64_t magnitude = range < 0 ? -static_cast<int64_t>(range) : range;
    return std::min<int64_t>(magnitude, 32768) - 1;
}

bool TargetInRange()
{
    return mascot.targetX >= 0 && mascot.targetX <= HighestTarget(RangeX(), ScreenWidth()) &&
           mascot.targetY >= 0 && mascot.targetY <= HighestTarget(RangeY(), ScreenHeight());
}

std::string Where()
{
    char text[160];
    std::snprintf(text, sizeof text, "range %d x %d, target %d,%d, position %d,%d", RangeX(), RangeY(),
                  mascot.targetX, mascot.targetY, mascot.posX, mascot.posY);
    return text;
}

// What one run of ticks showed.
struct WanderRun {
    int choices;        // new targets chosen
    int moves;          // ticks after which the position differed from before
    bool allInRange;
    std::string firstOutside;
    int32_t highestX;   // largest target seen
    int32_t highestY;
};

// A target stays until the next choice, even when the range changes
// meanwhile, so each target is checked against the range it was chosen in.
void NoteTick(WanderRun& run, int32_t oldX, int32_t oldY)
{
    if (mascot.posX != oldX || mascot.posY != oldY) ++run.moves;
    if (mascot.idleTicks != 0) return;  // no choice on this tick
    ++run.choices;
    run.highestX = std::max(run.highestX, mascot.targetX);
    run.highestY = std::max(run.highestY, mascot.targetY);
    if (run.allInRange && !TargetInRange()) {
        run.allInRange = false;
        run.firstOutside = Where();
    }
}

// Ticks through the window's own timer path: WM_TIMER 200 sent to the real
// window (cursor read, core decision, window placement, repaint request).
WanderRun WanderThroughWindow(HWND hwnd, int ticks)
{
    WanderRun run = {0, 0, true, "", 0, 0};
    for (int tick = 0; tick < ticks; ++tick) {
        const int32_t x = mascot.posX, y = mascot.posY;
        SendMessageA(hwnd, WM_TIMER, MascotTimer, 0);
        NoteTick(run, x, y);
    }
    return run;
}

// The same decisions without the window: what WanderTick runs between
// reading the cursor and placing the window. Placing the window costs 0.5
// to 1.5 ms a tick under Wine, too much for hundreds of ticks at every size.
WanderRun WanderThroughCore(int ticks)
{
    WanderRun run = {0, 0, true, "", 0, 0};
    for (int tick = 0; tick < ticks; ++tick) {
        const int32_t x = mascot.posX, y = mascot.posY;
        WanderDecide(FarAway, FarAway, ScreenWidth(), ScreenHeight());
        NoteTick(run, x, y);
    }
    return run;
}

// --- The dialog ------------------------------------------------------------------

struct DialogVisit {
    std::string shownX;
    std::string shownY;
    const char* typeX;
    const char* typeY;
};
DialogVisit visit = {};

void LookTypeAndSave(HWND dialog)
{
    visit.shownX = DialogText(dialog, 1005);
    visit.shownY = DialogText(dialog, 1006);
    SetDialogText(dialog, 1005, visit.typeX);
    SetDialogText(dialog, 1006, visit.typeY);
    PostDialogCommand(dialog, IDOK);
    // A save that cannot land keeps the dialog open; Esc then ends it.
    PostDialogCommand(dialog, IDCANCEL);
}

// Opens the options dialog with command 32793, as another program would,
// types the two values and presses "保存" (and Esc, should it stay open).
void SaveThroughDialog(HWND hwnd, const char* x, const char* y)
{
    visit = DialogVisit{"?", "?", x, y};
    SendMessageA(hwnd, WM_COMMAND, CmdOptions, 0);
}

std::string Text(int32_t value) { return std::to_string(value); }

struct BadSavedataTest : ::testing::Test {
    TestFolder folder = {};
    HWND hwnd = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(EnterTestFolder(folder));
        ASSERT_TRUE(DriveDialogs(LookTypeAndSave));
        // The cursor in the bottom-right corner: the mascot starts at
        // (500, 500), so its first tick through the window always moves it.
        SetCursorPos(ScreenWidth() - 1, ScreenHeight() - 1);
    }

    void TearDown() override
    {
        EndMascot(hwnd);
        StopDrivingDialogs();
        LeaveTestFolder(folder);
    }

    // A process start: the record and the mascot as a new process has
    // them, then the real window, shown as the program shows it or left
    // unshown, which costs a quarter as much under Wine. The generator,
    // seeded from the clock at creation, gets a fixed seed so that every
    // run draws the same targets.
    void Start(bool shown = true)
    {
        EndMascot(hwnd);
        std::memset(&settings, 0, sizeof settings);
        ResetMascotState();
        hwnd = StartMascot(shown ? SW_SHOWNOACTIVATE : SW_HIDE);
        SeedRandom(WanderSeed);
    }
};

// --- Every size -------------------------------------------------------------------

// Sizes where the range is cut off or just complete.
bool EdgeSize(int size)
{
    const int edges[] = {0, 1, 511, 512, 513, 515, 516, 517, 519, 520, 551, 552, 553, 1000};
    for (int edge : edges)
        if (size == edge) return true;
    return false;
}

// Showing the window, ticks through it and dialogs cost milliseconds each
// under Wine: they come at a sample of the sizes, the start and the core's
// ticks at every size.
bool ShownAt(int size) { return EdgeSize(size) || size % 125 == 0; }
bool DialogAt(int size) { return EdgeSize(size) || size % 4 == 0; }

// The dialog shows the range as loaded and saves a typed one over the rest
// of the record; the file is then the record, whole.
void SaveAndCheck(HWND hwnd, const Bytes& file, int32_t newX, int32_t newY)
{
    Bytes expected = RecordLoadedFrom(file);
    const std::string loadedX = Text(RangeX()), loadedY = Text(RangeY());
    PutInt32(expected, 512, newX);
    PutInt32(expected, 516, newY);
    const std::string typeX = Text(newX), typeY = Text(newY);

    SaveThroughDialog(hwnd, typeX.c_str(), typeY.c_str());

    EXPECT_EQ(visit.shownX, loadedX);
    EXPECT_EQ(visit.shownY, loadedY);
    const Bytes saved = ReadFileBytes("savedata");
    EXPECT_EQ(saved.size(), 552u);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(RecordImage(), expected);
}

TEST_F(BadSavedataTest, EverySizeFrom0To1000StartsWandersAndSaves)
{
    std::mt19937 random(ContentSeed);
    int dialogs = 0;
    for (int size = 0; size <= 1000; ++size) {
        SCOPED_TRACE(testing::Message() << "savedata of " << size << " bytes");
        Bytes file(size);
        for (unsigned char& byte : file) byte = static_cast<unsigned char>(random());
        ASSERT_TRUE(WriteFileBytes("savedata", file.data(), static_cast<unsigned>(file.size())));

        const bool throughWindow = ShownAt(size);
        Start(throughWindow);
        ASSERT_NE(hwnd, nullptr);
        ASSERT_EQ(RecordImage(), RecordLoadedFrom(file));

        const WanderRun run =
            throughWindow ? WanderThroughWindow(hwnd, WindowTicksPerRun) : WanderThroughCore(TicksPerRun);
        EXPECT_TRUE(run.allInRange) << run.firstOutside;
        EXPECT_GT(run.moves, 0);
        EXPECT_GT(run.choices, 0);
        if (throughWindow) {
            RECT rect = {};
            GetWindowRect(hwnd, &rect);
            EXPECT_EQ(rect.left, mascot.posX);
            EXPECT_EQ(rect.top, mascot.posY);
        }

        if (DialogAt(size)) {
            SaveAndCheck(hwnd, file, size + 1, -(size + 1));
            EXPECT_EQ(DialogsDriven(), ++dialogs) << "no dialog opened";
            // The saved range takes effect at the next target choice.
            const WanderRun after = WanderThroughCore(TicksPerRun);
            EXPECT_GT(after.choices, 0);
            EXPECT_TRUE(after.allInRange) << after.firstOutside;
        }
        EXPECT_TRUE(IsWindow(hwnd));
        if (HasFailure()) break;  // one size's story is enough
    }
    EXPECT_EQ(DialogsStuck(), 0);
}

// --- Ranges at the limits ------------------------------------------------------------

struct RangeCase {
    const char* typedX;
    const char* typedY;
    int32_t x;
    int32_t y;
    int32_t highestX;  // what the wander rules allow
    int32_t highestY;
};

TEST_F(BadSavedataTest, RangesAtTheLimitsAreSavedAndBoundTheTargets)
{
    const RangeCase cases[] = {
        {"1", "1", 1, 1, 0, 0},
        {"-500", "-500", -500, -500, 499, 499},
        {"2147483647", "-2147483648", INT32_MAX, INT32_MIN, 32767, 32767},
        {"-2147483648", "2147483647", INT32_MIN, INT32_MAX, 32767, 32767},
        {"1", "-500", 1, -500, 0, 499},
        // Numbers past the limits are clamped to them.
        {"99999999999", "-99999999999", INT32_MAX, INT32_MIN, 32767, 32767},
    };
    Start();
    ASSERT_NE(hwnd, nullptr);
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed " << c.typedX << " and " << c.typedY);
        SaveThroughDialog(hwnd, c.typedX, c.typedY);

        const Bytes saved = ReadFileBytes("savedata");
        ASSERT_EQ(saved.size(), 552u);
        Bytes range(8);
        PutInt32(range, 0, c.x);
        PutInt32(range, 4, c.y);
        EXPECT_EQ(Bytes(saved.begin() + 512, saved.begin() + 520), range);
        EXPECT_EQ(RangeX(), c.x);
        EXPECT_EQ(RangeY(), c.y);

        // Through the window first, then long enough through the core that
        // the targets come near the top of what is allowed.
        WanderRun run = WanderThroughWindow(hwnd, WindowTicksPerRun);
        EXPECT_GT(run.choices, 0);
        EXPECT_TRUE(run.allInRange) << run.firstOutside;
        run = WanderThroughCore(200000);
        EXPECT_TRUE(run.allInRange) << run.firstOutside;
        EXPECT_LE(run.highestX, c.highestX);
        EXPECT_LE(run.highestY, c.highestY);
        EXPECT_GE(run.highestX, c.highestX * 9 / 10);
        EXPECT_GE(run.highestY, c.highestY * 9 / 10);
        // Positions follow the targets; nothing wraps round to far away.
        EXPECT_LT(std::abs(mascot.posX), 40000);
        EXPECT_LT(std::abs(mascot.posY), 40000);
    }
    EXPECT_EQ(DialogsDriven(), 6);
    EXPECT_EQ(DialogsStuck(), 0);
}

// --- A file that cannot be used -------------------------------------------------------

bool NoTemporaryFileLeft() { return FolderEntries("savedata*") == "savedata"; }

TEST_F(BadSavedataTest, FolderNamedSavedataGivesTheWholeScreenAndASaveChangesNothing)
{
    ASSERT_TRUE(CreateDirectoryA("savedata", nullptr));
    Start();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(RecordImage(), Bytes(sizeof(SettingsRecord), 0));
    WanderRun run = WanderThroughWindow(hwnd, WindowTicksPerRun);
    EXPECT_GT(run.moves, 0);
    EXPECT_TRUE(run.allInRange) << run.firstOutside;

    SaveThroughDialog(hwnd, "640", "480");

    EXPECT_EQ(DialogsDriven(), 1);
    EXPECT_EQ(DialogsStuck(), 0);
    EXPECT_EQ(visit.shownX, "0");
    EXPECT_EQ(visit.shownY, "0");
    EXPECT_TRUE(GetFileAttributesA("savedata") & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(NoTemporaryFileLeft());
    // Nothing readable to go back to: the typed range stays in memory.
    EXPECT_EQ(RangeX(), 640);
    run = WanderThroughCore(TicksPerRun);
    EXPECT_TRUE(run.allInRange) << run.firstOutside;
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(BadSavedataTest, FileHeldOpenWithoutSharingIsNotReadAndNotReplaced)
{
    Bytes file(552, 0);
    PutInt32(file, 512, 300);
    PutInt32(file, 516, 200);
    ASSERT_TRUE(WriteFileBytes("savedata", file.data(), static_cast<unsigned>(file.size())));
    HANDLE held = CreateFileA("savedata", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    Start();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(RangeX(), 0) << "the held file cannot be read";
    WanderRun run = WanderThroughWindow(hwnd, WindowTicksPerRun);
    EXPECT_GT(run.moves, 0);
    EXPECT_TRUE(run.allInRange) << run.firstOutside;
    SaveThroughDialog(hwnd, "640", "480");
    EXPECT_EQ(DialogsDriven(), 1);
    EXPECT_EQ(DialogsStuck(), 0);
    EXPECT_EQ(RangeX(), 640) << "the typed range stays in memory";
    run = WanderThroughCore(TicksPerRun);
    EXPECT_TRUE(run.allInRange) << run.firstOutside;
    CloseHandle(held);

    EXPECT_EQ(ReadFileBytes("savedata"), file);
    EXPECT_TRUE(NoTemporaryFileLeft());
    EXPECT_TRUE(IsWindow(hwnd));
}

}  // namespace
