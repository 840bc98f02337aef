// A small helper program for the end-to-end tests: finds the mascot window
// and its options dialog from outside, reads them and sends them messages,
// as another process on the desktop would.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/ShortcutFields.h"
#include "tray/win32/ShellIds.h"

namespace {

// A wide text as a line of UTF-8, which the shell can compare.
void PrintUtf8(const wchar_t* text)
{
    char utf8[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
}

HWND ParseHandle(const char* text) { return reinterpret_cast<HWND>(std::strtoull(text, nullptr, 0)); }

HWND WaitForWindow(const wchar_t* cls, const wchar_t* title, int timeoutMs)
{
    for (int waited = 0;; waited += 50) {
        HWND hwnd = FindWindowW(cls, title);
        if (hwnd != nullptr || waited >= timeoutMs) return hwnd;
        Sleep(50);
    }
}

// Each monitor's rectangle and work area, as "left top right bottom" twice.
BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT &m = info.rcMonitor, &w = info.rcWork;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", m.left, m.top, m.right, m.bottom, w.left, w.top, w.right,
                w.bottom);
    return TRUE;
}

// The display set to width x height, as a user changes its resolution:
// every top-level window of the desktop is told (WM_DISPLAYCHANGE).
int ResizeDisplay(int width, int height)
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    std::printf("%ld\n", result);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
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
    // GetWindowText does not read an edit field of another process: ask
    // the control itself.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, &result);
    char utf8[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
}

// The windows that one window owns.
struct OwnedSearch {
    HWND owner;
    HWND visible;  // the first visible one, such as the options dialog
    int dialogs;   // dialogs, shown or not
};

BOOL CALLBACK NoteOwned(HWND hwnd, LPARAM param)
{
    OwnedSearch* search = reinterpret_cast<OwnedSearch*>(param);
    if (GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
    if (search->visible == nullptr && IsWindowVisible(hwnd)) search->visible = hwnd;
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0) ++search->dialogs;
    return TRUE;
}

OwnedSearch SearchOwned(HWND owner)
{
    OwnedSearch search = {owner, nullptr, 0};
    EnumWindows(NoteOwned, reinterpret_cast<LPARAM>(&search));
    return search;
}

// The visible window (the options dialog) owned by the mascot window.
HWND WaitForOwned(HWND owner, int timeoutMs)
{
    for (int waited = 0;; waited += 20) {
        const HWND found = SearchOwned(owner).visible;
        if (found != nullptr || waited >= timeoutMs) return found;
        Sleep(20);
    }
}

bool WaitGone(HWND hwnd, int timeoutMs)
{
    for (int waited = 0; IsWindow(hwnd); waited += 20) {
        if (waited >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// Opens the owner's dialog with the options command and returns it.
HWND OpenDialog(HWND mascot)
{
    PostMessageA(mascot, WM_COMMAND, 32793, 0);
    return WaitForOwned(mascot, 10000);
}

std::string ControlText(HWND dialog, int id)
{
    char text[64] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Two copies share "savedata": copy A saves one of two pairs of values,
// copy B opens its dialog, which must show a whole pair every time.
int SharedSaves(HWND a, HWND b, int rounds)
{
    const char* pairs[2][2] = {{"640", "480"}, {"800", "600"}};
    for (int round = 0; round < rounds; ++round) {
        const char* const* pair = pairs[round % 2];
        HWND dialogA = OpenDialog(a);
        if (dialogA == nullptr) return std::printf("round %d: no dialog in copy A\n", round), 1;
        SendMessageA(GetDlgItem(dialogA, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pair[0]));
        SendMessageA(GetDlgItem(dialogA, 1006), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pair[1]));
        PostMessageA(dialogA, WM_COMMAND, IDOK, 0);
        if (!WaitGone(dialogA, 10000)) return std::printf("round %d: dialog A stays\n", round), 1;

        HWND dialogB = OpenDialog(b);
        if (dialogB == nullptr) return std::printf("round %d: no dialog in copy B\n", round), 1;
        const std::string x = ControlText(dialogB, 1005), y = ControlText(dialogB, 1006);
        PostMessageA(dialogB, WM_COMMAND, IDCANCEL, 0);
        WaitGone(dialogB, 10000);
        if (x != pair[0] || y != pair[1]) {
            std::printf("round %d: copy B shows %s, %s instead of %s, %s\n", round, x.c_str(), y.c_str(), pair[0], pair[1]);
            return 1;
        }
    }
    std::printf("%d rounds consistent\n", rounds);
    return 0;
}

// Holds the settings file open for reading with the C library's "rb",
// which lets others read and write it, for `ms` milliseconds; creates
// `marker` once it is open. Then prints the range read through the held
// file: what was written into that file meanwhile, not what replaced it.
int HoldSettings(const char* file, int ms, const char* marker)
{
    std::FILE* held = std::fopen(file, "rb");
    if (held == nullptr) return std::printf("cannot open %s\n", file), 1;
    std::FILE* note = std::fopen(marker, "wb");
    if (note != nullptr) std::fclose(note);
    Sleep(ms);
    unsigned char record[552] = {};
    const size_t got = std::fread(record, 1, sizeof record, held);
    std::fclose(held);
    int32_t range[2] = {};
    std::memcpy(range, record + 512, sizeof range);
    std::printf("%zu bytes, %d %d\n", got, range[0], range[1]);
    return 0;
}

// Dialogs, shown or not, that the window owns.
int CountDialogs(HWND owner)
{
    std::printf("%d\n", SearchOwned(owner).dialogs);
    return 0;
}

// Posts `count` right clicks and as many options commands to the window.
int Flood(HWND hwnd, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!PostMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30))) return 1;
        if (!PostMessageA(hwnd, WM_COMMAND, 32793, 0)) return 1;
    }
    return 0;
}

