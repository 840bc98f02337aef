// The decisions of one wander tick, free of any platform call: the shell
// reads the cursor and the screen size, and moves and repaints the window
// when the tick says the mascot moved.
#pragma once
#include <cstdint>

enum WanderOutcome {
    WanderPaused,  // the right-click dialog is open
    WanderFrozen,  // the cursor rests on the mascot
    WanderMoved,   // the state machine ran: place and repaint the window
};

// Width or height of the wander range as used for a target choice: a zero
// range (no settings yet) falls back to the screen's size so the first
// start wanders the whole screen and nothing ever divides by zero.
int32_t EffectiveRange(int32_t range, int32_t screenSize);

// True when a new target is due: pursued for more than 200 ticks, or reached.
bool TargetChoiceDue();

// Chooses a new random target; switches to FallRight when the old target
// lay more than 50 pixels below.
void ChooseTarget(int32_t screenWidth, int32_t screenHeight);

// True when the cursor rests on (or just around) the mascot.
bool CursorFreezesMascot();

// Steps 2 to 7 of a tick with the given cursor position and screen size.
WanderOutcome WanderDecide(int32_t cursorX, int32_t cursorY, int32_t screenWidth, int32_t screenHeight);
