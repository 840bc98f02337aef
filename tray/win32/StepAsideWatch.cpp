#include "tray/win32/StepAsideWatch.h"

#include <shellapi.h>

#include "app/win32/WindowRect.h"
#include "tray/StepAside.h"
#include "tray/win32/MascotVisibility.h"
#include "tray/win32/TrayState.h"

static_assert(CaptionStyle == WS_CAPTION, "the core's title bar is the system's");
static_assert(ShellBusy == int(QUNS_BUSY) && ShellRunningD3DFullScreen == int(QUNS_RUNNING_D3D_FULL_SCREEN) &&
                  ShellPresentationMode == int(QUNS_PRESENTATION_MODE) &&
                  ShellAcceptsNotifications == int(QUNS_ACCEPTS_NOTIFICATIONS),
              "the core numbers the shell's states as the shell does");

void StartStepAsideWatch()
{
    // Polled: a look costs a few calls, twice a second, whether or not the
    // mascot shows, and it is back within a second after the program ends.
    SetTimer(tray.window, StepAsideTimer, StepAsideTimerPeriod, nullptr);
}

void EndStepAsideWatch() { KillTimer(tray.window, StepAsideTimer); }

void CheckForFullScreen()
{
    if (tray.mascotWindow == nullptr) return;
    // The mascot's monitor, whole: a full-screen window covers the taskbar too.
    const HMONITOR mascotMonitor = MonitorFromWindow(tray.mascotWindow, MONITOR_DEFAULTTONEAREST);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(mascotMonitor, &monitor)) return;

    ForegroundFacts foreground = {};
    char className[64] = "";
    const HWND front = GetForegroundWindow();
    RECT box = {};
    foreground.exists = front != nullptr && GetWindowRect(front, &box);
    if (foreground.exists) {
        DWORD process = 0;
        GetWindowThreadProcessId(front, &process);
        foreground.ours = process == GetCurrentProcessId();
        GetClassNameA(front, className, sizeof className);
        foreground.className = className;
        foreground.style = static_cast<uint32_t>(GetWindowLongW(front, GWL_STYLE));
        foreground.window = ToScreenRect(box);
        foreground.onMascotMonitor = MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST) == mascotMonitor;
    }
    // "QUNS_BUSY: A full-screen application is running or Presentation
    // Settings are applied"; where the call fails, the window decides.
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (SHQueryUserNotificationState(&state) != S_OK) state = QUNS_ACCEPTS_NOTIFICATIONS;
    SetHideReason(HiddenForFullScreen, ShouldStepAside(foreground, ToScreenRect(monitor.rcMonitor), state));
}
