// The mascot window at its scale, on the monitors there are: set up when
// the window is made, and followed when the DPI, the Size chosen or the
// monitors change.
#pragma once
#include <windows.h>

// At window creation: the desk, the scale for the window's DPI and the
// Size chosen, and the window's size. The mascot's position stays.
void StartDesk(HWND hwnd);

// Takes the scale that the DPI and the Size chosen give now, if it
// differs: the window keeps its centre and takes its new size.
void FollowScale(HWND hwnd);

// WM_DPICHANGED: the window reached a monitor of another DPI.
void OnDpiChanged(HWND hwnd, UINT dpi);

// WM_DISPLAYCHANGE: monitors came, went or changed; a mascot no longer
// wholly on them is put back at once.
void OnDisplayChange(HWND hwnd);

// Moves the window to the mascot's position (in units), topmost, without
// taking the keyboard.
void PlaceMascotWindow(HWND hwnd);
