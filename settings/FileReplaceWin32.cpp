#include "settings/FileReplace.h"

#include <windows.h>

unsigned long ProcessNumber() { return GetCurrentProcessId(); }

bool ReplaceWithFile(const char* from, const char* to)
{
    // Another copy of the program may have "savedata" open for a moment
    // (its dialog re-reads it at every message), which makes the replace
    // fail with a sharing error: try again briefly before giving up.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        Sleep(10);
    }
    return false;
}
