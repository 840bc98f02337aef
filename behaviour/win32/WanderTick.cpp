#include "behaviour/win32/WanderTick.h"

#include "app/MascotState.h"
#include "behaviour/WanderDecide.h"
#include "desk/MascotScale.h"
#include "desk/win32/DeskState.h"
#include "desk/win32/MascotSize.h"
#include "drag/win32/MascotDrag.h"

void WanderTick(HWND hwnd)
{
    // Held by the user, the mascot neither wanders nor animates.
    if (DragHoldsMascot()) CheckHeldPress(hwnd);
    if (DragHoldsMascot()) return;
    // A Size chosen meanwhile, here or by another copy's save.
    FollowScale(hwnd);
    const int32_t scale = deskState.scale;
    // A failed read leaves the last known cursor position in place. The
    // core counts in the mascot's units, `scale` screen pixels each.
    POINT cursor = {UnitsToPixels(mascot.cursorPos.x, scale), UnitsToPixels(mascot.cursorPos.y, scale)};
    GetCursorPos(&cursor);
    const WanderOutcome outcome =
        WanderDecide(FloorDiv(cursor.x, scale), FloorDiv(cursor.y, scale), GetSystemMetrics(SM_CXSCREEN) / scale,
                     GetSystemMetrics(SM_CYSCREEN) / scale, DeskInUnits());
    if (outcome != WanderMoved) return;
    // "SWP_NOACTIVATE: Does not activate the window. If this flag is not
    // set, the window is activated": a wandering mascot must never take the
    // keyboard from what the user types into. A click still activates it.
    PlaceMascotWindow(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}
