// Answers the modal dialogs that this thread opens, from inside their own
// modal loop, before the loop ever shows them: closing a dialog that was
// shown costs about 2 s under Wine without a window manager, which rules
// out opening hundreds of them.
#pragma once
#include <windows.h>

// Called with the dialog right after its WM_INITDIALOG returns. It may read
// and set the controls; it should post (not send) the closing command, such
// as WM_COMMAND IDOK: posted, that command is the first message the modal
// loop takes, so the dialog ends before it is shown.
typedef void (*DialogAnswer)(HWND dialog);

// Answers every dialog (class "#32770") created on this thread from now on.
bool AnswerDialogsWith(DialogAnswer answer);
void StopAnsweringDialogs();

// Dialogs answered since AnswerDialogsWith, and those among them that were
// still open 500 ms after their answer and so were ended by the helper with
// IDABORT (a procedure that ignores its command fails a test instead of
// hanging it).
int DialogsAnswered();
int DialogsStuck();

// True for a dialog box: a window of the system's dialog class "#32770".
bool IsDialogWindow(HWND hwnd);

// Helpers for answers.
void SetDialogText(HWND dialog, int id, const char* text);
void PostDialogCommand(HWND dialog, WORD id);
