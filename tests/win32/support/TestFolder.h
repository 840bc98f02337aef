// A throw-away working folder holding the skin folders a/ to d/, empty.
// The program opens a frame by its relative name ("a/w3.bmp") from the
// working folder when that holds the skin's folder, else by a wide full
// path beside the program, else draws its built-in copy: with all four
// folders here, every frame a test draws is one the test wrote, or none.
#pragma once
#include <string>
#include <vector>

struct TestFolder {
    char path[260];      // the new folder, without a trailing separator
    char previous[260];  // the working directory before entering
    bool entered;
};

// Creates a fresh folder under the temp directory with a/, b/, c/ and d/
// inside, and makes it the current directory.
bool EnterTestFolder(TestFolder& folder);

// Goes back to the previous directory and deletes the folder and its files.
void LeaveTestFolder(TestFolder& folder);

// Writes `size` bytes to `path` (relative to the current directory).
bool WriteFileBytes(const char* path, const void* data, unsigned size);

// The bytes of `path`, at most 4096 (enough to see a file that is too
// long); empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const char* path);

// The names in the current folder that match `wildcard`, sorted and
// separated by blanks: "savedata" alone shows that a save left nothing.
std::string FolderEntries(const char* wildcard);
