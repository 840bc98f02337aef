// Per-monitor DPI awareness, so that Windows never stretches the mascot
// with smoothing: the program draws it at whole-number sizes itself.
#pragma once
#include <windows.h>

// The system's calls that set the awareness; null where a system lacks one.
struct DpiAwarenessCalls {
    BOOL(WINAPI* setContext)(HANDLE context);  // Windows 10 1607 and later
    HRESULT(WINAPI* setAwareness)(int level);  // shcore.dll, Windows 8.1 and later
    BOOL(WINAPI* setAware)();                  // Vista and later: the system's DPI alone
};

// The newest awareness the system takes: per monitor (version 2, else the
// first), else the system's DPI. An awareness already set, as by the
// manifest, stays.
void EnablePerMonitorDpiWith(const DpiAwarenessCalls& calls);

// The same with the system's own calls; before the first window.
void EnablePerMonitorDpi();

// The DPI that `hwnd` is drawn for.
UINT WindowDpi(HWND hwnd);