// The class and text of each control of a window, one per line, in their
// order, as UTF-8.
BOOL CALLBACK PrintChild(HWND child, LPARAM)
{
    wchar_t text[256] = L"";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &result);
    char name[64] = "", utf8[1024] = "";
    GetClassNameA(child, name, sizeof name);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    // An icon's text is its resource number, not a text.
    if (lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        lstrcpyA(utf8, "(icon)");
    std::printf("%s:%s\n", name, utf8);
    return TRUE;
}

// Another program's window to type into: "typebox", one edit field with
// the keyboard focus, open for `ms` milliseconds; then prints what arrived.
int TypeBox(int ms)
{
    HWND box = CreateWindowExW(0, L"STATIC", L"typebox", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 120, nullptr,
                               nullptr, nullptr, nullptr);
    if (box == nullptr) return 1;
    HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 370, 30, box, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(box);
    SetFocus(field);
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    wchar_t text[256] = L"";
    // Until the time is up, or the window is closed (probe close).
    while (static_cast<LONG>(until - GetTickCount()) > 0 && IsWindow(field)) {
        GetWindowTextW(field, text, 256);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (IsWindow(field)) GetWindowTextW(field, text, 256);
    char utf8[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    DestroyWindow(box);
    return 0;
}

// The user's Startup folder, where a shortcut starts a program with
// Windows; its path also where the folder is not made yet.
int PrintStartupFolder()
{
    PWSTR path = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(StartupFolderId, KF_FLAG_DONT_VERIFY, nullptr, &path));
    if (found) PrintUtf8(path);
    CoTaskMemFree(path);
    return found ? 0 : 1;
}

// The target and the working folder of the shortcut file named by the
// second argument, one a line. The name is read from the wide command
// line: it may lie outside the ANSI code page.
int PrintShortcut()
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    ShortcutFields fields;
    const bool read = args != nullptr && count > 2 && ReadShortcutFields(args[2], fields);
    LocalFree(args);
    if (!read) return 1;
    PrintUtf8(fields.target.c_str());
    PrintUtf8(fields.workingFolder.c_str());
    return 0;
}

