// The decisions of the wander tick and the random generator.
#include <gtest/gtest.h>

#include <climits>

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "settings/SettingsRecord.h"
#include "tests/core/support/WanderStart.h"

namespace {

struct WanderTest : ::testing::Test {
    void SetUp() override
    {
        StartWandering(1000, 800, 1);
    }
    WanderOutcome Tick(int32_t cx = FarAway, int32_t cy = FarAway)
    {
        return WanderDecide(cx, cy, ScreenW, ScreenH);
    }
};

TEST(RandomGenerator, FollowsTheFixedSequence)
{
    SeedRandom(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int32_t value : expected) EXPECT_EQ(NextRandom(), value);
}

TEST(RandomGenerator, StaysWithinFifteenBits)
{
    SeedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        const int32_t v = NextRandom();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST_F(WanderTest, TargetIsReplacedOnThe201stTickWhenNeverReached)
{
    mascot.running = false;  // keep the mascot where it is
    mascot.targetX = 3000;
    mascot.targetY = 3000;
    for (int tick = 1; tick <= 200; ++tick) {
        Tick();
        ASSERT_EQ(mascot.idleTicks, tick);
    }
    EXPECT_EQ(mascot.targetX, 3000);
    Tick();
    EXPECT_EQ(mascot.idleTicks, 0);
    EXPECT_EQ(mascot.targetX, 41 % 1000);
    EXPECT_EQ(mascot.targetY, 18467 % 800);
}

TEST_F(WanderTest, TargetBoxIncludesItsEdges)
{
    mascot.targetX = 430;  // posX = targetX + 70
    mascot.targetY = 570;  // posY = targetY - 70
    mascot.idleTicks = 10;
    EXPECT_TRUE(TargetChoiceDue());
    mascot.targetX = 429;  // posX = targetX + 71
    EXPECT_FALSE(TargetChoiceDue());
    mascot.targetX = 570;
    mascot.targetY = 430;
    EXPECT_TRUE(TargetChoiceDue());
    mascot.targetY = 429;
    EXPECT_FALSE(TargetChoiceDue());
}

TEST_F(WanderTest, ReachedTargetIsReplacedBeforeTheStep)
{
    mascot.targetX = 500;
    mascot.targetY = 500;
    mascot.idleTicks = 7;
    Tick();
    EXPECT_EQ(mascot.idleTicks, 0);
    EXPECT_EQ(mascot.targetX, 41);
    EXPECT_EQ(mascot.targetY, 18467 % 800);
}

TEST_F(WanderTest, TargetFarBelowSwitchesToFallKeepingTheCount)
{
    mascot.posY = 100;
    mascot.targetY = 151;
    mascot.targetX = 0;
    mascot.state = FlyRiseLeft;
    mascot.stepCount = 7;
    ChooseTarget(ScreenW, ScreenH);
    EXPECT_EQ(mascot.state, FallRight);
    EXPECT_EQ(mascot.stepCount, 7);

    mascot.posY = 100;
    mascot.targetY = 150;
    mascot.state = WalkLeft;
    ChooseTarget(ScreenW, ScreenH);
    EXPECT_EQ(mascot.state, WalkLeft);
}

TEST_F(WanderTest, DrawsGoToXThenYForEachChoice)
{
    RangeX() = 30000;
    RangeY() = 30000;
    ChooseTarget(ScreenW, ScreenH);
    EXPECT_EQ(mascot.targetX, 41);
    EXPECT_EQ(mascot.targetY, 18467);
    ChooseTarget(ScreenW, ScreenH);
    EXPECT_EQ(mascot.targetX, 6334);
    EXPECT_EQ(mascot.targetY, 26500);
}

TEST_F(WanderTest, RangesOfOneNegativeAndExtremeValues)
{
    RangeX() = 1;
    RangeY() = -500;
    for (int i = 0; i < 1000; ++i) {
        ChooseTarget(ScreenW, ScreenH);
        ASSERT_EQ(mascot.targetX, 0);
        ASSERT_GE(mascot.targetY, 0);
        ASSERT_LT(mascot.targetY, 500);
    }
    SeedRandom(7);
    RangeX() = INT32_MIN;
    RangeY() = INT32_MAX;
    SeedRandom(1);
    ChooseTarget(ScreenW, ScreenH);
    EXPECT_EQ(mascot.targetX, 41);
    EXPECT_EQ(mascot.targetY, 18467);
}

TEST_F(WanderTest, ZeroRangeFallsBackToTheScreenSize)
{
    RangeX() = 0;
    RangeY() = 0;
    bool sawBeyondHalf = false;
    for (int i = 0; i < 2000; ++i) {
        ChooseTarget(ScreenW, ScreenH);
        ASSERT_GE(mascot.targetX, 0);
        ASSERT_LT(mascot.targetX, ScreenW);
        ASSERT_LT(mascot.targetY, ScreenH);
        sawBeyondHalf = sawBeyondHalf || mascot.targetX > ScreenW / 2;
    }
    EXPECT_TRUE(sawBeyondHalf);
    EXPECT_EQ(RangeX(), 0);  // the record keeps what the user saved
    EXPECT_EQ(EffectiveRange(0, 0), 1);
    EXPECT_EQ(EffectiveRange(-3, 1280), -3);
}

TEST_F(WanderTest, HoverBoxEdges)
{
    struct Case {
        int32_t dx, dy;
        bool frozen;
    } cases[] = {{-5, 10, false}, {-4, -4, true}, {60, 60, true}, {61, 0, false},
                 {0, -5, false}, {0, 61, false}, {30, 30, true}};
    for (const Case& c : cases) {
        mascot.cursorPos = {mascot.posX + c.dx, mascot.posY + c.dy};
        EXPECT_EQ(CursorFreezesMascot(), c.frozen) << c.dx << "," << c.dy;
    }
    mascot.posX = -1;
    mascot.cursorPos = {10, mascot.posY + 10};
    EXPECT_FALSE(CursorFreezesMascot());
}

TEST_F(WanderTest, FrozenAndPausedTicksCountButDoNotMove)
{
    mascot.targetX = 3000;
    mascot.targetY = 500;
    EXPECT_EQ(Tick(510, 510), WanderFrozen);
    EXPECT_EQ(mascot.posX, 500);
    EXPECT_EQ(mascot.idleTicks, 1);
    EXPECT_EQ(mascot.cursorPos.x, 510);
    mascot.running = false;
    EXPECT_EQ(Tick(), WanderPaused);
    EXPECT_EQ(mascot.posX, 500);
    EXPECT_EQ(mascot.idleTicks, 2);
    mascot.running = true;
    EXPECT_EQ(Tick(), WanderMoved);
    EXPECT_EQ(mascot.posX, 504);
}

TEST_F(WanderTest, FrozenMascotResumesFromTheFallThatAChoiceSwitchedTo)
{
    mascot.posX = 60;  // the next target (41, 67) is then no flight away
    mascot.state = WalkRight;
    mascot.stepCount = 0;
    mascot.targetX = 3000;
    mascot.targetY = 900;  // more than 50 below
    mascot.idleTicks = 200;
    EXPECT_EQ(Tick(80, 520), WanderFrozen);
    EXPECT_EQ(mascot.state, FallRight);
    EXPECT_EQ(mascot.posY, 500);
    EXPECT_EQ(Tick(80, 520), WanderFrozen);
    EXPECT_EQ(mascot.stepCount, 0);
    // Once the cursor leaves, the fall runs on from where it stood.
    EXPECT_EQ(Tick(), WanderMoved);
    EXPECT_EQ(mascot.state, FallLeft);
    EXPECT_EQ(mascot.stepCount, 1);
    EXPECT_EQ(mascot.posY, 500);
}

TEST_F(WanderTest, FirstChoiceAfterStartComesOnThe201stTick)
{
    ResetMascotState();
    mascot.posX = 500;
    mascot.posY = 500;
    for (int tick = 1; tick <= 200; ++tick) {
        // Alternate between a cursor resting on the mascot and one far away.
        const bool hover = tick % 3 == 0;
        Tick(hover ? mascot.posX + 1 : FarAway, hover ? mascot.posY + 1 : FarAway);
        ASSERT_EQ(mascot.idleTicks, tick);
        ASSERT_EQ(mascot.targetX, 0);
    }
    Tick();
    EXPECT_EQ(mascot.idleTicks, 0);
}

TEST_F(WanderTest, IdleCountDoesNotOverflow)
{
    mascot.running = false;
    mascot.idleTicks = INT32_MAX;
    mascot.targetX = 3000;
    Tick();
    EXPECT_EQ(mascot.idleTicks, 0);
}

}  // namespace
