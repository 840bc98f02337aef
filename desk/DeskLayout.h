// The monitors of the desk, as the mascot sees them, and where on them its
// whole window can stand. Decided without the platform, so that layouts no
// test machine has (a monitor left of or above the primary, gaps, unequal
// heights) are tested natively.
#pragma once
#include <cstdint>

#include "app/MascotState.h"
#include "app/ScreenRect.h"

const int32_t MaxMonitors = 32;

struct DeskLayout {
    int32_t count;
    ScreenRect monitors[MaxMonitors];   // each monitor whole
    ScreenRect workAreas[MaxMonitors];  // the same monitor without its taskbars
};

// A layout in screen pixels as mascot units of `scale` pixels: a unit
// counts as on a monitor only when all its pixels are. Each work area is
// held to its monitor.
DeskLayout LayoutInUnits(const DeskLayout& pixels, int32_t scale);

// Whether the point lies on some monitor.
bool PointOnMonitor(const DeskLayout& desk, int32_t x, int32_t y);

// Whether any of the window at (x, y), MascotSide a side, lies on a
// monitor; whether all of it does (across neighbouring monitors too).
bool WindowTouchesMonitor(const DeskLayout& desk, int32_t x, int32_t y);
bool WindowWhollyOnMonitors(const DeskLayout& desk, int32_t x, int32_t y);

// The place nearest to (x, y) where the whole window lies on one
// monitor's work area (its top-left corner on a work area too small for
// it); (x, y) itself on a desk without monitors.
MascotPoint NearestPlaceOnWorkArea(const DeskLayout& desk, int32_t x, int32_t y);

// The smallest rectangle that holds every work area.
ScreenRect WorkAreaBounds(const DeskLayout& desk);

// The left edge of the desk, the leftmost monitor's: 0 with the primary
// monitor alone.
int32_t DeskLeft(const DeskLayout& desk);
