#include "drag/DragState.h"

#include "desk/MascotScale.h"

DragState drag = {};

void PressMascot(int32_t x, int32_t y, int32_t left, int32_t top)
{
    drag.pressed = true;
    drag.dragging = false;
    drag.putBack = false;
    drag.pressAt = MascotPoint{x, y};
    drag.grab = MascotPoint{Clamp32(int64_t(x) - left), Clamp32(int64_t(y) - top)};
    drag.pickedUpAt = MascotPoint{mascot.posX, mascot.posY};
}

bool PastDragDistance(int64_t dx, int64_t dy, int32_t width, int32_t height)
{
    return dx > width || -dx > width || dy > height || -dy > height;
}

bool FollowCursor(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale)
{
    if (!drag.pressed || drag.putBack) return false;
    if (!drag.dragging) {
        if (!PastDragDistance(int64_t(x) - drag.pressAt.x, int64_t(y) - drag.pressAt.y, width, height)) return false;
        drag.dragging = true;
    }
    const int32_t posX = FloorDiv(int64_t(x) - drag.grab.x, scale), posY = FloorDiv(int64_t(y) - drag.grab.y, scale);
    const bool moved = posX != mascot.posX || posY != mascot.posY;
    mascot.posX = posX;
    mascot.posY = posY;
    return moved;
}

ReleaseOutcome ReleaseMascot()
{
    if (!drag.pressed) return ReleaseNothing;
    const ReleaseOutcome outcome = drag.putBack ? ReleaseNothing : drag.dragging ? ReleaseDrop : ReleaseClick;
    drag = DragState{};
    return outcome;
}

bool PutBackMascot()
{
    if (!drag.pressed) return false;
    mascot.posX = drag.pickedUpAt.x;
    mascot.posY = drag.pickedUpAt.y;
    drag.dragging = false;
    drag.putBack = true;
    return true;
}

bool EndPress()
{
    if (!drag.pressed) return false;
    if (!drag.putBack) PutBackMascot();
    drag = DragState{};
    return true;
}

void RescaleGrab(int32_t from, int32_t to)
{
    if (from <= 0 || from == to) return;
    drag.grab.x = FloorDiv(int64_t(drag.grab.x) * to, from);
    drag.grab.y = FloorDiv(int64_t(drag.grab.y) * to, from);
}
