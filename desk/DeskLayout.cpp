#include "desk/DeskLayout.h"

#include "desk/MascotScale.h"

namespace {

ScreenRect InUnits(const ScreenRect& r, int32_t scale)
{
    ScreenRect units = {CeilDiv(r.left, scale), CeilDiv(r.top, scale), FloorDiv(r.right, scale),
                        FloorDiv(r.bottom, scale)};
    // Narrower than one unit: nothing of it counts.
    if (units.right < units.left) units.right = units.left;
    if (units.bottom < units.top) units.bottom = units.top;
    return units;
}

// The part of `r` on `bounds`; `bounds` itself where nothing of `r` is.
ScreenRect Within(const ScreenRect& r, const ScreenRect& bounds)
{
    ScreenRect inside = {r.left > bounds.left ? r.left : bounds.left, r.top > bounds.top ? r.top : bounds.top,
                         r.right < bounds.right ? r.right : bounds.right,
                         r.bottom < bounds.bottom ? r.bottom : bounds.bottom};
    if (inside.right <= inside.left || inside.bottom <= inside.top) return bounds;
    return inside;
}

int64_t Overlap(int64_t lowA, int64_t highA, int64_t lowB, int64_t highB)
{
    const int64_t low = lowA > lowB ? lowA : lowB, high = highA < highB ? highA : highB;
    return high > low ? high - low : 0;
}

// The window's area on the monitor, in square units.
int64_t AreaOn(const ScreenRect& monitor, int32_t x, int32_t y)
{
    return Overlap(x, int64_t(x) + MascotSide, monitor.left, monitor.right) *
           Overlap(y, int64_t(y) + MascotSide, monitor.top, monitor.bottom);
}

// The nearest start of a span of MascotSide within [low, high); the low
// end where the span is shorter.
int64_t NearestStart(int64_t start, int64_t low, int64_t high)
{
    if (start > high - MascotSide) start = high - MascotSide;
    if (start < low) start = low;
    return start;
}

int32_t Count(const DeskLayout& desk) { return desk.count < 0 ? 0 : desk.count > MaxMonitors ? MaxMonitors : desk.count; }

}  // namespace

DeskLayout LayoutInUnits(const DeskLayout& pixels, int32_t scale)
{
    DeskLayout units = {};
    units.count = Count(pixels);
    for (int32_t i = 0; i < units.count; ++i) {
        units.monitors[i] = InUnits(pixels.monitors[i], scale);
        // Right after a monitor shrank, the system may still report its
        // old work area, past the monitor's new edges.
        units.workAreas[i] = InUnits(Within(pixels.workAreas[i], pixels.monitors[i]), scale);
    }
    return units;
}

bool PointOnMonitor(const DeskLayout& desk, int32_t x, int32_t y)
{
    for (int32_t i = 0; i < Count(desk); ++i) {
        const ScreenRect& m = desk.monitors[i];
        if (m.left <= x && x < m.right && m.top <= y && y < m.bottom) return true;
    }
    return false;
}

bool WindowTouchesMonitor(const DeskLayout& desk, int32_t x, int32_t y)
{
    for (int32_t i = 0; i < Count(desk); ++i)
        if (AreaOn(desk.monitors[i], x, y) > 0) return true;
    return false;
}

bool WindowWhollyOnMonitors(const DeskLayout& desk, int32_t x, int32_t y)
{
    // Monitors do not overlap, so their shares add up to the whole.
    int64_t covered = 0;
    for (int32_t i = 0; i < Count(desk); ++i) covered += AreaOn(desk.monitors[i], x, y);
    return covered >= int64_t(MascotSide) * MascotSide;
}

MascotPoint NearestPlaceOnWorkArea(const DeskLayout& desk, int32_t x, int32_t y)
{
    MascotPoint best = {x, y};
    double bestDistance = -1;
    for (int32_t i = 0; i < Count(desk); ++i) {
        const ScreenRect& area = desk.workAreas[i];
        const int64_t px = NearestStart(x, area.left, area.right), py = NearestStart(y, area.top, area.bottom);
        // In doubles: a square of two 32-bit numbers' difference can pass 64 bits.
        const double dx = double(px - x), dy = double(py - y), distance = dx * dx + dy * dy;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = MascotPoint{static_cast<int32_t>(px), static_cast<int32_t>(py)};
        }
    }
    return best;
}

ScreenRect WorkAreaBounds(const DeskLayout& desk)
{
    if (Count(desk) == 0) return ScreenRect{0, 0, 0, 0};
    ScreenRect box = desk.workAreas[0];
    for (int32_t i = 1; i < Count(desk); ++i) {
        const ScreenRect& a = desk.workAreas[i];
        if (a.left < box.left) box.left = a.left;
        if (a.top < box.top) box.top = a.top;
        if (a.right > box.right) box.right = a.right;
        if (a.bottom > box.bottom) box.bottom = a.bottom;
    }
    return box;
}

int32_t DeskLeft(const DeskLayout& desk)
{
    if (Count(desk) == 0) return 0;
    int32_t left = desk.monitors[0].left;
    for (int32_t i = 1; i < Count(desk); ++i)
        if (desk.monitors[i].left < left) left = desk.monitors[i].left;
    return left;
}
