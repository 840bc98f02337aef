#include "tray/win32/TrayMenu.h"

#include "app/win32/ShellState.h"
#include "res/resource.h"
#include "tray/win32/MascotVisibility.h"
#include "tray/win32/StartupShortcut.h"
#include "tray/win32/TrayState.h"

static_assert(IDM_TRAY_OPTIONS == CmdOptions && IDM_TRAY_QUIT == CmdExit, "the menu hands on the mascot's commands");

namespace {

void Check(HMENU menu, UINT id, bool checked)
{
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

void ShowTrayMenu(POINT anchor)
{
    // Japanese or English as the user interface is, as the dialog is.
    HMENU bar = LoadMenuW(appInstance, MAKEINTRESOURCEW(IDM_TRAY));
    if (bar == nullptr) return;
    HMENU menu = GetSubMenu(bar, 0);
    Check(menu, IDM_TRAY_HIDE, (tray.hideReasons & HiddenByUser) != 0);
    Check(menu, IDM_TRAY_STARTUP, StartsWithWindows());
    // TrackPopupMenu's remarks: "To display a context menu for a
    // notification icon, the current window must be the foreground window
    // before the application calls TrackPopupMenu or TrackPopupMenuEx.
    // Otherwise, the menu will not disappear when the user clicks outside of
    // the menu", and then "you must force a task switch to the application
    // that called TrackPopupMenu ... by posting a benign message to the
    // window or thread".
    SetForegroundWindow(tray.window);
    const UINT align = GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TrackPopupMenuEx(menu, align | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, anchor.x, anchor.y, tray.window, nullptr);
    PostMessageW(tray.window, WM_NULL, 0, 0);
    DestroyMenu(bar);
}

void RunTrayCommand(WORD id)
{
    switch (id) {
    case IDM_TRAY_OPTIONS:
    case IDM_TRAY_QUIT:
        // The mascot window does these as it does for any other sender.
        PostMessageW(tray.mascotWindow, WM_COMMAND, id, 0);
        return;
    case IDM_TRAY_HIDE:
        SetHideReason(HiddenByUser, (tray.hideReasons & HiddenByUser) == 0);
        return;
    case IDM_TRAY_STARTUP:
        // Where the shortcut cannot be written or removed, nothing changed
        // and the item keeps its mark; the warning says so.
        if (!SetStartsWithWindows(!StartsWithWindows())) MessageBeep(MB_ICONWARNING);
        return;
    default:
        return;
    }
}
