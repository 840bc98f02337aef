// Starting with Windows: a shortcut to this program in the user's Startup
// folder, which starts it in its own folder, where its skins and savedata
// lie. Called on the GUI thread, which runs no other COM.
#pragma once

// Whether a shortcut in the user's Startup folder points at this very program.
bool StartsWithWindows();

// Writes this program's shortcut (on) or removes it (off); true when the
// Startup folder is then as asked, false when it could not be done, with
// the folder left as it was.
bool SetStartsWithWindows(bool on);

// The same for the Startup folder `folder` and the program at `program`
// (full paths), so that tests need neither the user's folder nor a second
// program. A shortcut points at the program when its target is the same
// path, in any case. On, an existing one is kept, else a new one takes
// the first free name, never replacing a file. Off removes every shortcut
// that points at the program, or none.
bool StartsWithWindowsIn(const wchar_t* folder, const wchar_t* program);
bool SetStartsWithWindowsIn(const wchar_t* folder, const wchar_t* program, bool on);
