#include "tray/StepAside.h"

#include <cstring>

namespace {

// The desktop and the taskbars cover the monitor without being a program
// the user watches; so does the desktop window itself ("#32769"), which the
// system may report as the foreground while no window has it.
bool IsShellWindow(const char* className)
{
    static const char* const shell[] = {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd", "#32769"};
    if (className == nullptr) return false;
    for (const char* name : shell)
        if (std::strcmp(className, name) == 0) return true;
    return false;
}

bool FullScreenForeground(const ForegroundFacts& foreground, const ScreenRect& monitor)
{
    if (!foreground.exists || foreground.ours || IsShellWindow(foreground.className)) return false;
    // A maximized window keeps its title bar; a full-screen one has none.
    if ((foreground.style & CaptionStyle) == CaptionStyle) return false;
    return Covers(foreground.window, monitor);
}

}  // namespace

bool ShouldStepAside(const ForegroundFacts& foreground, const ScreenRect& monitor, int notificationState)
{
    if (FullScreenForeground(foreground, monitor)) return true;
    if (notificationState == ShellPresentationMode) return true;
    // The shell says this of the whole desktop: a full-screen program in
    // front on another monitor leaves this one be.
    const bool fullScreenProgram = notificationState == ShellBusy || notificationState == ShellRunningD3DFullScreen;
    return fullScreenProgram && !(foreground.exists && !foreground.ours && !foreground.onMascotMonitor);
}
