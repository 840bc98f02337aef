// The entry of every Win32 test program: GoogleTest with a watchdog. A test
// that hangs (a modal dialog that nothing ends, a wait for a message that
// never comes) fails within a minute, naming itself, instead of holding the
// whole run until CTest gives up on the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

CRITICAL_SECTION guard;
std::string runningTest;  // empty between tests
DWORD startedAt = 0;
DWORD limitMs = 60000;

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
    for (;;) {
        Sleep(250);
        EnterCriticalSection(&guard);
        const bool overdue = !runningTest.empty() && GetTickCount() - startedAt > limitMs;
        const std::string name = runningTest;
        LeaveCriticalSection(&guard);
        if (overdue) {
            std::fprintf(stderr, "\nHUNG: %s still running after %lu s; ending the test program\n", name.c_str(),
                         static_cast<unsigned long>(limitMs / 1000));
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
    // PELMO_TEST_SECONDS sets the limit of one test (60 s by default).
    if (const char* seconds = std::getenv("PELMO_TEST_SECONDS"))
        if (std::atoi(seconds) > 0) limitMs = static_cast<DWORD>(std::atoi(seconds)) * 1000;
    InitializeCriticalSection(&guard);
    testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener);
    CloseHandle(CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr));
    return RUN_ALL_TESTS();
}
