#include "desk/win32/DeskState.h"

#include "app/win32/WindowRect.h"

DeskState deskState = {1, 96, {}, {}};

namespace {

BOOL CALLBACK NoteMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    DeskLayout& desk = *reinterpret_cast<DeskLayout*>(param);
    if (desk.count >= MaxMonitors) return FALSE;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    desk.monitors[desk.count] = ToScreenRect(info.rcMonitor);
    desk.workAreas[desk.count] = ToScreenRect(info.rcWork);
    ++desk.count;
    return TRUE;
}

}  // namespace

const DeskLayout* DeskInUnits() { return deskState.units.count > 0 ? &deskState.units : nullptr; }

void ReadDesk()
{
    DeskLayout pixels = {};
    EnumDisplayMonitors(nullptr, nullptr, NoteMonitor, reinterpret_cast<LPARAM>(&pixels));
    deskState.pixels = pixels;
    deskState.units = LayoutInUnits(pixels, deskState.scale);
}
