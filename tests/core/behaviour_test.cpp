// The behaviour state machine: whole behaviours and the boundaries of its rules.
#include <gtest/gtest.h>

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "behaviour/BehaviourStep.h"

namespace {

void Place(int32_t state, int32_t stepCount, int32_t posX, int32_t posY, int32_t targetX, int32_t targetY)
{
    ResetMascotState();
    mascot.state = state;
    mascot.stepCount = stepCount;
    mascot.posX = posX;
    mascot.posY = posY;
    mascot.targetX = targetX;
    mascot.targetY = targetY;
}

struct Expected {
    int32_t state;
    int32_t stepCount;
    int32_t dx;
    int32_t dy;
};

void ExpectOneStep(const Expected& e)
{
    const int32_t x0 = mascot.posX, y0 = mascot.posY;
    BehaviourStep();
    EXPECT_EQ(mascot.state, e.state);
    EXPECT_EQ(mascot.stepCount, e.stepCount);
    EXPECT_EQ(mascot.posX - x0, e.dx);
    EXPECT_EQ(mascot.posY - y0, e.dy);
}

bool Standing() { return mascot.state == StandRight || mascot.state == StandLeft; }

// ---- whole behaviours ----

TEST(WholeBehaviour, WalkOf233CallsEndsStandingAt932)
{
    Place(WalkRight, 0, 0, 300, 1000, 300);
    for (int call = 1; call <= 233; ++call) {
        BehaviourStep();
        ASSERT_EQ(mascot.state, WalkRight) << "call " << call;
    }
    EXPECT_EQ(mascot.posX, 932);
    BehaviourStep();
    EXPECT_EQ(mascot.state, StandRight);
    EXPECT_EQ(mascot.posX, 932);
    EXPECT_EQ(mascot.stepCount, 0);
}

TEST(WholeBehaviour, RiseFallAndLandTake47CallsAndEnd89PixelsHigher)
{
    Place(StandRight, 0, 500, 500, 500, 400);
    int calls = 0;
    int32_t highest = 500;
    do {
        BehaviourStep();
        ++calls;
        highest = std::min(highest, mascot.posY);
        ASSERT_LE(calls, 100);
    } while (!Standing());
    EXPECT_EQ(calls, 47);
    EXPECT_EQ(mascot.posY, 411);
    EXPECT_EQ(highest, 320);  // 30 rise steps: 180 pixels up
    EXPECT_EQ(mascot.stepCount, 0);
    // Now within 70 pixels of the target: it stays standing.
    BehaviourStep();
    EXPECT_EQ(mascot.posY, 411);
    EXPECT_TRUE(Standing());
}

TEST(WholeBehaviour, FallFromStandingTakes18CallsAnd91Pixels)
{
    Place(StandRight, 0, 500, 500, 500, 600);
    int calls = 0;
    do {
        BehaviourStep();
        ++calls;
        ASSERT_LE(calls, 100);
    } while (!Standing());
    EXPECT_EQ(calls, 18);
    EXPECT_EQ(mascot.posY, 591);
}

TEST(WholeBehaviour, FlightCycleTakes21CallsAndMoves66Across32Up)
{
    Place(StandRight, 0, 500, 5000, 20000, 0);
    BehaviourStep();  // starts the flight: first rise step
    ASSERT_EQ(mascot.state, FlyRiseRight);
    ASSERT_EQ(mascot.stepCount, 1);
    // Undo that first step's count to measure from a cycle's start.
    Place(FlyRiseRight, 0, 500, 5000, 20000, 0);
    for (int call = 1; call <= 21; ++call) BehaviourStep();
    EXPECT_EQ(mascot.state, FlyRiseRight);
    EXPECT_EQ(mascot.stepCount, 0);
    EXPECT_EQ(mascot.posX, 566);
    EXPECT_EQ(mascot.posY, 4968);
}

TEST(WholeBehaviour, LeftFlightCycleIsTheMirrorImage)
{
    Place(FlyRiseLeft, 0, 5000, 5000, 0, 0);
    for (int call = 1; call <= 21; ++call) BehaviourStep();
    EXPECT_EQ(mascot.state, FlyRiseLeft);
    EXPECT_EQ(mascot.stepCount, 0);
    EXPECT_EQ(mascot.posX, 4934);
    EXPECT_EQ(mascot.posY, 4968);
}

TEST(WholeBehaviour, RestLasts12CallsAndEndsFacingTheTarget)
{
    Place(FlyDipRight, 4, 500, 500, 500, 0);  // target straight above: rule g
    for (int call = 1; call <= 11; ++call) {
        BehaviourStep();
        ASSERT_EQ(mascot.state, FlyRestRight) << "call " << call;
    }
    BehaviourStep();
    EXPECT_EQ(mascot.state, StandRight);
    EXPECT_EQ(mascot.posX, 500);
    EXPECT_EQ(mascot.posY, 500);

    Place(FlyDipLeft, 4, 500, 500, 499, 0);
    for (int call = 1; call <= 12; ++call) BehaviourStep();
    EXPECT_EQ(mascot.state, StandLeft);
}

// ---- horizontal boundaries ----

TEST(HorizontalRules, SeventyPixelsAwayStandsSeventyOneWalks)
{
    Place(StandRight, 0, 570, 500, 500, 500);
    ExpectOneStep({StandLeft, 0, 0, 0});
    Place(StandRight, 0, 571, 500, 500, 500);
    ExpectOneStep({WalkLeft, 0, -4, 0});
    Place(WalkRight, 0, 430, 500, 500, 500);
    ExpectOneStep({StandRight, 0, 0, 0});
    Place(StandRight, 0, 429, 500, 500, 500);
    ExpectOneStep({WalkRight, 0, 4, 0});
}

TEST(VerticalRules, SeventyPixelsAwayStandsSeventyOneRisesOrFalls)
{
    Place(StandRight, 0, 500, 570, 500, 500);
    ExpectOneStep({StandRight, 0, 0, 0});
    Place(StandRight, 0, 500, 571, 500, 500);
    ExpectOneStep({RiseRight, 1, 0, -8});
    Place(StandRight, 0, 500, 430, 500, 500);
    ExpectOneStep({StandRight, 0, 0, 0});
    Place(StandRight, 0, 500, 429, 500, 500);
    ExpectOneStep({FallRight, 1, 0, 0});
}

TEST(HorizontalRules, WalkLeftKeepsItsStateAtTheEndOfACall)
{
    Place(WalkLeft, 0, 500, 500, 300, 500);
    ExpectOneStep({WalkLeft, 0, -4, 0});
}

TEST(HorizontalRules, RisingMascotDoesNotStartWalkingButTurns)
{
    Place(RiseRight, 0, 500, 500, 400, 500);
    ExpectOneStep({RiseLeft, 1, 0, -8});
}

TEST(HorizontalRules, WalkTowardTargetStraightAboveStandsAndRisesInOneCall)
{
    Place(WalkRight, 0, 500, 500, 510, 400);
    ExpectOneStep({RiseRight, 1, 0, -8});
}

// ---- facing ----

TEST(Facing, StandLeftFollowsTheTargetSide)
{
    Place(StandLeft, 0, 500, 500, 450, 500);
    ExpectOneStep({StandLeft, 0, 0, 0});
    Place(StandLeft, 0, 500, 500, 550, 500);
    ExpectOneStep({StandRight, 0, 0, 0});
    Place(StandLeft, 0, 500, 500, 500, 500);  // straight above or level counts as right
    ExpectOneStep({StandRight, 0, 0, 0});
}

// ---- flight boundaries ----

TEST(FlightRules, OneHundredTwentyPixelsStartNoFlight)
{
    Place(StandRight, 0, 500, 500, 620, 379);  // 120 across, 121 up
    ExpectOneStep({WalkRight, 0, 4, 0});
    Place(StandRight, 0, 500, 500, 621, 380);  // 121 across, 120 up
    ExpectOneStep({WalkRight, 0, 4, 0});
    Place(StandRight, 0, 500, 500, 621, 379);
    ExpectOneStep({FlyRiseRight, 1, 3, -5});
    Place(StandRight, 0, 500, 500, 380, 379);  // 120 left, 121 up
    ExpectOneStep({WalkLeft, 0, -4, 0});
    Place(StandRight, 0, 500, 500, 379, 380);  // 121 left, 120 up
    ExpectOneStep({WalkLeft, 0, -4, 0});
    Place(StandRight, 0, 500, 500, 379, 379);
    ExpectOneStep({FlyRiseLeft, 1, -3, -5});
}

TEST(FlightRules, DipWithFlightStillWantedReturnsToRise)
{
    Place(FlyDipRight, 9, 500, 500, 2000, 0);
    ExpectOneStep({FlyRiseRight, 0, 3, -1});
}

TEST(FlightRules, DipWithoutFlightRestsOrTurnsLeft)
{
    Place(FlyDipRight, 4, 500, 500, 500, 0);
    ExpectOneStep({FlyRestRight, 1, 0, 0});
    Place(FlyDipRight, 4, 500, 500, 0, 0);
    ExpectOneStep({FlyRiseLeft, 1, -3, -5});
}

TEST(FlightRules, FlightRuleCarriesTheStepCount)
{
    Place(FlyDipLeft, 4, 500, 500, 2000, 0);
    ExpectOneStep({FlyRiseRight, 5, 3, -4});
    Place(FlyRestRight, 5, 500, 500, 2000, 0);
    ExpectOneStep({FlyRiseRight, 6, 3, -4});
}

TEST(FlightRules, CarriedCountPastTheLimitChainsIntoTheDip)
{
    Place(RiseRight, 20, 500, 500, 2000, 0);
    // Rise from s = 20 (+3, +1), then the dip's first step (+3, +3).
    ExpectOneStep({FlyDipRight, 1, 6, 4});
}

// ---- timed states and chained hand-overs ----

TEST(TimedStates, LastRiseStepChainsIntoTheFirstFallStep)
{
    Place(RiseRight, 29, 500, 500, 500, 500);
    ExpectOneStep({FallRight, 1, 0, -4});
    Place(RiseRight, 29, 500, 500, 400, 500);
    ExpectOneStep({FallLeft, 1, 0, -4});
}

TEST(TimedStates, LastFallStepChainsIntoLanding)
{
    Place(FallRight, 13, 500, 500, 500, 500);
    ExpectOneStep({LandRight, 1, 0, 13});
    Place(FallLeft, 13, 500, 500, 400, 500);
    ExpectOneStep({LandLeft, 1, 0, 13});
}

TEST(TimedStates, CarriedFallCountLandsInTheSameCall)
{
    Place(FallRight, 20, 500, 500, 500, 500);
    ExpectOneStep({LandRight, 1, 0, 20});
}

TEST(TimedStates, LandingEndsStandingTowardTheTarget)
{
    Place(LandLeft, 4, 500, 500, 400, 500);
    ExpectOneStep({StandLeft, 0, 0, 0});
    Place(LandLeft, 4, 500, 500, 600, 500);
    ExpectOneStep({StandRight, 0, 0, 0});
}

TEST(TimedStates, RestEndsStandingWithCountZero)
{
    Place(FlyRestLeft, 11, 500, 500, 500, 500);
    ExpectOneStep({StandRight, 0, 0, 0});
}

TEST(TimedStates, MotionTableRowsStepByStep)
{
    // Each row's per-step change of posY for s = 0, 1, 2, ...
    Place(RiseRight, 0, 0, 10000, 0, 10000);
    const int rise[] = {-8, -8, -8, -8, -8, -8, -7, -7, -7, -7, -7, -7, -6, -6, -6,
                        -6, -6, -6, -5, -5, -5, -5, -5, -5, -4, -4, -4, -4, -4, -4};
    for (int s = 0; s < 30; ++s) {
        mascot.state = RiseRight;
        mascot.stepCount = s;
        const int32_t y0 = mascot.posY;
        BehaviourStep();
        EXPECT_EQ(mascot.posY - y0, rise[s]) << "s " << s;
    }
    const int dip[] = {3, 3, 2, 2, 1, 1, 0, 0, -1, -1};
    for (int s = 0; s < 10; ++s) {
        Place(FlyDipLeft, s, 5000, 5000, 0, 0);
        ExpectOneStep({s == 9 ? FlyRiseLeft : FlyDipLeft, s == 9 ? 0 : s + 1, -3, dip[s]});
    }
}

TEST(Robustness, ExtremeTargetsDoNotOverflowComparisons)
{
    Place(StandRight, 0, 0, 0, INT32_MAX, 0);
    BehaviourStep();  // built with the undefined-behaviour sanitizer
    EXPECT_EQ(mascot.state, WalkRight);
    Place(StandRight, 0, 0, 0, INT32_MAX, INT32_MIN);
    BehaviourStep();
    EXPECT_EQ(mascot.state, FlyRiseRight);
    Place(StandRight, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    BehaviourStep();
    EXPECT_EQ(mascot.state, FlyRiseLeft);
}

}  // namespace
