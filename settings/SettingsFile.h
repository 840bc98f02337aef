// The settings record's file "savedata", in the current working directory:
// the record's 552-byte memory image, nothing before or after it.
#pragma once
#include <cstddef>

// Replaces the record's first N bytes with a "savedata" file of N bytes and
// ignores bytes past the record's size; a missing or unreadable file
// changes nothing.
void LoadSettings();

// Writes the whole record to "savedata". The bytes go to a temporary file
// first, which then replaces "savedata" in one step, so readers (such as a
// second copy of the program in the same folder) never see a partial file,
// and a save that fails leaves the old file exactly as it was.
void SaveSettings();

// The name of the temporary file a save of this process writes first:
// "savedata.<process id>.tmp", so two processes never share one.
void SettingsTempName(char* out, std::size_t size);
