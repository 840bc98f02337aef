#include "tray/win32/TrayWindow.h"

#include <shellapi.h>
#include <windowsx.h>

#include "app/win32/ShellState.h"
#include "res/resource.h"
#include "tray/IconEvents.h"
#include "tray/win32/SessionWatch.h"
#include "tray/win32/StepAsideWatch.h"
#include "tray/win32/TrayIcon.h"
#include "tray/win32/TrayMenu.h"
#include "tray/win32/TrayState.h"

static_assert(IconRetryTimer != StepAsideTimer, "each timer of the icon's window has its own number");
static_assert(IconMouseMove == WM_MOUSEMOVE && IconLeftButtonUp == WM_LBUTTONUP && IconRightButtonUp == WM_RBUTTONUP &&
                  IconContextMenu == WM_CONTEXTMENU && IconSelect == NIN_SELECT && IconKeySelect == NIN_KEYSELECT,
              "the core numbers the icon's messages as the system does");

TrayState tray = {};

namespace {

const wchar_t TrayClassName[] = L"PelmoTray";

BOOL CALLBACK NoteMascotWindow(HWND hwnd, LPARAM found)
{
    char name[sizeof className];
    if (GetClassNameA(hwnd, name, sizeof name) == 0 || lstrcmpA(name, className) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// The mascot window is this thread's window of the mascot's class: another
// copy of the program has one of the same class and title.
HWND FindMascotWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteMascotWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

void OnIconEvent(WPARAM wParam, LPARAM lParam)
{
    // Version 4: "LOWORD(lParam) contains notification events ...
    // GET_X_LPARAM(wParam) returns the X anchor coordinate"; before it,
    // lParam is the mouse message and the menu goes where the cursor is.
    const unsigned event = tray.iconVersion4 ? LOWORD(lParam) : static_cast<unsigned>(lParam);
    if (!IconEventOpensMenu(tray.iconVersion4, event)) return;
    POINT anchor = {};
    if (tray.iconVersion4) {
        anchor.x = GET_X_LPARAM(wParam);
        anchor.y = GET_Y_LPARAM(wParam);
    } else {
        GetCursorPos(&anchor);
    }
    ShowTrayMenu(anchor);
}

}  // namespace

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TrayCallbackMessage) {
        OnIconEvent(wParam, lParam);
        return 0;
    }
    // A taskbar that starts (Explorer restarted) knows no icons yet.
    if (message == tray.taskbarCreated && message != 0) {
        PlaceTrayIcon();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        RunTrayCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // Closing the program from outside (a task list closes every window
        // of it) goes through the mascot, which ends it.
        if (tray.mascotWindow != nullptr) PostMessageW(tray.mascotWindow, WM_CLOSE, 0, 0);
        return 0;
    case WM_TIMER:
        if (wParam == StepAsideTimer) {
            CheckForFullScreen();
            RetrySessionWatch();
        }
        if (wParam == IconRetryTimer) RetryTrayIcon();
        return 0;
    case WM_WTSSESSION_CHANGE:
        OnSessionChange(wParam);
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE && OnPowerSetting(reinterpret_cast<POWERBROADCAST_SETTING*>(lParam)))
            return TRUE;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
        EndSessionWatch();
        EndStepAsideWatch();
        RemoveTrayIcon();
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool StartTray(HINSTANCE instance)
{
    tray.mascotWindow = FindMascotWindow();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TrayWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = TrayClassName;
    RegisterClassExW(&wc);
    // A top-level window, never shown: the menu of a notification icon needs
    // one that can be the foreground window. No taskbar button.
    tray.window = CreateWindowExW(WS_EX_TOOLWINDOW, TrayClassName, L"Pelmo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (tray.window == nullptr) return false;
    tray.taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    // The program's own icon at the size of the notification area's icons.
    tray.icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MASCOT), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                              LR_DEFAULTCOLOR));
    PlaceTrayIcon();
    StartStepAsideWatch();
    StartSessionWatch();
    return true;
}

void EndTray()
{
    if (tray.window != nullptr) DestroyWindow(tray.window);
    tray.window = nullptr;
}
