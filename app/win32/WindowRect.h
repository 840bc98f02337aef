// The system's rectangles as the core's.
#pragma once
#include <windows.h>

#include "app/ScreenRect.h"

inline ScreenRect ToScreenRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }
