#pragma once
#include <windows.h>

// Adds the icon to the notification area (again, after the taskbar
// restarted) and asks for the newest way of notifying it. Where the shell
// does not take it, asks again on the retry timer of the icon's window for a while; a
// failure shows nothing and ends nothing.
void PlaceTrayIcon();

// The timer of the icon's window that the retries run on, and one tick of it.
const UINT_PTR IconRetryTimer = 2;
void RetryTrayIcon();

void RemoveTrayIcon();
