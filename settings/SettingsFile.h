#pragma once

// Replaces the record's first N bytes with a "savedata" file of N bytes;
// a missing or unreadable file changes nothing.
void LoadSettings();

// Writes the whole record to "savedata".
void SaveSettings();
