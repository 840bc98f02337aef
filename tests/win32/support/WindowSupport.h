// Helpers for driving the real mascot window procedure in a test program.
#pragma once
#include <windows.h>

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
// Records, through a WH_CALLWNDPROCRET hook on this thread, what the window
// procedure returned for sent messages (creation, destruction, paints that
// UpdateWindow or RedrawWindow send).
struct SentResult {
    HWND hwnd;
    UINT message;
    LRESULT result;
};

bool InstallSentResultHook();
// Called right after each recorded result, while the caller of the message
// (such as CreateWindowExA) has not yet gone on; null to stop.
void OnSentResult(void (*callback)(const SentResult& sent));
void RemoveSentResultHook();
void ClearSentResults();
int SentResultCount(UINT message);
// The last recorded result for `message` sent to `hwnd` (any window when
// hwnd is null); false when none was recorded.
bool LastSentResult(HWND hwnd, UINT message, SentResult& out);

// The same for a message sent to a live window of the class `windowClass`.
bool LastSentResultOfClass(const char* windowClass, UINT message, SentResult& out);

// --- Messages ------------------------------------------------------------
// Dispatches everything waiting for this thread; never waits.
void PumpWaitingMessages();

// Removes a WM_QUIT waiting for this thread; true (and its exit code) if one was there.
bool TakeQuitMessage(WPARAM& exitCode);

// Dispatches messages until `done` returns true or `limitMs` passes.
bool PumpUntil(bool (*done)(), DWORD limitMs);

// --- Modal dialogs -------------------------------------------------------
// Called once from inside the modal loop with the open dialog, before the
// helper ends the dialog.
typedef void (*DialogVisit)(HWND dialog);

// Arms a thread timer that, inside the next modal loop, finds the dialog
// owned by `owner`, calls `visit` on it and ends it with IDCANCEL.
void CloseNextDialogOf(HWND owner, DialogVisit visit);

// Stops the helper; returns the dialog it saw (null if none appeared).
HWND StopDialogCloser();
