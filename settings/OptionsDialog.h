#pragma once
#include <windows.h>

// Dialog procedure of the options dialog (template 103).
INT_PTR CALLBACK OptionsDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
