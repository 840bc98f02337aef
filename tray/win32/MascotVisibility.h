#pragma once
#include "tray/HideReasons.h"

// Notes that `reason` starts or stops holding, and hides or shows the
// mascot window when that changes whether any holds.
void SetHideReason(HideReason reason, bool holds);