// The notification-area code's window of the program that owns the mascot
// window `mascot`.
struct TraySearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK NoteTrayWindow(HWND hwnd, LPARAM param)
{
    TraySearch* search = reinterpret_cast<TraySearch*>(param);
    char name[32] = "";
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process || !GetClassNameA(hwnd, name, sizeof name) || lstrcmpA(name, "PelmoTray") != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND TrayWindowOf(HWND mascot)
{
    TraySearch search = {0, nullptr};
    GetWindowThreadProcessId(mascot, &search.process);
    if (search.process != 0) EnumWindows(NoteTrayWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A pop-up menu open on the desktop, waited for (`open`) or waited out.
int WaitForMenu(bool open, int timeoutMs)
{
    for (int waited = 0;; waited += 20) {
        HWND menu = FindWindowA("#32768", nullptr);
        const bool shown = menu != nullptr && IsWindowVisible(menu);
        if (shown == open) return open ? PrintRect(menu) : 0;
        if (waited >= timeoutMs) return 1;
        Sleep(20);
    }
}

// A window of another program in front for `ms` milliseconds: without a
// title bar over the whole primary monitor (a game, a video, a slide show),
// or maximized with its title bar.
int FrontWindow(int ms, bool fullScreen)
{
    const DWORD style = fullScreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    HWND front = CreateWindowExW(0, L"STATIC", L"front", style, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    if (front == nullptr) return 1;
    ShowWindow(front, fullScreen ? SW_SHOW : SW_SHOWMAXIMIZED);
    SetForegroundWindow(front);
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(front)));
    std::fflush(stdout);
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    DestroyWindow(front);
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "probe find [ms] | dialog [ms] | rect H | text H ID | title H\n"
                 "      send H CMD | post H CMD | close H | visible H\n"
                 "      owned H [ms] | settext H ID TEXT | shared A B ROUNDS\n"
                 "      dialogs H | flood H COUNT | hold FILE MS MARKER\n"
                 "      texts H | typebox MS | startup-folder | shortcut FILE\n"
                 "      tray H | menu [ms] | menu-gone [ms] | taskbar-created H | drop-icon H\n"
                 "      monitors | resize WIDTH HEIGHT | titled TITLE | foreground\n"
                 "      fullscreen MS | maximized MS\n");
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
    if (std::strcmp(verb, "titled") == 0 && argc > 2) {
        // A top-level window by its title, such as the typebox.
        wchar_t title[256] = L"";
        MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, title, 256);
        HWND hwnd = WaitForWindow(nullptr, title, 5000);
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
    if (std::strcmp(verb, "startup-folder") == 0) return PrintStartupFolder();
    if (std::strcmp(verb, "foreground") == 0) {
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetForegroundWindow())));
        return 0;
    }
    if (std::strcmp(verb, "monitors") == 0) return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : 1;
    if (argc < 3) return Usage();
    if (std::strcmp(verb, "shortcut") == 0) return PrintShortcut();
    if (std::strcmp(verb, "menu") == 0) return WaitForMenu(true, timeout);
    if (std::strcmp(verb, "menu-gone") == 0) return WaitForMenu(false, timeout);
    if (std::strcmp(verb, "typebox") == 0) return TypeBox(std::atoi(argv[2]));
    if (std::strcmp(verb, "resize") == 0 && argc > 3) return ResizeDisplay(std::atoi(argv[2]), std::atoi(argv[3]));
    if (std::strcmp(verb, "fullscreen") == 0) return FrontWindow(std::atoi(argv[2]), true);
    if (std::strcmp(verb, "maximized") == 0) return FrontWindow(std::atoi(argv[2]), false);
    HWND hwnd = ParseHandle(argv[2]);
    if (std::strcmp(verb, "rect") == 0) return PrintRect(hwnd);
    if (std::strcmp(verb, "visible") == 0) return IsWindow(hwnd) && IsWindowVisible(hwnd) ? 0 : 1;
    if (std::strcmp(verb, "title") == 0) {
        wchar_t text[256] = L"";
        GetWindowTextW(hwnd, text, 256);
        PrintUtf8(text);
        return 0;
    }
    if (std::strcmp(verb, "find-other") == 0) {
        // Another mascot window than the one given: a second copy.
        HWND other = nullptr;
        while ((other = FindWindowExA(nullptr, other, "AAA", "Pelmo")) != nullptr)
            if (other != hwnd) break;
        if (other == nullptr) return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(other)));
        return 0;
    }
    if (std::strcmp(verb, "owned") == 0) {
        HWND owned = WaitForOwned(hwnd, argc > 3 ? std::atoi(argv[3]) : 10000);
        if (owned == nullptr) return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owned)));
        return 0;
    }
    if (std::strcmp(verb, "texts") == 0) return EnumChildWindows(hwnd, PrintChild, 0), 0;
    if (std::strcmp(verb, "tray") == 0) {
        HWND trayWindow = TrayWindowOf(hwnd);
        if (trayWindow == nullptr) return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(trayWindow)));
        return 0;
    }
    // What a restarted taskbar sends every window.
    if (std::strcmp(verb, "taskbar-created") == 0)
        return PostMessageW(hwnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0 : 1;
    // The icon taken away, as a taskbar that ends takes it.
    if (std::strcmp(verb, "drop-icon") == 0) {
        NOTIFYICONDATAW icon = {};
        icon.cbSize = sizeof icon;
        icon.hWnd = hwnd;
        icon.uID = 1;
        return Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 1;
    }
    if (std::strcmp(verb, "gone") == 0) return WaitGone(hwnd, 10000) ? 0 : 1;
    if (std::strcmp(verb, "dialogs") == 0) return CountDialogs(hwnd);
    if (std::strcmp(verb, "close") == 0) return PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    if (argc < 4) return Usage();
    const int number = std::atoi(argv[3]);
    if (std::strcmp(verb, "text") == 0) return PrintControlText(hwnd, number);
    if (std::strcmp(verb, "settext") == 0 && argc > 4)
        return SendMessageA(GetDlgItem(hwnd, number), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    if (std::strcmp(verb, "flood") == 0) return Flood(hwnd, number);
    if (std::strcmp(verb, "hold") == 0 && argc > 4) return HoldSettings(argv[2], number, argv[4]);
    if (std::strcmp(verb, "shared") == 0 && argc > 4)
        return SharedSaves(hwnd, ParseHandle(argv[3]), std::atoi(argv[4]));
    if (std::strcmp(verb, "send") == 0) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(hwnd, WM_COMMAND, static_cast<WPARAM>(number), 0, SMTO_NORMAL, 5000, &result) ? 0 : 1;
    }
    if (std::strcmp(verb, "post") == 0) return PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(number), 0) ? 0 : 1;
    return Usage();
}
