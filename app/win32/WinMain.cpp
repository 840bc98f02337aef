#include <windows.h>

#include "app/win32/MascotWindow.h"
#include "app/win32/ShellState.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    appInstance = hInstance;
    LoadClassName(hInstance);
    RegisterMascotClass(hInstance);
    if (!CreateMascotWindow(hInstance, nCmdShow)) return 0;
    return RunMessageLoop();
}
