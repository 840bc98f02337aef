// Whether the mascot steps aside for a full-screen program or a
// presentation on the monitor it stands on. Decided from what the system
// reports, so that every case is tested natively.
#pragma once
#include <cstdint>

#include "app/ScreenRect.h"

// The foreground window, as the system reports it.
struct ForegroundFacts {
    bool exists;            // there is a foreground window
    bool ours;              // it is this program's: the mascot, its dialog, its menu
    const char* className;  // its window class
    uint32_t style;         // its window style
    ScreenRect window;      // where it stands
    bool onMascotMonitor;   // it stands mostly on the mascot's monitor
};

// The window style bits of a title bar (WS_CAPTION): both must be set.
const uint32_t CaptionStyle = 0x00C00000;

// What the shell says of the user (QUERY_USER_NOTIFICATION_STATE), numbered
// as the shell numbers it; the states not named here ask nothing of us.
const int ShellBusy = 2;                   // a full-screen program runs, or presentation settings apply
const int ShellRunningD3DFullScreen = 3;   // a full-screen Direct3D program runs
const int ShellPresentationMode = 4;       // the user turned presentation settings on
const int ShellAcceptsNotifications = 5;   // none of these

// True while a full-screen window without a title bar covers the mascot's
// whole monitor (`monitor`, not its work area) from the foreground, one
// that is neither the desktop, the taskbar nor this program's own, or
// while the shell reports a full-screen program or a presentation there.
bool ShouldStepAside(const ForegroundFacts& foreground, const ScreenRect& monitor, int notificationState);
