#include "settings/win32/OptionsDialog.h"

#include <cstring>

#include "app/NumberText.h"
#include "app/win32/WindowRect.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"

namespace {

const int Text1Control = 1002;
const int Text2Control = 1004;
const int FirstValueControl = 1005;
const int ValueCount = sizeof settings.values / sizeof settings.values[0];

// A text from the file need not end within its 256 bytes: show those bytes
// and no more.
void ShowText(HWND hDlg, int id, const char (&text)[256])
{
    char shown[sizeof text + 1];
    std::memcpy(shown, text, sizeof text);
    shown[sizeof text] = '\0';
    SetWindowTextA(GetDlgItem(hDlg, id), shown);
}

void ShowValue(HWND hDlg, int id, int32_t value)
{
    char shown[12];
    NumberToText(value, shown, sizeof shown);
    SetWindowTextA(GetDlgItem(hDlg, id), shown);
}

// Fields whose control the template lacks keep what the record holds, so
// a save never damages them.
void ReadText(HWND hDlg, int id, char (&text)[256])
{
    HWND control = GetDlgItem(hDlg, id);
    if (control != nullptr) GetWindowTextA(control, text, sizeof text);
}

// One 16-character buffer serves every value: at most 15 characters count.
void ReadValue(HWND hDlg, int id, char (&buffer)[16], int32_t& value)
{
    HWND control = GetDlgItem(hDlg, id);
    if (control == nullptr) return;
    buffer[0] = '\0';
    GetWindowTextA(control, buffer, sizeof buffer);
    value = TextToNumber(buffer);
}

void FillControls(HWND hDlg)
{
    ShowText(hDlg, Text1Control, settings.text1);
    ShowText(hDlg, Text2Control, settings.text2);
    for (int i = 0; i < ValueCount; ++i) ShowValue(hDlg, FirstValueControl + i, settings.values[i]);
}

void ReadControls(HWND hDlg)
{
    ReadText(hDlg, Text1Control, settings.text1);
    ReadText(hDlg, Text2Control, settings.text2);
    char buffer[16];
    for (int i = 0; i < ValueCount; ++i) ReadValue(hDlg, FirstValueControl + i, buffer, settings.values[i]);
}

// The dialog stands where its template puts it, relative to its owner, the
// mascot, which may have wandered off every screen (a range wider than the
// screen, a monitor unplugged). Its template has no DS_ABSALIGN ("If this
// style is not specified, the coordinates are client coordinates", Dialog
// Box Styles) and no DS_CENTER, and nothing is documented that keeps it on
// a screen. So it is moved, whole, onto the work area of the monitor
// nearest its owner.
void KeepOnScreen(HWND hDlg)
{
    RECT box = {}, ownerBox = {};
    if (!GetWindowRect(hDlg, &box)) return;
    HWND owner = GetWindow(hDlg, GW_OWNER);
    if (owner == nullptr || !GetWindowRect(owner, &ownerBox)) ownerBox = box;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&ownerBox, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const ScreenRect placed = KeepWithin(ToScreenRect(box), ToScreenRect(monitor.rcWork));
    if (placed.left == box.left && placed.top == box.top) return;
    SetWindowPos(hDlg, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

OptionsDialogState optionsDialog = {false, nullptr};

INT_PTR CALLBACK OptionsDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    // Another copy of the program may have saved meanwhile: the record
    // always mirrors the file as it is now.
    LoadSettings();
    if (uMsg == WM_NCDESTROY && optionsDialog.window == hDlg) optionsDialog.window = nullptr;
    if (uMsg == WM_INITDIALOG) {
        optionsDialog.window = hDlg;
        KeepOnScreen(hDlg);
        FillControls(hDlg);
        return TRUE;
    }
    if (uMsg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        // The dialog closes only once the values are saved: where they
        // cannot be (a folder the user may not write), it stays with what
        // was typed and the system's warning sounds, instead of looking
        // saved.
        ReadControls(hDlg);
        if (SaveSettings())
            EndDialog(hDlg, 1);
        else
            MessageBeep(MB_ICONWARNING);
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, 2);
        return TRUE;
    default:
        return FALSE;
    }
}
