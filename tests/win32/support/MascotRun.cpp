#include "support/MascotRun.h"

#include "app/win32/MascotWindow.h"
#include "app/win32/ShellState.h"

namespace {

BOOL CALLBACK FindMascot(HWND hwnd, LPARAM found)
{
    char name[100] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, className) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

HWND StartMascot(int showCommand)
{
    static bool registered = false;
    appInstance = GetModuleHandleA(nullptr);
    if (!registered) {
        LoadClassName(appInstance);
        registered = RegisterMascotClass(appInstance) != 0;
    }
    if (!CreateMascotWindow(appInstance, showCommand)) return nullptr;
    // Other test programs may show mascots too: take this thread's own.
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMascot, reinterpret_cast<LPARAM>(&found));
    return found;
}

void EndMascot(HWND& hwnd)
{
    if (hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
    hwnd = nullptr;
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (backBufferDC != nullptr) DeleteDC(backBufferDC);
    if (backBufferBitmap != nullptr) DeleteObject(backBufferBitmap);
    backBufferDC = nullptr;
    backBufferBitmap = nullptr;
    appInstance = GetModuleHandleA(nullptr);
}
