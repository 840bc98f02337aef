#include "app/ScreenRect.h"

namespace {

// The start of a span of `length` moved into [low, high), the start first.
int64_t KeepSpan(int64_t start, int64_t length, int64_t low, int64_t high)
{
    if (start + length > high) start = high - length;
    if (start < low) start = low;
    return start;
}

}  // namespace

bool Covers(const ScreenRect& outer, const ScreenRect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

ScreenRect KeepWithin(const ScreenRect& box, const ScreenRect& area)
{
    // 64 bits: a box far off the screen must not wrap around.
    const int64_t width = int64_t(box.right) - box.left, height = int64_t(box.bottom) - box.top;
    const int64_t left = KeepSpan(box.left, width, area.left, area.right);
    const int64_t top = KeepSpan(box.top, height, area.top, area.bottom);
    return ScreenRect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + width),
                      static_cast<int32_t>(top + height)};
}
