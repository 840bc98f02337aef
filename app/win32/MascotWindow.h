#pragma once
#include <windows.h>

// Start-up pieces of the program, callable from tests as well as WinMain.
void LoadClassName(HINSTANCE hInstance);
ATOM RegisterMascotClass(HINSTANCE hInstance);
BOOL CreateMascotWindow(HINSTANCE hInstance, int nCmdShow);
int RunMessageLoop();
