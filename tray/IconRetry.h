// Adding the icon again where the shell did not take it. A taskbar that is
// busy, as at a slow log-on, may not answer in time, and it sends no word
// once it would; so the program asks again for a while.
#pragma once
#include <cstdint>

// How often, and for how long after the failed add, it asks again.
const uint32_t IconRetryPeriodMs = 4000;
const uint32_t IconRetryForMs = 5 * 60 * 1000;

// Whether a tick of the retry timer, `elapsedMs` after the add that failed,
// tries again: not once the icon is there (`added`), nor once the time is over.
bool RetryIconNow(bool added, uint32_t elapsedMs);
