#include "support/WindowSupport.h"

#include <vector>

#include "support/DialogAnswer.h"

namespace {

typedef LRESULT(WINAPI* WindowProcedure)(HWND, UINT, WPARAM, LPARAM);

WindowProcedure realDefWindowProc = nullptr;
std::vector<UINT> spiedMessages;
bool spyForcing = false;
UINT spyForcedMessage = 0;
LRESULT spyForcedResult = 0;

LRESULT WINAPI SpyDefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    spiedMessages.push_back(message);
    if (spyForcing && message == spyForcedMessage) return spyForcedResult;
    return realDefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

bool PatchImports(ULONG_PTR target, ULONG_PTR replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return false;
    bool patched = false;
    for (const IMAGE_IMPORT_DESCRIPTOR* d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name != 0; ++d) {
        for (IMAGE_THUNK_DATA* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
             slot->u1.Function != 0; ++slot) {
            if (slot->u1.Function != target) continue;
            DWORD oldProtect = 0;
            if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &oldProtect))
                continue;
            slot->u1.Function = replacement;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, oldProtect, &oldProtect);
            patched = true;
        }
    }
    return patched;
}

namespace {

std::vector<SentResult> sentResults;
HHOOK sentResultHook = nullptr;
void (*sentResultCallback)(const SentResult&) = nullptr;

LRESULT CALLBACK RecordSentResult(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        sentResults.push_back(SentResult{sent->hwnd, sent->message, sent->lResult});
        if (sentResultCallback != nullptr) sentResultCallback(sentResults.back());
    }
    return CallNextHookEx(sentResultHook, code, wParam, lParam);
}

HWND closerOwner = nullptr;
DialogVisit closerVisit = nullptr;
UINT_PTR closerTimer = 0;
HWND closerSeen = nullptr;
HWND closerFound = nullptr;

BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM)
{
    if (IsDialogWindow(hwnd) && GetWindow(hwnd, GW_OWNER) == closerOwner) {
        closerFound = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CloseDialogTick(HWND, UINT, UINT_PTR, DWORD)
{
    closerFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, 0);
    if (closerFound == nullptr) return;
    // Stop first: the visit may dispatch messages and must not re-enter.
    KillTimer(nullptr, closerTimer);
    closerTimer = 0;
    closerSeen = closerFound;
    if (closerVisit != nullptr) closerVisit(closerSeen);
    EndDialog(closerSeen, IDCANCEL);
}

}  // namespace

bool InstallDefWindowProcSpy()
{
    if (realDefWindowProc != nullptr) return true;
    const FARPROC target = GetProcAddress(GetModuleHandleA("user32.dll"), "DefWindowProcA");
    if (target == nullptr) return false;
    realDefWindowProc = reinterpret_cast<WindowProcedure>(reinterpret_cast<void*>(target));
    if (!PatchImports(reinterpret_cast<ULONG_PTR>(target), reinterpret_cast<ULONG_PTR>(&SpyDefWindowProcA))) {
        realDefWindowProc = nullptr;
        return false;
    }
    return true;
}

void ResetDefWindowProcSpy()
{
    spiedMessages.clear();
    spyForcing = false;
}

int DefWindowProcCallsInAll() { return static_cast<int>(spiedMessages.size()); }

int DefWindowProcCalls(UINT message)
{
    int calls = 0;
    for (UINT m : spiedMessages)
        if (m == message) ++calls;
    return calls;
}

void ForceDefWindowProcResult(UINT message, LRESULT result)
{
    spyForcing = true;
    spyForcedMessage = message;
    spyForcedResult = result;
}

LRESULT RealDefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (realDefWindowProc != nullptr) return realDefWindowProc(hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool InstallSentResultHook()
{
    if (sentResultHook == nullptr)
        sentResultHook = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordSentResult, nullptr, GetCurrentThreadId());
    return sentResultHook != nullptr;
}

void OnSentResult(void (*callback)(const SentResult& sent)) { sentResultCallback = callback; }

void RemoveSentResultHook()
{
    if (sentResultHook != nullptr) UnhookWindowsHookEx(sentResultHook);
    sentResultHook = nullptr;
}

void ClearSentResults() { sentResults.clear(); }

int SentResultCount(UINT message)
{
    int count = 0;
    for (const SentResult& r : sentResults)
        if (r.message == message) ++count;
    return count;
}

bool LastSentResult(HWND hwnd, UINT message, SentResult& out)
{
    for (size_t i = sentResults.size(); i > 0; --i) {
        const SentResult& r = sentResults[i - 1];
        if (r.message == message && (hwnd == nullptr || r.hwnd == hwnd)) {
            out = sentResults[i - 1];
            return true;
        }
    }
    return false;
}

bool LastSentResultOfClass(const char* windowClass, UINT message, SentResult& out)
{
    for (size_t i = sentResults.size(); i > 0; --i) {
        const SentResult& r = sentResults[i - 1];
        char name[64] = "";
        if (r.message != message || !GetClassNameA(r.hwnd, name, sizeof name)) continue;
        if (lstrcmpA(name, windowClass) == 0) {
            out = r;
            return true;
        }
    }
    return false;
}

void PumpWaitingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for TakeQuitMessage.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool TakeQuitMessage(WPARAM& exitCode)
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    exitCode = msg.wParam;
    return true;
}

bool PumpUntil(bool (*done)(), DWORD limitMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpWaitingMessages();
    }
    return true;
}

void CloseNextDialogOf(HWND owner, DialogVisit visit)
{
    closerOwner = owner;
    closerVisit = visit;
    closerSeen = nullptr;
    closerTimer = SetTimer(nullptr, 0, 20, CloseDialogTick);
}

HWND StopDialogCloser()
{
    if (closerTimer != 0) KillTimer(nullptr, closerTimer);
    closerTimer = 0;
    return closerSeen;
}
