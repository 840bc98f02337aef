#include "drag/win32/MascotDrag.h"

#include "app/MascotState.h"
#include "desk/KeepOnDesk.h"
#include "desk/win32/DeskState.h"
#include "desk/win32/MascotSize.h"
#include "drag/DragState.h"

namespace {

// "If the most significant bit is set, the key is down, and if the least
// significant bit is set, the key was pressed after the previous call":
// the second catches a tap between two looks, where the system keeps it.
bool EscapePressed() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0; }

}  // namespace

LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // "MA_NOACTIVATE: Does not activate the window, and does not discard
    // the mouse message": the press still arrives.
    if (HIWORD(lParam) == WM_LBUTTONDOWN) return MA_NOACTIVATE;
    return DefWindowProcA(hwnd, WM_MOUSEACTIVATE, wParam, lParam);
}

void OnLeftButtonDown(HWND hwnd)
{
    POINT cursor = {};
    RECT window = {};
    if (!GetCursorPos(&cursor) || !GetWindowRect(hwnd, &window)) return;
    PressMascot(cursor.x, cursor.y, window.left, window.top);
    // Forget an Esc pressed before the press.
    EscapePressed();
    SetCapture(hwnd);
}

void OnMouseMove(HWND hwnd)
{
    if (!drag.pressed) return;
    CheckDragEscape(hwnd);
    POINT cursor = {};
    if (!GetCursorPos(&cursor)) return;
    // "SM_CXDRAG: The number of pixels on either side of a mouse-down
    // point that the mouse pointer can move before a drag operation begins."
    if (FollowCursor(cursor.x, cursor.y, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG),
                     deskState.scale))
        PlaceMascotWindow(hwnd);
}

void OnLeftButtonUp(HWND hwnd)
{
    const ReleaseOutcome outcome = ReleaseMascot();
    // The press is over before the capture goes, so that losing it is no put-back.
    if (GetCapture() == hwnd) ReleaseCapture();
    if (outcome == ReleaseClick) {
        AdvanceSkin();
        InvalidateRect(hwnd, nullptr, FALSE);
        // A click gives the mascot the keyboard, as it always did (Alt+F4 then closes it).
        SetForegroundWindow(hwnd);
    } else if (outcome == ReleaseDrop) {
        // Put down partly or wholly where no monitor is: whole on the nearest one.
        const DeskLayout* desk = DeskInUnits();
        if (desk != nullptr && PutMascotOnDesk(*desk)) PlaceMascotWindow(hwnd);
    }
}

void OnCaptureChanged(HWND hwnd)
{
    // The mouse went elsewhere before the release: back where picked up.
    if (EndPress()) PlaceMascotWindow(hwnd);
}

void CheckDragEscape(HWND hwnd)
{
    if (drag.pressed && !drag.putBack && EscapePressed() && PutBackMascot()) PlaceMascotWindow(hwnd);
}

void CheckHeldPress(HWND hwnd)
{
    CheckDragEscape(hwnd);
    if (!drag.pressed) return;
    // GetAsyncKeyState "checks on the state of the physical mouse buttons":
    // the logical left one is the physical right one when they are swapped.
    const int left = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (GetCapture() != hwnd || (GetAsyncKeyState(left) & 0x8000) == 0) CancelDrag(hwnd);
}

void CancelDrag(HWND hwnd)
{
    if (!EndPress()) return;
    PlaceMascotWindow(hwnd);
    if (GetCapture() == hwnd) ReleaseCapture();
}

bool DragHoldsMascot() { return drag.pressed; }
