#include "desk/win32/DpiAwareness.h"

#include "app/win32/SystemLibrary.h"

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, and
// PROCESS_PER_MONITOR_DPI_AWARE, as the system numbers them.
const HANDLE PerMonitorV2Context = reinterpret_cast<HANDLE>(-4);
const HANDLE PerMonitorContext = reinterpret_cast<HANDLE>(-3);
const int ProcessPerMonitorAware = 2;

template <typename Call>
Call Find(HMODULE module, const char* name)
{
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// "ERROR_ACCESS_DENIED if the default API awareness mode for the process
// has already been set (via a previous API call or within the application
// manifest)": then the manifest has spoken, and that holds.
bool ContextTaken(const DpiAwarenessCalls& calls, HANDLE context)
{
    if (calls.setContext(context)) return true;
    return GetLastError() == ERROR_ACCESS_DENIED;
}

}  // namespace

void EnablePerMonitorDpiWith(const DpiAwarenessCalls& calls)
{
    // Windows 8.1 and earlier Windows 10 know no version 2 ("ERROR_INVALID_PARAMETER
    // for an invalid input"), nor does Wine: the first per-monitor awareness then.
    if (calls.setContext != nullptr &&
        (ContextTaken(calls, PerMonitorV2Context) || ContextTaken(calls, PerMonitorContext)))
        return;
    if (calls.setAwareness != nullptr) {
        // "E_ACCESSDENIED: The DPI awareness is already set".
        const HRESULT result = calls.setAwareness(ProcessPerMonitorAware);
        if (result == S_OK || result == E_ACCESSDENIED) return;
    }
    if (calls.setAware != nullptr) calls.setAware();
}

void EnablePerMonitorDpi()
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    DpiAwarenessCalls calls = {};
    calls.setContext = Find<BOOL(WINAPI*)(HANDLE)>(user32, "SetProcessDpiAwarenessContext");
    calls.setAware = Find<BOOL(WINAPI*)()>(user32, "SetProcessDPIAware");
    // Only a system without contexts needs shcore, and only from System32.
    if (calls.setContext == nullptr)
        calls.setAwareness = Find<HRESULT(WINAPI*)(int)>(LoadSystemLibrary(L"shcore.dll"), "SetProcessDpiAwareness");
    EnablePerMonitorDpiWith(calls);
}

UINT WindowDpi(HWND hwnd)
{
    typedef UINT(WINAPI * DpiForWindowCall)(HWND);
    static const DpiForWindowCall dpiForWindow =
        Find<DpiForWindowCall>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (dpiForWindow != nullptr) {
        const UINT dpi = dpiForWindow(hwnd);
        if (dpi != 0) return dpi;
    }
    // Before Windows 10 1607 one DPI holds for every monitor: the screen's.
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}
