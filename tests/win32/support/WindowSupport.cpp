#include "support/WindowSupport.h"

#include <vector>

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

HHOOK hook = nullptr;
bool recording = false;
std::vector<SentResult> sentResults;
void (*sentResultCallback)(const SentResult&) = nullptr;

// The dialog driver: the act, and the dialog it is at.
const DWORD StuckMs = 500;
DialogAct dialogAct;
DialogMoment dialogMoment = BeforeShown;
HWND dialog = nullptr;
bool acted = false;
UINT_PTR dialogTimer = 0;
int driven = 0;
int stuck = 0;

void CALLBACK DialogTick(HWND, UINT, UINT_PTR, DWORD);

void ArmDialogTimer(DWORD ms)
{
    if (dialogTimer != 0) KillTimer(nullptr, dialogTimer);
    dialogTimer = ms != 0 ? SetTimer(nullptr, 0, ms, DialogTick) : 0;
}

void Act(HWND hwnd)
{
    acted = true;
    // Disarmed meanwhile: the act may dispatch messages and must not re-enter.
    ArmDialogTimer(0);
    dialogAct(hwnd);
    ArmDialogTimer(StuckMs);
}

BOOL CALLBACK EndStuckDialog(HWND hwnd, LPARAM)
{
    if (IsDialogWindow(hwnd)) {
        ++stuck;
        EndDialog(hwnd, DialogStuckResult);
    }
    return TRUE;
}

void CALLBACK DialogTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!acted) {
        if (IsWindowVisible(dialog)) Act(dialog);
        return;
    }
    ArmDialogTimer(0);
    EnumThreadWindows(GetCurrentThreadId(), EndStuckDialog, 0);
}

LRESULT CALLBACK AfterSentMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (recording) {
            sentResults.push_back(SentResult{sent->hwnd, sent->message, sent->lResult});
            if (sentResultCallback != nullptr) sentResultCallback(sentResults.back());
        }
        if (sent->message == WM_INITDIALOG && dialogAct && IsDialogWindow(sent->hwnd)) {
            ++driven;
            dialog = sent->hwnd;
            acted = false;
            if (dialogMoment == BeforeShown)
                Act(dialog);
            else
                ArmDialogTimer(10);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

bool WatchSentMessages()
{
    if (hook == nullptr) hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterSentMessage, nullptr, GetCurrentThreadId());
    return hook != nullptr;
}

BOOL CALLBACK CountDialog(HWND hwnd, LPARAM count)
{
    if (IsDialogWindow(hwnd)) ++*reinterpret_cast<int*>(count);
    return TRUE;
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

bool RecordSentResults(bool on)
{
    recording = on;
    return WatchSentMessages();
}

void OnSentResult(void (*callback)(const SentResult& sent)) { sentResultCallback = callback; }

void ClearSentResults() { sentResults.clear(); }

bool LastSentResult(HWND hwnd, UINT message, SentResult& out)
{
    for (size_t i = sentResults.size(); i > 0; --i) {
        if (sentResults[i - 1].message == message && sentResults[i - 1].hwnd == hwnd) {
            out = sentResults[i - 1];
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

bool DriveDialogs(const DialogAct& act, DialogMoment moment)
{
    dialogAct = act;
    dialogMoment = moment;
    driven = 0;
    stuck = 0;
    return WatchSentMessages();
}

void StopDrivingDialogs()
{
    dialogAct = nullptr;
    ArmDialogTimer(0);
    dialog = nullptr;
}

int DialogsDriven() { return driven; }
int DialogsStuck() { return stuck; }

int OpenDialogs()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
}

bool IsDialogWindow(HWND hwnd)
{
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

std::string DialogText(HWND dialog, int id)
{
    char text[600] = "";
    GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
    return text;
}

void SetDialogText(HWND dialog, int id, const char* text) { SetWindowTextA(GetDlgItem(dialog, id), text); }

void PostDialogCommand(HWND dialog, WORD id) { PostMessageA(dialog, WM_COMMAND, id, 0); }
