#include "desk/win32/MascotSize.h"

#include "app/MascotState.h"
#include "desk/KeepOnDesk.h"
#include "desk/MascotScale.h"
#include "desk/win32/DeskState.h"
#include "desk/win32/DpiAwareness.h"
#include "settings/SettingsRecord.h"

namespace {

void ApplySize(HWND hwnd)
{
    const int32_t side = MascotSide * deskState.scale;
    SetWindowPos(hwnd, nullptr, UnitsToPixels(mascot.posX, deskState.scale),
                 UnitsToPixels(mascot.posY, deskState.scale), side, side, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// A change of scale moves and resizes the window, which may reach the
// system as another change of DPI: that one waits for this one to end.
bool rescaling = false;

}  // namespace

void StartDesk(HWND hwnd)
{
    deskState.dpi = static_cast<int32_t>(WindowDpi(hwnd));
    deskState.scale = MascotScale(deskState.dpi, SizeChoice());
    ReadDesk();
    const int32_t side = MascotSide * deskState.scale;
    if (deskState.scale != 1)
        SetWindowPos(hwnd, nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FollowScale(HWND hwnd)
{
    if (rescaling) return;
    rescaling = true;
    // A DPI that changed while the window was resized is taken once more,
    // and no more: a window at a monitor's edge must not swing between two.
    for (int round = 0; round < 2; ++round) {
        const int32_t wanted = MascotScale(deskState.dpi, SizeChoice());
        if (wanted == deskState.scale) break;
        RescaleMascot(deskState.scale, wanted);
        deskState.scale = wanted;
        deskState.units = LayoutInUnits(deskState.pixels, wanted);
        ApplySize(hwnd);
    }
    rescaling = false;
}

void OnDpiChanged(HWND hwnd, UINT dpi)
{
    // "The current DPI for a window always equals the last DPI sent by
    // WM_DPICHANGED." Its suggested rectangle is not taken: the mascot
    // keeps its centre and its whole-number size.
    deskState.dpi = static_cast<int32_t>(dpi);
    FollowScale(hwnd);
}

void OnDisplayChange(HWND hwnd)
{
    ReadDesk();
    deskState.dpi = static_cast<int32_t>(WindowDpi(hwnd));
    FollowScale(hwnd);
    if (BringMascotOntoDesk(deskState.units)) PlaceMascotWindow(hwnd);
}

void PlaceMascotWindow(HWND hwnd)
{
    SetWindowPos(hwnd, HWND_TOPMOST, UnitsToPixels(mascot.posX, deskState.scale),
                 UnitsToPixels(mascot.posY, deskState.scale), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}
