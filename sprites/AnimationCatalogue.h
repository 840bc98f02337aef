// Animation for every behaviour state number: file-name stem and frame count.
#pragma once
#include <cstdint>

struct AnimationEntry {
    char stem[8];
    int32_t frameCount;
};

const int32_t AnimationRows = 50;

extern AnimationEntry AnimationCatalogue[AnimationRows];

// Fills the fixed rows; the others stay empty.
void FillAnimationCatalogue();

// Left-facing rows are drawn mirrored.
bool RowIsMirrored(int32_t row);
