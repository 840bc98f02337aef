// The user's settings: the memory image of the file "savedata", byte for byte.
#pragma once
#include <cstddef>
#include <cstdint>

struct SettingsRecord {
    char text1[256];
    char text2[256];
    int32_t values[10];
};

static_assert(sizeof(SettingsRecord) == 552, "savedata is 552 bytes");
static_assert(offsetof(SettingsRecord, text2) == 256, "text2 at 256");
static_assert(offsetof(SettingsRecord, values) == 512, "values at 512");

extern SettingsRecord settings;

// The wander range's width and height.
inline int32_t& RangeX() { return settings.values[0]; }
inline int32_t& RangeY() { return settings.values[1]; }

// The icon menu's Size: 0 Auto, 1 to 4 that many screen pixels to each of
// the mascot's (anything else reads as Auto). Files from before the menu
// hold 0 here, and so keep meaning what they meant.
const int SizeValue = 2;
inline int32_t& SizeChoice() { return settings.values[SizeValue]; }

// The icon menu's All monitors: 1 on, anything else off.
const int AllMonitorsValue = 3;
inline int32_t& AllMonitorsChoice() { return settings.values[AllMonitorsValue]; }
inline bool AllMonitorsChosen() { return AllMonitorsChoice() == 1; }
