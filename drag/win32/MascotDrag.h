// The mascot picked up with the left button: a click shows the next skin
// when the button comes up; a drag carries the mascot, which goes on from
// where it is put down. Neither takes the keyboard from anyone but for a
// click, as a click always did.
#pragma once
#include <windows.h>

// WM_MOUSEACTIVATE: the press activates nothing; a click does on release.
LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);

void OnLeftButtonDown(HWND hwnd);
void OnMouseMove(HWND hwnd);
void OnLeftButtonUp(HWND hwnd);

// WM_CAPTURECHANGED: the mouse went to another window before the
// release; the mascot goes back where it was picked up.
void OnCaptureChanged(HWND hwnd);

// While the button is held: Esc puts the mascot back, where it waits for
// the release. Looked at on each move and each tick, since the keyboard
// stays with another program.
void CheckDragEscape(HWND hwnd);

// On each tick while held: Esc as above, and a press whose release never
// came (the button is up, or the mouse is no longer this window's) ends,
// so that nothing holds the mascot forever.
void CheckHeldPress(HWND hwnd);

// Ends a held press, the mascot put back (it is hidden meanwhile).
void CancelDrag(HWND hwnd);

// While the button is held the mascot neither wanders nor animates.
bool DragHoldsMascot();
