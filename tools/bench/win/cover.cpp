// Puts the mascot out of sight for the benchmark, in the two ways a user
// does, and says whether it is: run under Wine beside pelmo.exe.
//   bench_cover hide   posts the menu's Hide (a toggle) to the icon's window
//                      of the mascot's own process, as the menu does
//   bench_cover state  prints "shown" or "hidden" for the mascot window and
//                      the class of the foreground window ("-" for none)
//   bench_cover cover  shows a window without a title bar over the mascot's
//                      whole monitor, in front, until its process is ended:
//                      a full-screen program that does nothing
#include <windows.h>

#include <cstdio>

#include "res/resource.h"

namespace {

const char CoverClassName[] = "BenchCover";

HWND FindMascot() { return FindWindowA("AAA", "Pelmo"); }

// Every running copy has a part window; the one to tell is the mascot's own.
HWND FindPartWindow(HWND mascot)
{
    DWORD mascotProcess = 0;
    GetWindowThreadProcessId(mascot, &mascotProcess);
    HWND part = nullptr;
    while ((part = FindWindowExA(nullptr, part, "PelmoTray", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(part, &process);
        if (process == mascotProcess) return part;
    }
    return nullptr;
}

int PostHide()
{
    const HWND mascot = FindMascot();
    const HWND part = mascot != nullptr ? FindPartWindow(mascot) : nullptr;
    if (part == nullptr) return std::fprintf(stderr, "bench_cover: no mascot with its part window\n"), 1;
    return PostMessageA(part, WM_COMMAND, IDM_TRAY_HIDE, 0) ? 0 : 1;
}

int PrintState()
{
    const HWND mascot = FindMascot();
    if (mascot == nullptr) return std::printf("none -\n"), 1;
    char front[64] = "-";
    const HWND foreground = GetForegroundWindow();
    if (foreground != nullptr) GetClassNameA(foreground, front, sizeof front);
    std::printf("%s %s\n", IsWindowVisible(mascot) ? "shown" : "hidden", front);
    return 0;
}

LRESULT CALLBACK CoverWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int Cover(HINSTANCE instance)
{
    // The mascot's monitor, or the primary one when there is no mascot.
    const HWND mascot = FindMascot();
    const HMONITOR monitor = mascot != nullptr ? MonitorFromWindow(mascot, MONITOR_DEFAULTTONEAREST)
                                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CoverWndProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = CoverClassName;
    RegisterClassA(&wc);
    const RECT& r = info.rcMonitor;
    const HWND window = CreateWindowExA(0, CoverClassName, "bench cover", WS_POPUP | WS_VISIBLE, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    SetForegroundWindow(window);
    // Idle in GetMessage: the cover itself costs next to nothing.
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* verb = argc == 2 ? argv[1] : "";
    if (lstrcmpA(verb, "hide") == 0) return PostHide();
    if (lstrcmpA(verb, "state") == 0) return PrintState();
    if (lstrcmpA(verb, "cover") == 0) return Cover(GetModuleHandleA(nullptr));
    std::fprintf(stderr, "usage: bench_cover hide | state | cover\n");
    return 2;
}
