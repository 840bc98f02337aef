// Rectangles on the screen, in pixels, with the right and bottom edges
// outside, as the system gives them: platform-free, so that what is decided
// about windows and monitors can be tested natively.
#pragma once
#include <cstdint>

struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Whether `outer` covers every pixel of `inner`.
bool Covers(const ScreenRect& outer, const ScreenRect& inner);

// `box` moved, not resized, the least it takes to lie whole inside `area`;
// a box larger than the area keeps its top-left corner on the area's.
ScreenRect KeepWithin(const ScreenRect& box, const ScreenRect& area);
