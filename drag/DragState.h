// Picking the mascot up: whether a press of the left button on it is a
// click or a drag, where the dragged window goes, and where Esc puts it
// back. Decided without the platform; the shell feeds it the cursor.
#pragma once
#include <cstdint>

#include "app/MascotState.h"

struct DragState {
    bool pressed;            // the left button went down on the mascot and is held
    bool dragging;           // ... and the cursor went past the drag distance
    bool putBack;            // ... and Esc put the mascot back: it waits for the release
    MascotPoint pressAt;     // the cursor at the press, in screen pixels
    MascotPoint grab;        // the cursor's offset from the window's corner, in screen pixels
    MascotPoint pickedUpAt;  // the mascot's position at the press, in its units
};

extern DragState drag;

// The left button goes down with the cursor at (x, y) on the window whose
// top-left corner is at (left, top), all in screen pixels.
void PressMascot(int32_t x, int32_t y, int32_t left, int32_t top);

// Whether a move of the cursor from the press by (dx, dy) is a drag: past
// `width` or `height` pixels on either side (SM_CXDRAG, SM_CYDRAG).
bool PastDragDistance(int64_t dx, int64_t dy, int32_t width, int32_t height);

// The cursor at (x, y) while the button is held: once past the drag
// distance the mascot follows it, the grabbed point under the cursor, in
// whole units of `scale` pixels. True when the mascot moved.
bool FollowCursor(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale);

enum ReleaseOutcome {
    ReleaseNothing,  // no press was held
    ReleaseClick,    // released where it was pressed: a click
    ReleaseDrop,     // released after a drag: the mascot goes on from there
};

// The left button comes up: after Esc, neither a click nor a drop.
ReleaseOutcome ReleaseMascot();

// Esc: the mascot back where it was picked up, where it stays until the
// button comes up. True when a press was held.
bool PutBackMascot();

// The press ends without a release (the mouse was taken away, the mascot
// hidden): put back, unless Esc did already. True when one was held.
bool EndPress();

// The grabbed point's offset for a window of another scale.
void RescaleGrab(int32_t from, int32_t to);
