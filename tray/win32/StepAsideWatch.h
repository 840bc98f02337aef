#pragma once
#include <windows.h>

// Looks twice a second whether a full-screen program or a presentation
// holds the mascot's monitor, and hides the mascot while one does.
void StartStepAsideWatch();
void EndStepAsideWatch();

// The timer of the icon's window that the watch runs on.
const UINT_PTR StepAsideTimer = 1;
const UINT StepAsideTimerPeriod = 500;

// One look, on each tick of that timer.
void CheckForFullScreen();
