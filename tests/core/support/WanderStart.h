// A wander from a known start: the mascot at (500, 500) in a fresh state
// with default settings, the given ranges and the generator seeded, on a
// 1280 x 1024 screen with the cursor far from it.
#pragma once

#include <cstdint>

#include "app/MascotState.h"
#include "behaviour/RandomGenerator.h"
#include "settings/SettingsRecord.h"

const int32_t ScreenW = 1280, ScreenH = 1024;
const int32_t FarAway = -100000;  // a cursor that never freezes the mascot

inline void StartWandering(int32_t rangeX, int32_t rangeY, uint32_t seed)
{
    ResetMascotState();
    settings = SettingsRecord{};
    RangeX() = rangeX;
    RangeY() = rangeY;
    SeedRandom(seed);
    mascot.posX = 500;
    mascot.posY = 500;
}
