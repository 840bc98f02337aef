// The file operations of a safe save, which differ between platforms. Kept
// behind this header so the settings core builds without <windows.h>.
#pragma once
#include <cstddef>
#include <cstdint>

// A file that a save holds open: the platform's handle or descriptor and
// the name it was opened by, relative to the working folder.
struct HeldFile {
    intptr_t handle;
    const char* name;
};

// Fresh bits from the system's secure random source; false if it gave none.
bool RandomBits(uint64_t& bits);

// Creates `name` as a new file for writing. Fails if anything stands at
// that name, a link included, which is never followed. While the file is
// open, no other program can delete, rename or write it.
bool CreateNewFile(const char* name, HeldFile& file);

// Opens the regular file `name` for writing where it stands, without
// cutting it; others may go on reading and writing it meanwhile. Fails for
// a folder, for a file that cannot be written, and for a link: the file
// must be the working folder's own entry.
bool OpenFileInPlace(const char* name, HeldFile& file);

// Writes `size` bytes at the start of the file in one call, cuts the file
// after them and flushes it to the disk. False if any of these failed.
bool WriteWholeFile(const HeldFile& file, const void* data, std::size_t size);

// Puts the open file in the place of `to` in one step: whoever opens `to`
// finds the old file or the new one, whole. The step itself is not flushed.
// False when the platform refused (`to` is in use, a folder, read-only);
// `to` is then as it was.
bool ReplaceWithFile(const HeldFile& file, const char* to);

// Closes the file; `discard` deletes it as well.
void CloseFile(const HeldFile& file, bool discard);

// Calls `visit` with the name of each entry of the working folder that
// matches `wildcard` (with "*" only).
void ForEachEntry(const char* wildcard, void (*visit)(const char* name));

// Deletes the regular file `name` of the working folder unless someone
// holds it open, as a save in progress holds its new file. Never deletes
// what a link points to.
void RemoveUnusedFile(const char* name);
