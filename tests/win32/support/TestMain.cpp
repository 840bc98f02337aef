// The entry of every Win32 test program: GoogleTest with a watchdog. A test
// that hangs (a modal dialog that nothing ends, a wait for a message that
// never comes) fails within 90 s, naming itself, instead of holding the
// whole run until CTest gives up on the program. The watchdog first cancels
// the program's open dialogs, so that the other tests still run; a test that
// is still stuck a few seconds later ends the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/WindowSupport.h"

namespace {

CRITICAL_SECTION guard;
std::string runningTest;  // empty between tests
DWORD startedAt = 0;
DWORD limitMs = 90000;
const DWORD GraceMs = 5000;
volatile LONG hungTests = 0;

BOOL CALLBACK CancelDialog(HWND hwnd, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId() && IsDialogWindow(hwnd))
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

struct WatchdogListener : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override
    {
        EnterCriticalSection(&guard);
        runningTest = std::string(info.test_suite_name()) + "." + info.name();
        startedAt = GetTickCount();
        LeaveCriticalSection(&guard);
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        EnterCriticalSection(&guard);
        runningTest.clear();
        LeaveCriticalSection(&guard);
    }
};

DWORD WINAPI Watch(void*)
{
    std::string cancelled;  // the test whose dialogs were cancelled
    for (;;) {
        Sleep(250);
        EnterCriticalSection(&guard);
        const DWORD running = runningTest.empty() ? 0 : GetTickCount() - startedAt;
        const std::string name = runningTest;
        LeaveCriticalSection(&guard);
        if (running <= limitMs) continue;
        if (name != cancelled) {
            cancelled = name;
            InterlockedIncrement(&hungTests);
            std::fprintf(stderr, "\nHUNG: %s still running after %lu s; cancelling its dialogs\n", name.c_str(),
                         static_cast<unsigned long>(limitMs / 1000));
            std::fflush(stderr);
            EnumWindows(CancelDialog, 0);
        } else if (running > limitMs + GraceMs) {
            std::fprintf(stderr, "HUNG: %s is still stuck; ending the test program\n", name.c_str());
            std::fflush(stderr);
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // PELMO_TEST_SECONDS sets the limit of one test (90 s by default).
    if (const char* seconds = std::getenv("PELMO_TEST_SECONDS"))
        if (std::atoi(seconds) > 0) limitMs = static_cast<DWORD>(std::atoi(seconds)) * 1000;
    InitializeCriticalSection(&guard);
    testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener);
    CloseHandle(CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr));
    const int result = RUN_ALL_TESTS();
    // A test that had hung fails the program even if it then passed.
    return result != 0 || hungTests != 0 ? 1 : 0;
}
