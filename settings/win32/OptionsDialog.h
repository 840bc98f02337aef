// The options dialog (template 103): shows and saves the settings record.
#pragma once
#include <windows.h>

// Re-reads "savedata" at every message. WM_INITDIALOG fills the controls
// from the record; IDOK reads back the fields whose control exists and
// saves, closing the dialog once the save landed and beeping otherwise;
// IDCANCEL closes without saving.
INT_PTR CALLBACK OptionsDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The options dialog, one at a time. `open` from the start of the call
// that shows it to its end: its modal loop goes on dispatching the mascot
// window's messages, and one dialog is enough. `window` from its
// WM_INITDIALOG until it is destroyed, so that it can be brought to the
// front; null otherwise.
struct OptionsDialogState {
    bool open;
    HWND window;
};
extern OptionsDialogState optionsDialog;
