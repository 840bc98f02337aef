#pragma once
#include <windows.h>

LRESULT CALLBACK MascotWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
