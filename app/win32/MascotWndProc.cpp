#include "app/win32/MascotWndProc.h"

#include "app/MascotState.h"
#include "app/win32/BackBuffer.h"
#include "app/win32/ShellState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/win32/WanderTick.h"
#include "desk/MascotScale.h"
#include "desk/win32/DeskState.h"
#include "desk/win32/MascotSize.h"
#include "drag/DragState.h"
#include "drag/win32/MascotDrag.h"
#include "settings/win32/OptionsDialog.h"
#include "settings/SettingsFile.h"
#include "sprites/win32/AnimateState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/win32/SpriteDraw.h"

namespace {

void OnCreate(HWND hwnd)
{
    LoadSettings();
    SeedRandomFromTime();
    SetLayeredWindowAttributes(hwnd, ColourKey, 0, LWA_COLORKEY);
    MakeBackBuffer(hwnd);
    SetTimer(hwnd, MascotTimer, MascotTimerPeriod, nullptr);
    SetWindowTextA(hwnd, "Pelmo");
    mascot.posX = 500;
    mascot.posY = 500;
    FillAnimationCatalogue();
    StartDesk(hwnd);
}

void OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    ClearToKey(backBufferDC);
    if (mascot.running && mascot.state >= 0 && mascot.state < AnimationRows)
        AnimateState(backBufferDC, mascot.state);
    CopyToWindow(hdc, deskState.scale);
    EndPaint(hwnd, &ps);
}

// A right click pauses the mascot until its dialog ends; the options
// command leaves it running. While a dialog is open, either only brings
// that one to the front.
void ShowOptionsDialog(HWND hwnd, bool pause)
{
    if (optionsDialog.open) {
        if (optionsDialog.window != nullptr) SetForegroundWindow(optionsDialog.window);
        return;
    }
    optionsDialog.open = true;
    if (pause) mascot.running = false;
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(OptionsDialogId), hwnd, OptionsDialogProc, 0);
    // The window may have been destroyed from inside the dialog's loop
    // (WM_CLOSE, command 105): nothing of it is used from here on.
    if (pause) mascot.running = true;
    optionsDialog.open = false;
}

}  // namespace

LRESULT CALLBACK MascotWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_CHAR:
    case MM_MCINOTIFY:
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case CmdExit:
            DestroyWindow(hwnd);
            return 0;
        case CmdMove:
            return 0;
        case CmdOptions:
            ShowOptionsDialog(hwnd, false);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
    case WM_TIMER:
        if (wParam == MascotTimer) WanderTick(hwnd);
        return 0;
    case WM_MOUSEACTIVATE:
        return OnMouseActivate(hwnd, wParam, lParam);
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(hwnd);
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(hwnd);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(hwnd);
        return 0;
    case WM_RBUTTONDOWN:
        ShowOptionsDialog(hwnd, true);
        return 0;
    case WM_DPICHANGED: {
        const int32_t before = deskState.scale;
        OnDpiChanged(hwnd, LOWORD(wParam));
        // Carried onto a monitor of another scale: the grabbed point stays under the cursor.
        if (drag.dragging) RescaleGrab(before, deskState.scale);
        return 0;
    }
    case WM_DISPLAYCHANGE:
        OnDisplayChange(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_SETTINGCHANGE:
        // A taskbar moved or resized changes the work areas.
        if (wParam == SPI_SETWORKAREA) ReadDesk();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
