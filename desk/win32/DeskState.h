// The desk as the program last read it: the monitors, the DPI the mascot
// is drawn for and its scale. Read when the window is made and again when
// the system says the desk changed, never at every tick.
#pragma once
#include <windows.h>

#include <cstdint>

#include "desk/DeskLayout.h"

struct DeskState {
    int32_t scale;      // screen pixels to each of the mascot's
    int32_t dpi;        // of the monitor the mascot is on
    DeskLayout pixels;  // the monitors, in screen pixels
    DeskLayout units;   // the same in mascot units of `scale`
};

extern DeskState deskState;

// The layout for the wander tick; null where no monitor could be read.
const DeskLayout* DeskInUnits();

// Reads every monitor and its work area again.
void ReadDesk();
