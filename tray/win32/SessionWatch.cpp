#include "tray/win32/SessionWatch.h"

#include <wtsapi32.h>

#include "app/win32/SystemLibrary.h"
#include "tray/win32/MascotVisibility.h"
#include "tray/win32/TrayState.h"

namespace {

// "GUID_CONSOLE_DISPLAY_STATE ... The current monitor's display state has
// changed ... PowerMonitorOff (0), PowerMonitorOn (1), PowerMonitorDim (2)",
// from Windows 8 on; before it, GUID_MONITOR_POWER_ON, "0x0 - The monitor
// is off. 0x1 - The monitor is on" (Power Setting GUIDs).
const GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

HPOWERNOTIFY displayNotice = nullptr;
bool sessionNotices = false;
// Started with Windows, the program may ask before the session service is
// ready: "If this function is called before the dependent services of
// Remote Desktop Services have started, an RPC_S_INVALID_BINDING error code
// may be returned" (WTSRegisterSessionNotification). It asks again on the
// icon window's timer for a while.
int sessionRetries = 0;
const int SessionRetryLimit = 600;

// wtsapi32.dll is no KnownDLL: from System32 alone.
template <typename Call>
Call SessionCall(const char* name)
{
    const HMODULE wtsapi = LoadSystemLibrary(L"wtsapi32.dll");
    return wtsapi == nullptr ? nullptr
                             : reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(wtsapi, name)));
}

}  // namespace

void StartSessionWatch()
{
    sessionRetries = 0;
    RetrySessionWatch();
    displayNotice = RegisterPowerSettingNotification(tray.window, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (displayNotice == nullptr)
        displayNotice = RegisterPowerSettingNotification(tray.window, &MonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void RetrySessionWatch()
{
    if (sessionNotices || sessionRetries > SessionRetryLimit) return;
    ++sessionRetries;
    typedef BOOL(WINAPI * RegisterCall)(HWND, DWORD);
    const RegisterCall registerNotices = SessionCall<RegisterCall>("WTSRegisterSessionNotification");
    sessionNotices = registerNotices != nullptr && registerNotices(tray.window, NOTIFY_FOR_THIS_SESSION);
}

void EndSessionWatch()
{
    // "When a window no longer requires these notifications, it must call
    // WTSUnRegisterSessionNotification before being destroyed."
    typedef BOOL(WINAPI * UnregisterCall)(HWND);
    const UnregisterCall unregister = sessionNotices ? SessionCall<UnregisterCall>("WTSUnRegisterSessionNotification")
                                                     : nullptr;
    if (unregister != nullptr) unregister(tray.window);
    sessionNotices = false;
    if (displayNotice != nullptr) UnregisterPowerSettingNotification(displayNotice);
    displayNotice = nullptr;
}

void OnSessionChange(WPARAM event)
{
    if (event == WTS_SESSION_LOCK) SetHideReason(HiddenWhileLocked, true);
    if (event == WTS_SESSION_UNLOCK) SetHideReason(HiddenWhileLocked, false);
}

bool OnPowerSetting(const POWERBROADCAST_SETTING* setting)
{
    if (setting == nullptr || setting->DataLength < sizeof(DWORD)) return false;
    if (!IsEqualGUID(setting->PowerSetting, ConsoleDisplayState) && !IsEqualGUID(setting->PowerSetting, MonitorPowerOn))
        return false;
    DWORD state = 0;
    memcpy(&state, setting->Data, sizeof state);
    // A dimmed display still shows the mascot.
    SetHideReason(HiddenWhileDisplayOff, state == 0);
    return true;
}
