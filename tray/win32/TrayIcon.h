#pragma once

// Adds the icon to the notification area (again, after the taskbar
// restarted) and asks for the newest way of notifying it.
void AddTrayIcon();

void RemoveTrayIcon();
