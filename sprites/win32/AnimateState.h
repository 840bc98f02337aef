#pragma once
#include <windows.h>

// The frame sequencer: advances the shared frame counters and draws the
// current frame of catalogue row `row` at (0, 0) of dc.
void AnimateState(HDC dc, int row);
