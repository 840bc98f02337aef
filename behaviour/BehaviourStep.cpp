#include "behaviour/BehaviourStep.h"

#include <cstdint>

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"

namespace {

// Comparisons are made in 64 bits so that a target or position near the
// 32-bit limits cannot overflow; for every reachable value the result is
// the same as the plain 32-bit comparison.
int64_t Wide(int32_t v) { return static_cast<int64_t>(v); }

// Positions move with wrap-around rather than undefined overflow.
int32_t Moved(int32_t value, int32_t delta)
{
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

bool UpRightFlight()
{
    return Wide(mascot.targetX) > Wide(mascot.posX) + 120 &&
           Wide(mascot.posY) > Wide(mascot.targetY) + 120;
}

bool UpLeftFlight()
{
    return Wide(mascot.targetX) < Wide(mascot.posX) - 120 &&
           Wide(mascot.posY) > Wide(mascot.targetY) + 120;
}

void ApplyRules()
{
    const int64_t posX = mascot.posX, posY = mascot.posY;
    const int64_t targetX = mascot.targetX, targetY = mascot.targetY;
    int32_t& state = mascot.state;

    if (posX > targetX + 70 && (state == WalkRight || state == StandRight))
        state = WalkLeft;
    if (posX < targetX - 70 && (state == WalkLeft || state == StandRight))
        state = WalkRight;
    if (targetX - 70 <= posX && posX <= targetX + 70 && (state == WalkRight || state == WalkLeft))
        state = StandRight;

    if (posY > targetY + 70 && state == StandRight)
        state = RiseRight;
    if (posY < targetY - 70 && state == StandRight)
        state = FallRight;

    const bool upRight = UpRightFlight();
    const bool upLeft = UpLeftFlight();
    if (upRight && state != FlyRiseRight && state != FlyDipRight)
        state = FlyRiseRight;
    if (state == FlyDipRight && !upRight) {
        state = FlyRestRight;
        mascot.stepCount = 0;
    }
    if (upLeft && state != FlyRiseLeft && state != FlyDipLeft)
        state = FlyRiseLeft;
    if (state == FlyDipLeft && !upLeft) {
        state = FlyRestLeft;
        mascot.stepCount = 0;
    }
}

// Counts one step of a timed state; true when its limit is reached, in which
// case the count starts again for the successor.
bool StepReachesLimit(int32_t limit)
{
    mascot.stepCount += 1;
    if (mascot.stepCount >= limit) {
        mascot.stepCount = 0;
        return true;
    }
    return false;
}

void Move(int32_t dx, int32_t dy)
{
    mascot.posX = Moved(mascot.posX, dx);
    mascot.posY = Moved(mascot.posY, dy);
}

// One step of the current state. A chained hand-over performs the
// successor's first step in the same call.
void MotionStep()
{
    for (;;) {
        const int32_t s = mascot.stepCount;
        switch (mascot.state) {
        case WalkRight: Move(4, 0); return;
        case WalkLeft: Move(-4, 0); return;
        case RiseRight:
            Move(0, s / 6 - 8);
            if (!StepReachesLimit(30)) return;
            mascot.state = FallRight;
            continue;
        case FallRight:
            Move(0, s);
            if (!StepReachesLimit(14)) return;
            mascot.state = LandRight;
            continue;
        case LandRight:
            if (StepReachesLimit(5)) mascot.state = StandRight;
            return;
        case FlyRiseRight:
        case FlyRiseLeft:
            Move(mascot.state == FlyRiseRight ? 3 : -3, s / 3 - 5);
            if (!StepReachesLimit(12)) return;
            mascot.state = mascot.state == FlyRiseRight ? FlyDipRight : FlyDipLeft;
            continue;
        case FlyDipRight:
        case FlyDipLeft:
            Move(mascot.state == FlyDipRight ? 3 : -3, 3 - s / 2);
            if (StepReachesLimit(10))
                mascot.state = mascot.state == FlyDipRight ? FlyRiseRight : FlyRiseLeft;
            return;
        case FlyRestRight:
        case FlyRestLeft:
            if (StepReachesLimit(12)) mascot.state = StandRight;
            return;
        default: return;  // standing, or a number the machine never sets
        }
    }
}

}  // namespace

void BehaviourStep()
{
    if (mascot.state >= StandLeft && mascot.state <= LandLeft)
        mascot.state -= 4;

    ApplyRules();
    MotionStep();

    if (mascot.state >= StandRight && mascot.state <= LandRight && mascot.targetX < mascot.posX)
        mascot.state += 4;
}
