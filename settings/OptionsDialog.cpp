#include "settings/OptionsDialog.h"

#include "settings/SettingsFile.h"

INT_PTR CALLBACK OptionsDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    LoadSettings();
    if (uMsg == WM_INITDIALOG) return TRUE;
    if (uMsg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 2);
        return TRUE;
    }
    return FALSE;
}
