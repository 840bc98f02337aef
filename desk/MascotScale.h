// The mascot's size on the screen: a whole number of screen pixels to each
// of its own, so that its pixel art stays sharp at any display scale, and
// the arithmetic that goes between its units and the screen's pixels.
#pragma once
#include <cstdint>

// The mascot's window, in its own units: one unit is `scale` screen pixels.
const int32_t MascotSide = 60;

// The menu's Size choices, as savedata keeps them.
const int32_t SizeAuto = 0;
const int32_t LargestChosenSize = 4;

// The largest scale Auto gives, far past any display's.
const int32_t LargestScale = 8;

// Auto: the whole number nearest to dpi / 96, halves up, at least 1.
int32_t ScaleForDpi(int32_t dpi);

// The Size that `choice` stands for: 1 to 4 as it is, anything else Auto.
int32_t ChosenSize(int32_t choice);

// The scale for a display of `dpi` under the Size `choice`: 1 to 4 as
// chosen, anything else Auto.
int32_t MascotScale(int32_t dpi, int32_t choice);

// Screen pixels to mascot units, rounding toward minus infinity, so that
// places left of and above the primary monitor convert like all others.
int32_t FloorDiv(int64_t value, int32_t divisor);
int32_t CeilDiv(int64_t value, int32_t divisor);

// The value, or the nearest one a 32-bit number holds.
int32_t Clamp32(int64_t value);

// Mascot units to screen pixels, held to what a window position can be.
int32_t UnitsToPixels(int32_t units, int32_t scale);

// A position of the window, in units of scale `from`, for scale `to`,
// with the window's centre where it was.
int32_t RescalePosition(int32_t units, int32_t from, int32_t to);
