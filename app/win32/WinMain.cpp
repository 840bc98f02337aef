#include <windows.h>

#include "app/win32/MascotWindow.h"
#include "app/win32/ShellState.h"
#include "app/win32/SystemLibrary.h"
#include "desk/win32/DpiAwareness.h"
#include "tray/win32/TrayWindow.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    // Before anything makes the system load a DLL for the program.
    RestrictDllSearch();
    // Before the first window: drawn at the monitor's own pixels, never
    // stretched by the system.
    EnablePerMonitorDpi();
    appInstance = hInstance;
    LoadClassName(hInstance);
    RegisterMascotClass(hInstance);
    if (!CreateMascotWindow(hInstance, nCmdShow)) return 0;
    StartTray(hInstance);
    const int exitCode = RunMessageLoop();
    EndTray();
    return exitCode;
}
