#include "sprites/AnimationCatalogue.h"

#include "app/TextCopy.h"

AnimationEntry AnimationCatalogue[AnimationRows] = {};

namespace {
void SetRow(int32_t row, const char* stem, int32_t frameCount)
{
    CopyBounded(AnimationCatalogue[row].stem, sizeof AnimationCatalogue[row].stem, stem);
    AnimationCatalogue[row].frameCount = frameCount;
}
}  // namespace

void FillAnimationCatalogue()
{
    SetRow(0, "w", 6);
    SetRow(1, "w", 6);
    SetRow(2, "n", 1);
    SetRow(3, "j", 1);
    SetRow(4, "jj", 1);
    SetRow(5, "d", 1);
    SetRow(6, "n", 1);
    SetRow(7, "j", 1);
    SetRow(8, "jj", 1);
    SetRow(9, "d", 1);
    SetRow(10, "f", 1);
    SetRow(11, "ff", 1);
    SetRow(12, "p", 1);
    SetRow(13, "f", 1);
    SetRow(14, "ff", 1);
    SetRow(15, "p", 1);
    SetRow(16, "kan", 1);
    SetRow(17, "st", 1);
    SetRow(20, "kime", 1);
    SetRow(30, "sleep", 1);
    SetRow(49, "k", 1);
}

bool RowIsMirrored(int32_t row)
{
    switch (row) {
    case 1: case 6: case 7: case 8: case 9: case 13: case 14: case 15: return true;
    default: return false;
    }
}
