// Imports what pelmo.exe imports and ends at once, calling nothing: the
// DLLs that Wine loads for it are those that its own DLLs bring in before
// WinMain runs, which a program cannot keep out and Windows does not load.
#include <windows.h>
#include <shlobj.h>

// One function of each DLL, so that the linker imports it: user32, gdi32,
// shell32 and ole32.
void* volatile imported[] = {reinterpret_cast<void*>(&GetDesktopWindow), reinterpret_cast<void*>(&GetStockObject),
                             reinterpret_cast<void*>(&SHGetKnownFolderPath), reinterpret_cast<void*>(&CoTaskMemFree)};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
