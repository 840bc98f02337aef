#include "app/win32/ShellState.h"

HINSTANCE appInstance = nullptr;
char className[100] = "";
HDC backBufferDC = nullptr;
HBITMAP backBufferBitmap = nullptr;
