#include "app/MascotState.h"

MascotState mascot = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, true, {0, 0}};

void ResetMascotState()
{
    mascot = MascotState{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, true, {0, 0}};
}

void AdvanceSkin()
{
    mascot.skinIndex += 1;
    if (mascot.skinIndex > 3 || mascot.skinIndex < 0)
        mascot.skinIndex = 0;
}
