#include "tray/win32/TrayMenu.h"

#include "app/win32/ShellState.h"
#include "desk/MascotScale.h"
#include "desk/win32/MascotSize.h"
#include "res/resource.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "tray/win32/MascotVisibility.h"
#include "tray/win32/StartupShortcut.h"
#include "tray/win32/TrayState.h"

static_assert(IDM_TRAY_OPTIONS == CmdOptions && IDM_TRAY_QUIT == CmdExit, "the menu hands on the mascot's commands");
static_assert(IDM_TRAY_SIZE_1 == IDM_TRAY_SIZE_AUTO + 1 && IDM_TRAY_SIZE_AUTO + LargestChosenSize == IDM_TRAY_SIZE_4,
              "the Size items follow the choices' numbers");

namespace {

void Check(HMENU menu, UINT id, bool checked)
{
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// The Size the record holds, as its menu item: one that is no choice reads as Auto.
UINT ChosenSizeItem()
{
    return IDM_TRAY_SIZE_AUTO + ChosenSize(SizeChoice());
}

// A choice is kept in savedata; where it cannot be written the warning
// says so, and it holds only until the record is next read from the file
// (at the next choice, or while the options dialog is open).
void SaveChoice(int value, int32_t chosen)
{
    if (!SaveSettingsValue(value, chosen)) MessageBeep(MB_ICONWARNING);
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
    // The choices in effect: the record's.
    CheckMenuRadioItem(menu, IDM_TRAY_SIZE_AUTO, IDM_TRAY_SIZE_4, ChosenSizeItem(), MF_BYCOMMAND);
    Check(menu, IDM_TRAY_ALL_MONITORS, AllMonitorsChosen());
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
    case IDM_TRAY_SIZE_AUTO:
    case IDM_TRAY_SIZE_1:
    case IDM_TRAY_SIZE_2:
    case IDM_TRAY_SIZE_3:
    case IDM_TRAY_SIZE_4:
        SaveChoice(SizeValue, static_cast<int32_t>(id - IDM_TRAY_SIZE_AUTO));
        if (tray.mascotWindow != nullptr) FollowScale(tray.mascotWindow);
        return;
    case IDM_TRAY_ALL_MONITORS:
        SaveChoice(AllMonitorsValue, AllMonitorsChosen() ? 0 : 1);
        return;
    default:
        return;
    }
}
