#pragma once
#include <windows.h>

// One tick of the mascot timer: read the cursor, let the core decide, and
// on the moving path place the window and request a repaint.
void WanderTick(HWND hwnd);
