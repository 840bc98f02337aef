// The floor the platform costs: a window like the mascot's (60 x 60,
// layered with the green colour key, topmost, no taskbar button) that a
// 20 ms timer moves and repaints with a fixed green fill, and nothing else.
// It writes how many paints it has made and how many timer ticks it has
// had ("PAINTS TICKS") to "reference-paints.txt" now and then, so that the
// benchmark can tell whether it kept its pace, and check the one count by
// the other: every tick asks for one paint.
#include <windows.h>

#include <cstdio>

namespace {

const UINT_PTR ReferenceTimer = 1;
const UINT ReferencePeriod = 20;
const COLORREF Key = RGB(0, 255, 0);
// Twice a second: a count within half a second, at a negligible cost.
const long PaintsPerReport = 25;

struct ReferenceState {
    int x;
    int y;
    int dx;
    HBRUSH fill;
    long paints;
    long ticks;
};

ReferenceState reference = {100, 500, 4, nullptr, 0, 0};

void ReportPaints()
{
    FILE* file = std::fopen("reference-paints.txt", "wb");
    if (file == nullptr) return;
    std::fprintf(file, "%ld %ld\n", reference.paints, reference.ticks);
    std::fclose(file);
}

// Walks left and right across the screen at the mascot's walking pace.
void MoveOneStep(HWND hwnd)
{
    reference.x += reference.dx;
    if (reference.x > 1100 || reference.x < 100) reference.dx = -reference.dx;
    SetWindowPos(hwnd, HWND_TOPMOST, reference.x, reference.y, 0, 0, SWP_NOSIZE);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client = {};
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, reference.fill);
    EndPaint(hwnd, &ps);
    reference.paints += 1;
    if (reference.paints % PaintsPerReport == 0) ReportPaints();
}

LRESULT CALLBACK ReferenceWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetLayeredWindowAttributes(hwnd, Key, 0, LWA_COLORKEY);
        SetTimer(hwnd, ReferenceTimer, ReferencePeriod, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == ReferenceTimer) {
            ++reference.ticks;
            MoveOneStep(hwnd);
        }
        return 0;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    reference.fill = CreateSolidBrush(Key);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ReferenceWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "PelmoReference";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "PelmoReference",
                                "Pelmo reference", WS_POPUP, reference.x, reference.y, 60, 60, nullptr,
                                nullptr, instance, nullptr);
    if (hwnd == nullptr) return 0;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
