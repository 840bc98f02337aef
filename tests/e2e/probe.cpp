// A small helper program for the end-to-end tests: finds the mascot window
// and its options dialog from outside, reads them and sends them messages,
// as another process on the desktop would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND ParseHandle(const char* text) { return reinterpret_cast<HWND>(std::strtoull(text, nullptr, 0)); }

HWND WaitForWindow(const wchar_t* cls, const wchar_t* title, int timeoutMs)
{
    for (int waited = 0;; waited += 50) {
        HWND hwnd = FindWindowW(cls, title);
        if (hwnd != nullptr || waited >= timeoutMs) return hwnd;
        Sleep(50);
    }
}

int PrintRect(HWND hwnd)
{
    RECT r = {};
    if (!GetWindowRect(hwnd, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

// Text of a dialog control, as UTF-8 so the shell can compare it.
int PrintControlText(HWND dialog, int id)
{
    wchar_t text[256] = L"";
    GetWindowTextW(GetDlgItem(dialog, id), text, 256);
    char utf8[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "probe find [ms] | dialog [ms] | rect H | text H ID | title H\n"
                 "      send H CMD | post H CMD | close H | visible H\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return Usage();
    const char* verb = argv[1];
    const int timeout = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (std::strcmp(verb, "find") == 0) {
        HWND hwnd = WaitForWindow(L"AAA", L"Pelmo", timeout);
        if (hwnd == nullptr) return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
        return 0;
    }
    if (std::strcmp(verb, "dialog") == 0) {
        HWND hwnd = WaitForWindow(nullptr, L"\u30AA\u30D7\u30B7\u30E7\u30F3", timeout);  // "オプション"
        if (hwnd == nullptr) return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
        return 0;
    }
    if (argc < 3) return Usage();
    HWND hwnd = ParseHandle(argv[2]);
    if (std::strcmp(verb, "rect") == 0) return PrintRect(hwnd);
    if (std::strcmp(verb, "visible") == 0) return IsWindow(hwnd) && IsWindowVisible(hwnd) ? 0 : 1;
    if (std::strcmp(verb, "title") == 0) {
        wchar_t text[256] = L"";
        GetWindowTextW(hwnd, text, 256);
        char utf8[1024] = "";
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        std::printf("%s\n", utf8);
        return 0;
    }
    if (std::strcmp(verb, "close") == 0) return PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    if (argc < 4) return Usage();
    const int number = std::atoi(argv[3]);
    if (std::strcmp(verb, "text") == 0) return PrintControlText(hwnd, number);
    if (std::strcmp(verb, "send") == 0) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(hwnd, WM_COMMAND, static_cast<WPARAM>(number), 0, SMTO_NORMAL, 5000, &result) ? 0 : 1;
    }
    if (std::strcmp(verb, "post") == 0) return PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(number), 0) ? 0 : 1;
    return Usage();
}
