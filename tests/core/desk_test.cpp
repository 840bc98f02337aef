// The mascot's scale, its units, and keeping it where a monitor shows it,
// on layouts no test machine has.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "desk/DeskLayout.h"
#include "desk/KeepOnDesk.h"
#include "desk/MascotScale.h"
#include "settings/SettingsRecord.h"
#include "tests/core/support/WanderStart.h"

namespace {

struct ScaleCase {
    int32_t dpi, choice, scale;
};
const ScaleCase scaleCases[] = {
    {96, SizeAuto, 1},   {120, SizeAuto, 1},  // 125 %
    {144, SizeAuto, 2},  {168, SizeAuto, 2},  // 150 %, 175 %
    {192, SizeAuto, 2},  {240, SizeAuto, 3},  // 200 %, 250 %
    {288, SizeAuto, 3},  {72, SizeAuto, 1},   {0, SizeAuto, 1}, {-96, SizeAuto, 1},
    {96000, SizeAuto, LargestScale},          // no display's, but never a giant window
    {96, 1, 1},          {192, 1, 1},         {96, 3, 3},       {96, 4, 4},
    {192, 5, 2},         {240, -1, 3},        {144, INT32_MIN, 2},  // unknown choices read as Auto
};

TEST(MascotScale, AutoIsTheNearestWholeNumberHalvesUpAndAChoiceHolds)
{
    for (const ScaleCase& c : scaleCases)
        EXPECT_EQ(MascotScale(c.dpi, c.choice), c.scale) << c.dpi << " dpi, choice " << c.choice;
}

TEST(MascotScale, UnitsRoundDownOnBothSidesOfTheOrigin)
{
    EXPECT_EQ(FloorDiv(-1, 2), -1);
    EXPECT_EQ(FloorDiv(-2, 2), -1);
    EXPECT_EQ(FloorDiv(3, 2), 1);
    EXPECT_EQ(CeilDiv(-3, 2), -1);
    EXPECT_EQ(CeilDiv(3, 2), 2);
    EXPECT_EQ(UnitsToPixels(INT32_MAX, 3), INT32_MAX);
    EXPECT_EQ(UnitsToPixels(-500, 2), -1000);
    // The centre stays: 1x at 500 (centre 530) is 2x at 235 (centre 2 * 265).
    EXPECT_EQ(RescalePosition(500, 1, 2), 235);
    EXPECT_EQ(RescalePosition(235, 2, 1), 500);
    EXPECT_EQ(RescalePosition(-512, 2, 3), -352);
    EXPECT_EQ(RescalePosition(INT32_MIN, 4, 1), INT32_MIN);
}

// The three-monitor desk: the primary 1280 x 1024 with a taskbar of 30,
// one at (-1024, 256) left of it, one at (1280, 0) 800 x 600 with a gap
// below it.
DeskLayout ThreeMonitors()
{
    DeskLayout desk = {};
    desk.count = 3;
    desk.monitors[0] = {0, 0, 1280, 1024};
    desk.workAreas[0] = {0, 0, 1280, 994};
    desk.monitors[1] = desk.workAreas[1] = {-1024, 256, 0, 1024};
    desk.monitors[2] = desk.workAreas[2] = {1280, 0, 2080, 600};
    return desk;
}

DeskLayout OneMonitor()
{
    DeskLayout desk = {};
    desk.count = 1;
    desk.monitors[0] = {0, 0, 1280, 1024};
    desk.workAreas[0] = {0, 0, 1280, 994};
    return desk;
}

struct PlaceCase {
    const char* what;
    DeskLayout (*desk)();
    MascotPoint target, placed;
};
const PlaceCase placeCases[] = {
    {"on the primary: stays, near the edge too", ThreeMonitors, {1279, 1023}, {1279, 1023}},
    {"on the left monitor: stays", ThreeMonitors, {-1000, 300}, {-1000, 300}},
    {"above the left monitor: onto its top", ThreeMonitors, {-500, 100}, {-500, 256}},
    {"left of everything: onto the left monitor", ThreeMonitors, {-5000, 500}, {-1024, 500}},
    {"in the gap below the third monitor", ThreeMonitors, {1800, 900}, {1800, 540}},
    {"in the gap, nearer the primary", ThreeMonitors, {1290, 1000}, {1220, 934}},
    {"past the right of the third monitor", ThreeMonitors, {32000, 100}, {2020, 100}},
    {"a range wider than the desk, one monitor", OneMonitor, {30000, 20000}, {1220, 934}},
    {"above the origin, one monitor", OneMonitor, {-300, -300}, {0, 0}},
    {"at the 32-bit limits", OneMonitor, {INT32_MIN, INT32_MAX}, {0, 934}},
};

TEST(KeepOnDesk, ATargetWhereNoMonitorIsGoesToTheNearestPlaceOnAWorkArea)
{
    for (const PlaceCase& c : placeCases) {
        ResetMascotState();
        mascot.targetX = c.target.x;
        mascot.targetY = c.target.y;
        PlaceTargetOnDesk(c.desk());
        EXPECT_EQ(mascot.targetX, c.placed.x) << c.what;
        EXPECT_EQ(mascot.targetY, c.placed.y) << c.what;
    }
}

struct RescueCase {
    const char* what;
    MascotPoint position, after;
    bool moved;
};
// On the three-monitor desk.
const RescueCase rescueCases[] = {
    {"wholly on the primary", {600, 500}, {600, 500}, false},
    {"across the primary and the left monitor", {-30, 500}, {-30, 500}, false},
    {"over the primary's taskbar, still on its monitor", {600, 960}, {600, 960}, false},
    {"half below the primary", {600, 1000}, {600, 934}, true},
    {"where the third monitor was", {3000, 300}, {2020, 300}, true},
    {"in the gap below the third monitor", {1500, 700}, {1500, 540}, true},
    {"far off at the limits", {INT32_MAX, INT32_MIN}, {2020, 0}, true},
};

TEST(KeepOnDesk, AfterALayoutChangeAMascotNotWhollyOnTheMonitorsIsPutBackAndNothingElseChanges)
{
    for (const RescueCase& c : rescueCases) {
        ResetMascotState();
        mascot.posX = c.position.x;
        mascot.posY = c.position.y;
        mascot.targetX = 100;
        mascot.targetY = 200;
        mascot.state = FlyDipLeft;
        mascot.stepCount = 4;
        mascot.skinIndex = 2;
        EXPECT_EQ(BringMascotOntoDesk(ThreeMonitors()), c.moved) << c.what;
        EXPECT_EQ(mascot.posX, c.after.x) << c.what;
        EXPECT_EQ(mascot.posY, c.after.y) << c.what;
        EXPECT_EQ(mascot.targetX, 100);
        EXPECT_EQ(mascot.state, FlyDipLeft);
        EXPECT_EQ(mascot.stepCount, 4);
        EXPECT_EQ(mascot.skinIndex, 2);
    }
    // A target on a monitor that went away moves as a new target would.
    mascot.targetX = 3000;
    mascot.targetY = 100;
    BringMascotOntoDesk(ThreeMonitors());
    EXPECT_EQ(mascot.targetX, 2020);
    EXPECT_EQ(mascot.targetY, 100);
}

TEST(KeepOnDesk, OnlyAMascotAtRestWhollyOffTheMonitorsIsMoved)
{
    const int32_t states[] = {WalkRight, WalkLeft, StandRight, RiseRight, FallLeft,   LandRight,
                              StandLeft, LandLeft, FlyRiseRight, FlyDipLeft, FlyRestRight, FlyRestLeft};
    for (int32_t state : states) {
        const bool atRest = state == StandRight || state == StandLeft || state == LandRight || state == LandLeft ||
                            state == FlyRestRight || state == FlyRestLeft;
        ResetMascotState();
        mascot.state = state;
        mascot.posX = 1500;  // in the gap below the third monitor
        mascot.posY = 700;
        KeepRestingMascotOnDesk(ThreeMonitors());
        EXPECT_EQ(mascot.posY, atRest ? 540 : 700) << "state " << state;
        mascot.posY = 560;  // a sliver still on the third monitor
        KeepRestingMascotOnDesk(ThreeMonitors());
        EXPECT_EQ(mascot.posY, 560) << "state " << state;
    }
}

TEST(DeskLayout, InUnitsAUnitCountsOnAMonitorOnlyWhenAllItsPixelsAre)
{
    DeskLayout pixels = ThreeMonitors();
    pixels.monitors[2] = pixels.workAreas[2] = {1281, 1, 2081, 601};
    // Just after the primary shrank, its old work area is still reported.
    pixels.monitors[0] = {0, 0, 800, 600};
    pixels.workAreas[0] = {0, 0, 1600, 970};
    const DeskLayout units = LayoutInUnits(pixels, 2);
    EXPECT_EQ(units.workAreas[0].right, 400);
    EXPECT_EQ(units.workAreas[0].bottom, 300);
    EXPECT_EQ(units.count, 3);
    EXPECT_EQ(units.monitors[1].left, -512);
    EXPECT_EQ(units.monitors[2].left, 641);
    EXPECT_EQ(units.monitors[2].top, 1);
    EXPECT_EQ(units.monitors[2].right, 1040);
    EXPECT_EQ(units.monitors[2].bottom, 300);
    EXPECT_EQ(DeskLeft(units), -512);
    EXPECT_EQ(DeskLeft(OneMonitor()), 0);
    const ScreenRect box = WorkAreaBounds(ThreeMonitors());
    EXPECT_EQ(box.left, -1024);
    EXPECT_EQ(box.right, 2080);
    EXPECT_EQ(box.bottom, 1024);
}

// --- The tick on a desk -----------------------------------------------------

TEST(WanderOnDesk, OnThePrimaryAloneWithTargetsOnItTheTicksAreTheSameAsWithoutADesk)
{
    const DeskLayout desk = OneMonitor();
    for (uint32_t seed : {1u, 2u, 77u}) {
        StartWandering(ScreenW, ScreenH, seed);
        MascotState plain[4000];
        for (MascotState& s : plain) {
            WanderDecide(FarAway, FarAway, ScreenW, ScreenH);
            s = mascot;
        }
        StartWandering(ScreenW, ScreenH, seed);
        int same = 0;
        for (int tick = 0; tick < 4000; ++tick, ++same) {
            WanderDecide(FarAway, FarAway, ScreenW, ScreenH, &desk);
            // Only a mascot come to rest wholly out of sight below the
            // screen is moved; the arithmetic itself is never changed.
            if (plain[tick].posY >= ScreenH) break;
            ASSERT_EQ(mascot.posX, plain[tick].posX) << "seed " << seed << " tick " << tick;
            ASSERT_EQ(mascot.posY, plain[tick].posY) << "seed " << seed << " tick " << tick;
            ASSERT_EQ(mascot.state, plain[tick].state) << "seed " << seed << " tick " << tick;
            ASSERT_EQ(mascot.targetX, plain[tick].targetX) << "seed " << seed << " tick " << tick;
        }
        EXPECT_GT(same, 2000) << "seed " << seed;
    }
}

TEST(WanderOnDesk, AllMonitorsVisitsEveryMonitorAndNeverRestsWhereNoneIs)
{
    const DeskLayout desk = ThreeMonitors();
    StartWandering(0, 0, 5);
    AllMonitorsChoice() = 1;
    int visits[3] = {};
    int restsOffDesk = 0, targetsOffDesk = 0;
    for (int tick = 0; tick < 60000; ++tick) {
        WanderDecide(FarAway, FarAway, ScreenW, ScreenH, &desk);
        if (mascot.idleTicks == 0 && !PointOnMonitor(desk, mascot.targetX, mascot.targetY)) ++targetsOffDesk;
        const bool atRest = mascot.state == StandRight || mascot.state == StandLeft || mascot.state == LandRight ||
                            mascot.state == LandLeft || mascot.state == FlyRestRight || mascot.state == FlyRestLeft;
        if (atRest && !WindowTouchesMonitor(desk, mascot.posX, mascot.posY)) ++restsOffDesk;
        for (int m = 0; m < 3; ++m) {
            const ScreenRect& r = desk.monitors[m];
            if (mascot.posX >= r.left && mascot.posX + 60 <= r.right && mascot.posY >= r.top &&
                mascot.posY + 60 <= r.bottom)
                ++visits[m];
        }
    }
    EXPECT_EQ(targetsOffDesk, 0);
    EXPECT_EQ(restsOffDesk, 0);
    for (int m = 0; m < 3; ++m) EXPECT_GT(visits[m], 500) << "monitor " << m;

    // Off, the range from the primary's corner holds as it always did.
    AllMonitorsChoice() = 0;
    RangeX() = 300;
    RangeY() = 200;
    for (int i = 0; i < 200; ++i) {
        ChooseTarget(ScreenW, ScreenH, &desk);
        ASSERT_GE(mascot.targetX, 0);
        ASSERT_LT(mascot.targetX, 300);
        ASSERT_LT(mascot.targetY, 200);
    }
}

TEST(WanderOnDesk, TheHoverFreezeReachesLeftOfTheOriginWhereTheDeskDoes)
{
    ResetMascotState();
    mascot.posX = -600;
    mascot.posY = 500;
    mascot.cursorPos = MascotPoint{-570, 530};
    const DeskLayout three = ThreeMonitors(), one = OneMonitor();
    EXPECT_TRUE(CursorFreezesMascot(&three));
    EXPECT_FALSE(CursorFreezesMascot(&one));
    EXPECT_FALSE(CursorFreezesMascot());
    mascot.posX = -1025;  // left of the leftmost monitor
    mascot.cursorPos = MascotPoint{-1000, 530};
    EXPECT_FALSE(CursorFreezesMascot(&three));
}

}  // namespace
