// What a notification from the icon asks for. Which messages the shell
// sends depends on the version it agreed to: with version 4 a right click
// and the keyboard's menu key send WM_CONTEXTMENU and a left click
// NIN_SELECT, each after the raw mouse messages; the oldest version sends
// the mouse messages alone.
#pragma once

// The messages, as the system numbers them.
const unsigned IconMouseMove = 0x0200;     // WM_MOUSEMOVE
const unsigned IconLeftButtonUp = 0x0202;  // WM_LBUTTONUP
const unsigned IconRightButtonUp = 0x0205; // WM_RBUTTONUP
const unsigned IconContextMenu = 0x007B;   // WM_CONTEXTMENU
const unsigned IconSelect = 0x0400;        // NIN_SELECT
const unsigned IconKeySelect = 0x0401;     // NIN_KEYSELECT

// Whether the event opens the icon's menu: once a click, never twice.
bool IconEventOpensMenu(bool version4, unsigned event);
