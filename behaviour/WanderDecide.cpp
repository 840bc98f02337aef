#include "behaviour/WanderDecide.h"

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "behaviour/BehaviourStep.h"
#include "behaviour/RandomGenerator.h"
#include "desk/KeepOnDesk.h"
#include "desk/MascotScale.h"
#include "settings/SettingsRecord.h"

namespace {

int64_t Wide(int32_t v) { return static_cast<int64_t>(v); }

// How many places a window's left (or top) edge has within a span of the
// desk so that the whole window lies inside it; at least one.
int32_t PlacesWithin(int32_t low, int32_t high)
{
    const int64_t places = Wide(high) - low - MascotSide + 1;
    return places < 1 ? 1 : places > INT32_MAX ? INT32_MAX : static_cast<int32_t>(places);
}

}  // namespace

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

void ChooseTarget(int32_t screenWidth, int32_t screenHeight, const DeskLayout* desk)
{
    if (Wide(mascot.targetY) > Wide(mascot.posY) + 50)
        mascot.state = FallRight;
    mascot.idleTicks = 0;
    if (desk != nullptr && desk->count > 0 && AllMonitorsChosen()) {
        // The same two draws, over the box that holds every work area.
        const ScreenRect box = WorkAreaBounds(*desk);
        mascot.targetX = static_cast<int32_t>(box.left + NextRandom() % PlacesWithin(box.left, box.right));
        mascot.targetY = static_cast<int32_t>(box.top + NextRandom() % PlacesWithin(box.top, box.bottom));
    } else {
        // The draw is never negative, so the remainder takes the range's
        // absolute value without negating it (INT_MIN cannot be negated).
        mascot.targetX = NextRandom() % EffectiveRange(RangeX(), screenWidth);
        mascot.targetY = NextRandom() % EffectiveRange(RangeY(), screenHeight);
    }
    if (desk != nullptr) PlaceTargetOnDesk(*desk);
}

bool CursorFreezesMascot(const DeskLayout* desk)
{
    const int64_t x = mascot.cursorPos.x, y = mascot.cursorPos.y;
    const int64_t posX = mascot.posX, posY = mascot.posY;
    // Left of the desk's left edge the mascot is never frozen; on the
    // primary monitor alone that edge is 0, and a monitor further left
    // moves it, so that the mascot can be stopped there too.
    const int64_t left = desk != nullptr ? DeskLeft(*desk) : 0;
    return posX - 5 < x && x <= posX + 60 && posY - 5 < y && y <= posY + 60 && posX >= left;
}

WanderOutcome WanderDecide(int32_t cursorX, int32_t cursorY, int32_t screenWidth, int32_t screenHeight,
                           const DeskLayout* desk)
{
    mascot.cursorPos = MascotPoint{cursorX, cursorY};
    if (mascot.idleTicks < INT32_MAX) mascot.idleTicks += 1;
    if (TargetChoiceDue()) ChooseTarget(screenWidth, screenHeight, desk);
    if (!mascot.running) return WanderPaused;
    if (CursorFreezesMascot(desk)) return WanderFrozen;
    BehaviourStep();
    if (desk != nullptr) KeepRestingMascotOnDesk(*desk);
    return WanderMoved;
}
