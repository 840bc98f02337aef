// Wander ranges of every awkward size, and positions and targets at the
// 32-bit limits, through whole wander ticks. Built with the undefined-
// behaviour sanitizer, so an overflow anywhere on the way ends the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "settings/SettingsRecord.h"
#include "tests/core/support/WanderStart.h"

namespace {

// The largest target that a range allows: its absolute value less one,
// never above 32767, the generator's largest draw.
int64_t HighestTarget(int32_t range)
{
    const int64_t magnitude = range < 0 ? -static_cast<int64_t>(range) : range;
    return std::min<int64_t>(magnitude, 32768) - 1;
}

struct Seen {
    int choices;
    int outside;
    int64_t highestX;
    int64_t highestY;
    int64_t farthestPosition;  // largest distance of the position from the origin on either axis
    int statesOutside;
};

Seen Wander(int ticks)
{
    Seen seen = {0, 0, -1, -1, 0, 0};
    for (int tick = 0; tick < ticks; ++tick) {
        WanderDecide(FarAway, FarAway, ScreenW, ScreenH);
        if (mascot.state < WalkRight || mascot.state > FlyRestLeft) ++seen.statesOutside;
        seen.farthestPosition = std::max<int64_t>(
            {seen.farthestPosition, std::abs(static_cast<int64_t>(mascot.posX)), std::abs(static_cast<int64_t>(mascot.posY))});
        if (mascot.idleTicks != 0) continue;  // no choice on this tick
        ++seen.choices;
        seen.highestX = std::max<int64_t>(seen.highestX, mascot.targetX);
        seen.highestY = std::max<int64_t>(seen.highestY, mascot.targetY);
        if (mascot.targetX < 0 || mascot.targetX > HighestTarget(RangeX()) || mascot.targetY < 0 ||
            mascot.targetY > HighestTarget(RangeY()))
            ++seen.outside;
    }
    return seen;
}

TEST(WanderRanges, EveryTargetLiesInItsRangeAndTheRangeIsUsedToTheTop)
{
    const int32_t ranges[] = {1,     -1,     2,      -2,     500,     -500,    32767,   32768,
                              32769, -32767, -32768, -32769, INT32_MAX, INT32_MIN, INT32_MIN + 1};
    for (int32_t range : ranges) {
        SCOPED_TRACE(testing::Message() << "range " << range);
        StartWandering(range, range, 1);
        const Seen seen = Wander(200000);
        EXPECT_GT(seen.choices, 900);
        EXPECT_EQ(seen.outside, 0);
        // Targets spread up to the top of the range, not only below it.
        EXPECT_GE(seen.highestX, HighestTarget(range) * 99 / 100);
        EXPECT_GE(seen.highestY, HighestTarget(range) * 99 / 100);
        EXPECT_EQ(seen.statesOutside, 0);
        // Positions follow targets of at most 32767; nothing wraps round.
        EXPECT_LT(seen.farthestPosition, 40000);
    }
}

std::vector<MascotPoint> TargetsChosen(int32_t rangeX, int32_t rangeY, int choices)
{
    StartWandering(rangeX, rangeY, 2024);
    std::vector<MascotPoint> targets;
    for (int i = 0; i < choices; ++i) {
        ChooseTarget(ScreenW, ScreenH);
        targets.push_back(MascotPoint{mascot.targetX, mascot.targetY});
    }
    return targets;
}

bool SameTargets(const std::vector<MascotPoint>& a, const std::vector<MascotPoint>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
    return true;
}

TEST(WanderRanges, NegativeRangeChoosesExactlyAsItsAbsoluteValue)
{
    const int32_t pairs[][2] = {{-1, 1}, {-500, 500}, {-32768, 32768}, {INT32_MIN + 1, INT32_MAX}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(testing::Message() << pair[0] << " and " << pair[1]);
        EXPECT_TRUE(SameTargets(TargetsChosen(pair[0], pair[0], 5000), TargetsChosen(pair[1], pair[1], 5000)));
    }
    // INT32_MIN has no positive counterpart; like every range past 32768 it
    // leaves the draw as it is.
    EXPECT_TRUE(SameTargets(TargetsChosen(INT32_MIN, INT32_MIN, 5000), TargetsChosen(INT32_MAX, 40000, 5000)));
    EXPECT_TRUE(SameTargets(TargetsChosen(INT32_MIN, -1, 100), TargetsChosen(32768, 1, 100)));
}

TEST(WanderRanges, PositionsAndTargetsAtTheLimitsNeverOverflow)
{
    const int32_t edges[] = {INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX};
    const int32_t ranges[] = {1, INT32_MIN, INT32_MAX};
    for (int32_t state = WalkRight; state <= FlyRestLeft; ++state) {
        for (int32_t x : edges) {
            for (int32_t y : edges) {
                for (int32_t range : ranges) {
                    SCOPED_TRACE(testing::Message() << "state " << state << " at " << x << "," << y << " range " << range);
                    StartWandering(range, range, static_cast<uint32_t>(x ^ y));
                    mascot.state = state;
                    mascot.stepCount = 11;
                    mascot.posX = x;
                    mascot.posY = y;
                    mascot.targetX = y;  // as far from the position as can be
                    mascot.targetY = x;
                    mascot.idleTicks = INT32_MAX;
                    for (int tick = 0; tick < 300; ++tick) {
                        // The cursor at the limits too, on and off the mascot.
                        const int32_t cursor = tick % 3 == 0 ? x : tick % 3 == 1 ? INT32_MAX : INT32_MIN;
                        WanderDecide(cursor, cursor, ScreenW, ScreenH);
                        ASSERT_GE(mascot.state, WalkRight);
                        ASSERT_LE(mascot.state, FlyRestLeft);
                        ASSERT_GE(mascot.idleTicks, 0);
                        ASSERT_LE(mascot.idleTicks, 200);
                    }
                }
            }
        }
    }
}

}  // namespace
