// Picking the mascot up: click or drag, the grabbed point, put back, and
// the drop on a layout of monitors.
#include <gtest/gtest.h>

#include <climits>

#include "app/MascotState.h"
#include "desk/DeskLayout.h"
#include "desk/KeepOnDesk.h"
#include "drag/DragState.h"

namespace {

struct DistanceCase {
    int64_t dx, dy;
    bool drag;
};
// SM_CXDRAG and SM_CYDRAG of 4: "pixels on either side" of the press.
const DistanceCase distanceCases[] = {
    {0, 0, false},  {4, 0, false},  {-4, 4, false}, {3, -3, false}, {5, 0, true},
    {-5, 0, true},  {0, 5, true},   {0, -5, true},  {INT64_MAX / 2, 0, true},
};

TEST(Drag, ACursorPastTheDragDistanceOnEitherSideMakesADrag)
{
    for (const DistanceCase& c : distanceCases)
        EXPECT_EQ(PastDragDistance(c.dx, c.dy, 4, 4), c.drag) << c.dx << ", " << c.dy;
    EXPECT_FALSE(PastDragDistance(6, 0, 8, 2)) << "the width and height apart";
    EXPECT_TRUE(PastDragDistance(0, 3, 8, 2));
}

struct MoveCase {
    const char* what;
    int32_t scale;
    MascotPoint position;  // the mascot's, in units, at the press
    MascotPoint press;     // the cursor, in screen pixels
    MascotPoint moveTo;
    MascotPoint after;     // the mascot's position once released
    ReleaseOutcome outcome;
};
const MoveCase moveCases[] = {
    {"released where pressed: a click", 1, {100, 100}, {130, 140}, {130, 140}, {100, 100}, ReleaseClick},
    {"a jitter within the distance: still a click", 1, {100, 100}, {130, 140}, {133, 136}, {100, 100}, ReleaseClick},
    {"carried: the grabbed point under the cursor", 1, {100, 100}, {130, 140}, {700, 20}, {670, -20}, ReleaseDrop},
    {"onto a monitor on the left", 1, {10, 300}, {40, 330}, {-900, 500}, {-930, 470}, ReleaseDrop},
    {"at 2x, in whole units", 2, {100, 100}, {230, 250}, {401, 401}, {185, 175}, ReleaseDrop},
    {"at 3x, left of the origin", 3, {0, 0}, {10, 10}, {-5, 10}, {-5, 0}, ReleaseDrop},
};

TEST(Drag, AClickChangesNothingAndADragCarriesTheGrabbedPoint)
{
    for (const MoveCase& c : moveCases) {
        ResetMascotState();
        mascot.posX = c.position.x;
        mascot.posY = c.position.y;
        PressMascot(c.press.x, c.press.y, c.position.x * c.scale, c.position.y * c.scale);
        FollowCursor(c.moveTo.x, c.moveTo.y, 4, 4, c.scale);
        EXPECT_EQ(ReleaseMascot(), c.outcome) << c.what;
        EXPECT_EQ(mascot.posX, c.after.x) << c.what;
        EXPECT_EQ(mascot.posY, c.after.y) << c.what;
        EXPECT_EQ(ReleaseMascot(), ReleaseNothing) << c.what << ": one release per press";
    }
}

TEST(Drag, EscOrALostMousePutsItBackWhereItWasPickedUp)
{
    ResetMascotState();
    mascot.posX = 300;
    mascot.posY = 200;
    mascot.targetX = 900;
    PressMascot(330, 230, 300, 200);
    FollowCursor(600, 600, 4, 4, 1);
    FollowCursor(900, 100, 4, 4, 1);
    ASSERT_EQ(mascot.posX, 870);
    EXPECT_TRUE(PutBackMascot());
    EXPECT_EQ(mascot.posX, 300);
    EXPECT_EQ(mascot.posY, 200);
    EXPECT_EQ(mascot.targetX, 900);
    EXPECT_TRUE(drag.pressed) << "it waits for the release";
    EXPECT_FALSE(FollowCursor(100, 100, 4, 4, 1)) << "nothing follows once put back";
    EXPECT_EQ(mascot.posX, 300);
    EXPECT_EQ(ReleaseMascot(), ReleaseNothing) << "the release that follows is no click";
    EXPECT_FALSE(drag.pressed);

    // The mouse taken away mid-drag: back, and the press is over.
    PressMascot(330, 230, 300, 200);
    FollowCursor(500, 500, 4, 4, 1);
    EXPECT_TRUE(EndPress());
    EXPECT_EQ(mascot.posX, 300);
    EXPECT_FALSE(drag.pressed);
    EXPECT_EQ(ReleaseMascot(), ReleaseNothing);
    EXPECT_FALSE(EndPress());
    EXPECT_FALSE(PutBackMascot());
}

TEST(Drag, TheGrabbedPointScalesWithTheWindow)
{
    ResetMascotState();
    PressMascot(230, 250, 200, 200);
    RescaleGrab(2, 3);
    EXPECT_EQ(drag.grab.x, 45);
    EXPECT_EQ(drag.grab.y, 75);
    RescaleGrab(3, 1);
    EXPECT_EQ(drag.grab.x, 15);
    EXPECT_EQ(drag.grab.y, 25);
}

// The primary 1920 x 1080 with its taskbar, and a taller one on its left.
DeskLayout TwoMonitors()
{
    DeskLayout desk = {};
    desk.count = 2;
    desk.monitors[0] = {0, 0, 1920, 1080};
    desk.workAreas[0] = {0, 0, 1920, 1040};
    desk.monitors[1] = desk.workAreas[1] = {-1200, -400, 0, 1520};
    return desk;
}

struct DropCase {
    const char* what;
    MascotPoint dropped, placed;
};
const DropCase dropCases[] = {
    {"wholly on the primary: stays", {800, 500}, {800, 500}},
    {"across both monitors: stays", {-30, 500}, {-30, 500}},
    {"over the taskbar, on the monitor: stays", {800, 1020}, {800, 1020}},
    {"half past the primary's right edge", {1890, 500}, {1860, 500}},
    {"below the primary, beside the taller one", {600, 1300}, {600, 980}},
    {"above the primary, near the left one's top", {-20, -300}, {-60, -300}},
    {"far off", {INT32_MIN, INT32_MIN}, {-1200, -400}},
};

TEST(Drag, ADropWhereNoMonitorIsGoesWholeOntoTheNearestWorkAreaAndKeepsTheTarget)
{
    for (const DropCase& c : dropCases) {
        ResetMascotState();
        mascot.posX = c.dropped.x;
        mascot.posY = c.dropped.y;
        mascot.targetX = 5000;  // a target kept, wherever it lies
        mascot.targetY = 5000;
        PutMascotOnDesk(TwoMonitors());
        EXPECT_EQ(mascot.posX, c.placed.x) << c.what;
        EXPECT_EQ(mascot.posY, c.placed.y) << c.what;
        EXPECT_EQ(mascot.targetX, 5000) << c.what;
    }
}

}  // namespace
