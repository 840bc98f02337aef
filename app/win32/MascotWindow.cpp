#include "app/win32/MascotWindow.h"

#include "app/win32/MascotWndProc.h"
#include "app/win32/ShellState.h"

void LoadClassName(HINSTANCE hInstance)
{
    LoadStringA(hInstance, 109, className, sizeof className);
}

ATOM RegisterMascotClass(HINSTANCE hInstance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = MascotWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(107));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = className;
    wc.hIconSm = LoadIconA(hInstance, MAKEINTRESOURCEA(108));
    return RegisterClassExA(&wc);
}

BOOL CreateMascotWindow(HINSTANCE hInstance, int nCmdShow)
{
    HWND window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, className, nullptr,
                                  WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 60, 60, nullptr, nullptr,
                                  hInstance, nullptr);
    if (window == nullptr) return FALSE;
    ShowWindow(window, nCmdShow);
    UpdateWindow(window);
    return TRUE;
}

int RunMessageLoop()
{
    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        // -1 is an error, not a message: end instead of spinning on it.
        if (got == -1) return 0;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
