// The real mascot window in a test program, started and ended as often as
// a test likes: the one way every test starts and ends a mascot.
#pragma once
#include <windows.h>

// Registers the class once, then creates, shows and updates the window as
// the program does (CreateMascotWindow), with the program's own instance;
// this thread's new mascot window, or null. SW_HIDE as the show command
// gives the same window unshown. The mascot and settings records are left
// as the test set them.
HWND StartMascot(int showCommand = SW_SHOWNOACTIVATE);

// Destroys the window if it is still there, removes the quit message that
// its destruction posts (or the next modal loop would end at once), frees
// the back buffer, which the program keeps until it ends, and gives
// appInstance back the program's instance.
void EndMascot(HWND& hwnd);
