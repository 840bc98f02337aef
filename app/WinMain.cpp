#include <windows.h>

#include "app/MascotWindow.h"
#include "app/ShellState.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    appInstance = hInstance;
    LoadClassName(hInstance);
    RegisterMascotClass(hInstance);
    if (!CreateMascotWindow(hInstance, nCmdShow)) return 0;
    return RunMessageLoop();
}
