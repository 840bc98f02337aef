#pragma once
#include "SkinTypes.h"

// The window's colour key: exactly this colour is see-through.
constexpr Rgb KeyColour = {0, 255, 0};
// Colours this close to the key on every channel risk being keyed out by
// a display that rounds colours, so the art keeps well away from them.
constexpr int KeyMargin = 24;

bool IsNearKey(Rgb colour);
