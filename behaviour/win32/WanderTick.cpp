#include "behaviour/win32/WanderTick.h"

#include "app/MascotState.h"
#include "behaviour/WanderDecide.h"

void WanderTick(HWND hwnd)
{
    // A failed read leaves the last known cursor position in place.
    POINT cursor = {mascot.cursorPos.x, mascot.cursorPos.y};
    GetCursorPos(&cursor);
    const WanderOutcome outcome = WanderDecide(cursor.x, cursor.y, GetSystemMetrics(SM_CXSCREEN),
                                               GetSystemMetrics(SM_CYSCREEN));
    if (outcome != WanderMoved) return;
    // "SWP_NOACTIVATE: Does not activate the window. If this flag is not
    // set, the window is activated": a wandering mascot must never take the
    // keyboard from what the user types into. A click still activates it.
    SetWindowPos(hwnd, HWND_TOPMOST, mascot.posX, mascot.posY, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
}
