// The frame sequencer's choice of frame, free of drawing: advances the shared
// counters once per paint and names the frame to draw for a catalogue row.
#pragma once
#include <cstdint>

struct FrameChoice {
    bool draw;       // false for an empty row or a row outside the catalogue
    bool mirrored;
    char name[8];    // stem and frame number, such as "w3"
};

FrameChoice ChooseFrame(int32_t row);
