#pragma once
#include <windows.h>

// Shows the icon's menu at `anchor` until an item is chosen or the user
// clicks elsewhere or presses Esc; the item chosen reaches the icon's
// window as WM_COMMAND.
void ShowTrayMenu(POINT anchor);

// Carries out the menu item `id`.
void RunTrayCommand(WORD id);
