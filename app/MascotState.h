// The one program-wide record of the mascot's mutable state.
// Platform-free: the GDI handles of the back buffer live in the Win32 shell.
#pragma once
#include <cstdint>

struct MascotPoint {
    int32_t x;
    int32_t y;
};

struct MascotState {
    int32_t posX;
    int32_t posY;
    int32_t targetX;
    int32_t targetY;
    int32_t state;
    int32_t stepCount;
    int32_t idleTicks;
    int32_t skinIndex;
    int32_t frameIndex;
    int32_t frameDelay;
    bool running;
    MascotPoint cursorPos;
};

extern MascotState mascot;

// Puts every field back to its value at process start (tests use it too).
void ResetMascotState();

// Left click: skins go 0, 1, 2, 3, 0.
void AdvanceSkin();
