// The decisions of one wander tick, free of any platform call: the shell
// reads the cursor and the screen size, and moves and repaints the window
// when the tick says the mascot moved.
#pragma once
#include <cstdint>

#include "desk/DeskLayout.h"

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
// lay more than 50 pixels below. On a `desk` (in the mascot's units), All
// monitors draws the target over every work area, and a target that lies
// where no monitor is moves onto one.
void ChooseTarget(int32_t screenWidth, int32_t screenHeight, const DeskLayout* desk = nullptr);

// True when the cursor rests on (or just around) the mascot, and the
// mascot does not stand left of the desk's left edge (0 without a desk).
bool CursorFreezesMascot(const DeskLayout* desk = nullptr);

// Steps 2 to 7 of a tick with the given cursor position and screen size.
// Without a desk, exactly that arithmetic; on one, the target's placement
// and a resting mascot kept in sight follow as steps of their own.
WanderOutcome WanderDecide(int32_t cursorX, int32_t cursorY, int32_t screenWidth, int32_t screenHeight,
                           const DeskLayout* desk = nullptr);
