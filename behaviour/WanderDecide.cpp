#include "behaviour/WanderDecide.h"

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "behaviour/BehaviourStep.h"
#include "behaviour/RandomGenerator.h"
#include "settings/SettingsRecord.h"

namespace {
int64_t Wide(int32_t v) { return static_cast<int64_t>(v); }
}

int32_t EffectiveRange(int32_t range, int32_t screenSize)
{
    if (range != 0) return range;
    return screenSize > 0 ? screenSize : 1;
}

bool TargetChoiceDue()
{
    if (mascot.idleTicks > 200) return true;
    const int64_t posX = mascot.posX, posY = mascot.posY;
    return Wide(mascot.targetX) - 70 <= posX && posX <= Wide(mascot.targetX) + 70 &&
           Wide(mascot.targetY) - 70 <= posY && posY <= Wide(mascot.targetY) + 70;
}

void ChooseTarget(int32_t screenWidth, int32_t screenHeight)
{
    if (Wide(mascot.targetY) > Wide(mascot.posY) + 50)
        mascot.state = FallRight;
    mascot.idleTicks = 0;
    // The draw is never negative, so the remainder takes the range's
    // absolute value without negating it (INT_MIN cannot be negated).
    mascot.targetX = NextRandom() % EffectiveRange(RangeX(), screenWidth);
    mascot.targetY = NextRandom() % EffectiveRange(RangeY(), screenHeight);
}

bool CursorFreezesMascot()
{
    const int64_t x = mascot.cursorPos.x, y = mascot.cursorPos.y;
    const int64_t posX = mascot.posX, posY = mascot.posY;
    return posX - 5 < x && x <= posX + 60 && posY - 5 < y && y <= posY + 60 && posX >= 0;
}

WanderOutcome WanderDecide(int32_t cursorX, int32_t cursorY, int32_t screenWidth, int32_t screenHeight)
{
    mascot.cursorPos = MascotPoint{cursorX, cursorY};
    if (mascot.idleTicks < INT32_MAX) mascot.idleTicks += 1;
    if (TargetChoiceDue()) ChooseTarget(screenWidth, screenHeight);
    if (!mascot.running) return WanderPaused;
    if (CursorFreezesMascot()) return WanderFrozen;
    BehaviourStep();
    return WanderMoved;
}
