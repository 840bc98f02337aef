#pragma once
#include <windows.h>

// Asks to be told when the session is locked or unlocked and when the
// display turns off or on, and hides the mascot while nobody can see it.
void StartSessionWatch();
void EndSessionWatch();

// Asks again where the first ask failed, on each tick of the icon window's timer.
void RetrySessionWatch();

// The notifications, as the icon's window receives them.
void OnSessionChange(WPARAM event);
// True when `setting` was one of the display's.
bool OnPowerSetting(const POWERBROADCAST_SETTING* setting);
