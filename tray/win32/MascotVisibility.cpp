#include "tray/win32/MascotVisibility.h"

#include "app/win32/ShellState.h"
#include "drag/win32/MascotDrag.h"
#include "tray/win32/TrayState.h"

void SetHideReason(HideReason reason, bool holds)
{
    const bool wasHidden = tray.hideReasons != 0;
    tray.hideReasons = WithReason(tray.hideReasons, reason, holds);
    const bool hidden = tray.hideReasons != 0;
    if (hidden == wasHidden || tray.mascotWindow == nullptr) return;
    if (hidden) {
        // A hidden mascot cannot be held: back where it was picked up.
        CancelDrag(tray.mascotWindow);
        // Hidden, the mascot costs next to nothing: no ticks, so no
        // placements and no paints. It stands where it was.
        KillTimer(tray.mascotWindow, MascotTimer);
        ShowWindow(tray.mascotWindow, SW_HIDE);
        return;
    }
    // Back where it stood, without taking the keyboard from anyone.
    ShowWindow(tray.mascotWindow, SW_SHOWNOACTIVATE);
    SetTimer(tray.mascotWindow, MascotTimer, MascotTimerPeriod, nullptr);
}
