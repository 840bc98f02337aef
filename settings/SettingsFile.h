// The settings record's file "savedata", in the current working directory:
// the record's 552-byte memory image, nothing before or after it.
#pragma once
#include <cstddef>
#include <cstdint>

// Replaces the record's first N bytes with a "savedata" file of N bytes and
// ignores bytes past the record's size; a missing or unreadable file
// changes nothing.
void LoadSettings();

// Writes the whole record to "savedata". The bytes go to a new file first,
// flushed to the disk, which then replaces "savedata" in one step, so
// readers (such as a second copy of the program in the same folder) see
// the old record or the new one, never a mix; on NTFS that holds after a
// crash too. Where the replace cannot be done ("savedata" is open in a
// program that lets others write it, or the folder allows no new file) the
// record is written over "savedata" in place, in one call. Where no write
// can succeed, the old file stays as it was. Never waits. Also removes the
// new files that saves cut short by a crash left behind. True when the
// record reached "savedata", one way or the other.
bool SaveSettings();

// Sets values[index] (0 to 9) over the file as it is now, and saves: a
// choice made in one place never undoes what another copy saved. True
// when it reached the file; the record holds the choice either way.
bool SaveSettingsValue(int index, int32_t value);

// The name of a save's new file: "savedata.<16 hex digits>.tmp" from 64
// random bits, so nobody can know it in advance.
void SettingsTempName(uint64_t bits, char* out, std::size_t size);

// How many names a save tries before it writes in place.
const int SettingsTempAttempts = 4;

// Where the bits of those names come from: the system's secure random
// source. Tests put a known sequence here.
extern bool (*settingsTempBits)(uint64_t& bits);
