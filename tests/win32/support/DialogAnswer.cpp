#include "support/DialogAnswer.h"

namespace {

HHOOK hook = nullptr;
DialogAnswer current = nullptr;
int answered = 0;
int stuck = 0;
HWND lastDialog = nullptr;
UINT_PTR guardTimer = 0;

void CALLBACK EndStuckDialog(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, guardTimer);
    guardTimer = 0;
    if (lastDialog != nullptr && IsWindow(lastDialog)) {
        ++stuck;
        EndDialog(lastDialog, IDABORT);
    }
    lastDialog = nullptr;
}

LRESULT CALLBACK AfterSentMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && current != nullptr) {
        const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (sent->message == WM_INITDIALOG && IsDialogWindow(sent->hwnd)) {
            ++answered;
            lastDialog = sent->hwnd;
            if (guardTimer != 0) KillTimer(nullptr, guardTimer);
            guardTimer = SetTimer(nullptr, 0, 500, EndStuckDialog);
            current(sent->hwnd);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

bool AnswerDialogsWith(DialogAnswer answer)
{
    current = answer;
    answered = 0;
    stuck = 0;
    if (hook == nullptr) hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterSentMessage, nullptr, GetCurrentThreadId());
    return hook != nullptr;
}

void StopAnsweringDialogs()
{
    current = nullptr;
    if (hook != nullptr) UnhookWindowsHookEx(hook);
    hook = nullptr;
    if (guardTimer != 0) KillTimer(nullptr, guardTimer);
    guardTimer = 0;
    lastDialog = nullptr;
}

bool IsDialogWindow(HWND hwnd)
{
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

int DialogsAnswered() { return answered; }
int DialogsStuck() { return stuck; }

void SetDialogText(HWND dialog, int id, const char* text) { SetWindowTextA(GetDlgItem(dialog, id), text); }

void PostDialogCommand(HWND dialog, WORD id) { PostMessageA(dialog, WM_COMMAND, id, 0); }
