// The few file operations a safe save needs that differ between platforms.
// Kept behind this header so the settings core builds without <windows.h>.
#pragma once

// A number that no other running process has, for per-process file names.
unsigned long ProcessNumber();

// Puts the file `from` in the place of `to` in one step: anyone opening
// `to` sees either the old file or the new one whole. False when the file
// could not be replaced; `to` is then as it was.
bool ReplaceWithFile(const char* from, const char* to);
