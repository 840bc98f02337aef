// What a shortcut file holds, read through the shell's link object as any
// program would: for the tests, and for the probe that end-to-end tests
// run. Independent of the program's own reading.
#pragma once
#include <string>

struct ShortcutFields {
    std::wstring target;         // the file it starts
    std::wstring workingFolder;  // where it starts it
};

// The fields of the shortcut file `path`; false when it cannot be read.
// Initialises COM on the thread for the call.
bool ReadShortcutFields(const wchar_t* path, ShortcutFields& fields);
