#include "sprites/win32/AnimateState.h"

#include "sprites/FrameChoice.h"
#include "sprites/win32/SpriteDraw.h"

void AnimateState(HDC dc, int row)
{
    const FrameChoice choice = ChooseFrame(row);
    if (!choice.draw) return;
    if (choice.mirrored)
        SpriteDrawMirrored(dc, 0, 0, choice.name);
    else
        SpriteDraw(dc, 0, 0, choice.name);
}
