#include "tray/win32/TrayIcon.h"

#include <windows.h>
#include <shellapi.h>

#include "tray/IconRetry.h"
#include "tray/win32/TrayState.h"

namespace {

NOTIFYICONDATAW IconData(UINT flags)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = tray.window;
    data.uID = TrayIconId;
    data.uFlags = flags;
    return data;
}

// True when the shell holds the icon.
bool AddTrayIcon()
{
    // A tooltip and no balloon: the program shows no messages. "NIF_SHOWTIP
    // ... If the application wants to show the standard tooltip with
    // NOTIFYICON_VERSION_4, it can specify NIF_SHOWTIP".
    NOTIFYICONDATAW data = IconData(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = tray.icon;
    lstrcpynW(data.szTip, L"Pelmo", ARRAYSIZE(data.szTip));
    if (!Shell_NotifyIconW(NIM_ADD, &data)) {
        // Still there from before (a taskbar that only said it restarted).
        if (!Shell_NotifyIconW(NIM_MODIFY, &data)) return false;
    }
    // Version 4 sends one WM_CONTEXTMENU for a right click or the keyboard's
    // menu key, and says where; a shell without it keeps the oldest way.
    // "NIM_SETVERSION must be called every time a notification area icon is
    // added (NIM_ADD)", so a retry that adds it asks again.
    data.uVersion = NOTIFYICON_VERSION_4;
    tray.iconVersion4 = Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
    return true;
}

}  // namespace

void PlaceTrayIcon()
{
    tray.iconAdded = AddTrayIcon();
    if (tray.iconAdded) {
        KillTimer(tray.window, IconRetryTimer);
        return;
    }
    // "Returns TRUE if successful, or FALSE otherwise" (Shell_NotifyIcon): a
    // taskbar that does not answer in time, as at a busy log-on, does not
    // take it, and sends no TaskbarCreated once it would.
    tray.iconRetryStart = GetTickCount();
    SetTimer(tray.window, IconRetryTimer, IconRetryPeriodMs, nullptr);
}

void RetryTrayIcon()
{
    // Unsigned, so the tick count may wrap around meanwhile.
    const bool retry = RetryIconNow(tray.iconAdded, GetTickCount() - tray.iconRetryStart);
    if (retry) tray.iconAdded = AddTrayIcon();
    if (!retry || tray.iconAdded) KillTimer(tray.window, IconRetryTimer);
}

void RemoveTrayIcon()
{
    NOTIFYICONDATAW data = IconData(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
}
