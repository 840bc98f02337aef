// The notification-area code's program-wide state, beside the mascot's: a
// window of its own that holds the icon and its menu, and serves the
// mascot window.
#pragma once
#include <windows.h>

struct TrayState {
    HWND window;          // the icon's hidden top-level window
    HWND mascotWindow;    // the mascot window it serves
    HICON icon;           // the program's icon at the size the system asks for
    bool iconVersion4;    // the shell took NOTIFYICON_VERSION_4 for the icon
    bool iconAdded;       // the shell took the icon
    DWORD iconRetryStart; // GetTickCount of the failed add that started the retries
    UINT taskbarCreated;  // the message a starting taskbar sends every window
    unsigned hideReasons; // HideReason bits that hold now
};

extern TrayState tray;

// The icon's notifications, and its number among this window's icons.
const UINT TrayCallbackMessage = WM_APP + 1;
const UINT TrayIconId = 1;
