#pragma once
#include <windows.h>

// Makes the icon's window for the mascot window of this thread and adds the
// icon; false when the window cannot be made (the mascot goes on without).
bool StartTray(HINSTANCE instance);

// Removes the icon and the window: however the program ends, no icon stays
// behind in the notification area.
void EndTray();

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
