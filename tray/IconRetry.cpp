#include "tray/IconRetry.h"

bool RetryIconNow(bool added, uint32_t elapsedMs) { return !added && elapsedMs < IconRetryForMs; }
