#include "sprites/FrameChoice.h"

#include "app/MascotState.h"
#include "app/NumberText.h"
#include "sprites/AnimationCatalogue.h"
#include "app/TextCopy.h"

FrameChoice ChooseFrame(int32_t row)
{
    FrameChoice choice = {false, false, {0}};
    // A paint draws no row outside the catalogue, so the sequencer does
    // not advance for one either.
    if (row < 0 || row >= AnimationRows) return choice;

    mascot.frameDelay += 1;
    if (mascot.frameDelay >= 5) {
        mascot.frameIndex += 1;
        mascot.frameDelay = 0;
    }

    const AnimationEntry& entry = AnimationCatalogue[row];
    const int32_t n = entry.frameCount;
    if (mascot.frameIndex >= n) mascot.frameIndex = 0;
    if (n <= 0) return choice;

    // A negative index can only come from a damaged counter; show frame 0.
    const int32_t frame = mascot.frameIndex >= 0 ? mascot.frameIndex % n : 0;
    char number[12];
    NumberToText(frame, number, sizeof number);
    CopyBounded(choice.name, sizeof choice.name, entry.stem);
    AppendBounded(choice.name, sizeof choice.name, number);
    choice.draw = true;
    choice.mirrored = RowIsMirrored(row);
    return choice;
}
