// Helpers for driving the real mascot window procedure in a test program.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// --- Import spies --------------------------------------------------------
// Rewrites every import slot of this program that holds `target` (a
// function's address as GetProcAddress gives it) to `replacement`, so the
// program's own calls of that function go there; false if none was found.
bool PatchImports(ULONG_PTR target, ULONG_PTR replacement);

// --- DefWindowProcA spy -------------------------------------------------
// Redirects this program's imported DefWindowProcA, so every call that the
// window procedure passes on is recorded. Returns false if not found.
bool InstallDefWindowProcSpy();

// Forgets the calls recorded so far and any forced result.
void ResetDefWindowProcSpy();

// Calls recorded since the last reset, of any message.
int DefWindowProcCallsInAll();

// Calls recorded since the last reset for this message.
int DefWindowProcCalls(UINT message);

// From now on the spy answers `message` with `result` instead of passing it
// on, so a caller that forwards the result can be told from one that does not.
void ForceDefWindowProcResult(UINT message, LRESULT result);

// The real DefWindowProcA, never recorded.
LRESULT RealDefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// --- Results of sent messages --------------------------------------------
// One hook on this thread (WH_CALLWNDPROCRET) sees each sent message once
// its procedure has returned: it hands new dialogs to the driver below and,
// while recording is on, records what was returned (creation, destruction,
// paints that UpdateWindow or RedrawWindow send).
struct SentResult {
    HWND hwnd;
    UINT message;
    LRESULT result;
};

// Records from now on, or no longer; false if the hook could not be set.
bool RecordSentResults(bool on);
// Called right after each recorded result, while the caller of the message
// (such as CreateWindowExA) has not yet gone on; null to stop.
void OnSentResult(void (*callback)(const SentResult& sent));
void ClearSentResults();
// The last recorded result for `message` sent to `hwnd`; false when none was recorded.
bool LastSentResult(HWND hwnd, UINT message, SentResult& out);

// --- Messages ------------------------------------------------------------
// Dispatches everything waiting for this thread; never waits.
void PumpWaitingMessages();

// Removes a WM_QUIT waiting for this thread; true (and its exit code) if one was there.
bool TakeQuitMessage(WPARAM& exitCode);

// Dispatches messages until `done` returns true or `limitMs` passes.
bool PumpUntil(bool (*done)(), DWORD limitMs);

// --- Modal dialogs -------------------------------------------------------
// The one way the tests act inside a modal dialog, whoever opens it (a
// DialogBox call of the test, a right click, command 32793): from now on
// until StopDrivingDialogs, every dialog (class "#32770") that this thread
// opens is handed to `act`, from inside the dialog's own modal loop, at
// one of two moments:
//   BeforeShown  right after its WM_INITDIALOG returns. What the act posts
//                (not sends) is the first the loop takes, so a dialog that
//                it closes ends without ever being shown.
//   OnceShown    from a timer of the loop, once the dialog is visible: for
//                what needs a dialog on screen (the foreground, a paint
//                behind it). The act may send as well as post.
// The act ends the dialog, or posts what ends it. A dialog still open
// 500 ms after its act is ended by the driver with DialogStuckResult and
// counted, so that a procedure that ignores its command fails the test
// instead of hanging it.
typedef std::function<void(HWND dialog)> DialogAct;
enum DialogMoment { BeforeShown, OnceShown };
const INT_PTR DialogStuckResult = IDABORT;

bool DriveDialogs(const DialogAct& act, DialogMoment moment = BeforeShown);
void StopDrivingDialogs();

// Dialogs opened since DriveDialogs, and those among them that the driver
// had to end.
int DialogsDriven();
int DialogsStuck();

// Dialogs of this thread open right now.
int OpenDialogs();

// True for a dialog box: a window of the system's dialog class "#32770".
bool IsDialogWindow(HWND hwnd);

// Helpers for acts.
std::string DialogText(HWND dialog, int id);
void SetDialogText(HWND dialog, int id, const char* text);
void PostDialogCommand(HWND dialog, WORD id);
