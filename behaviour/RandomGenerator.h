// The program's own linear congruential generator: the wander targets must
// follow exactly this sequence, whatever the C library's rand does.
#pragma once
#include <cstdint>

void SeedRandom(uint32_t seed);

// Next value, 0 to 32767.
int32_t NextRandom();

// Seeds with the current time in whole seconds, cut to 32 bits.
void SeedRandomFromTime();
