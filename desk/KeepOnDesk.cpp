#include "desk/KeepOnDesk.h"

#include "app/MascotState.h"
#include "behaviour/BehaviourState.h"
#include "desk/MascotScale.h"

namespace {

bool StandsLandsOrRests(int32_t state)
{
    switch (state) {
    case StandRight:
    case StandLeft:
    case LandRight:
    case LandLeft:
    case FlyRestRight:
    case FlyRestLeft:
        return true;
    default:
        return false;
    }
}

}  // namespace

void PlaceTargetOnDesk(const DeskLayout& desk)
{
    if (desk.count <= 0 || PointOnMonitor(desk, mascot.targetX, mascot.targetY)) return;
    const MascotPoint place = NearestPlaceOnWorkArea(desk, mascot.targetX, mascot.targetY);
    mascot.targetX = place.x;
    mascot.targetY = place.y;
}

void KeepRestingMascotOnDesk(const DeskLayout& desk)
{
    if (desk.count <= 0 || !StandsLandsOrRests(mascot.state) ||
        WindowTouchesMonitor(desk, mascot.posX, mascot.posY))
        return;
    const MascotPoint place = NearestPlaceOnWorkArea(desk, mascot.posX, mascot.posY);
    mascot.posX = place.x;
    mascot.posY = place.y;
}

bool BringMascotOntoDesk(const DeskLayout& desk)
{
    PlaceTargetOnDesk(desk);
    return PutMascotOnDesk(desk);
}

bool PutMascotOnDesk(const DeskLayout& desk)
{
    if (desk.count <= 0 || WindowWhollyOnMonitors(desk, mascot.posX, mascot.posY)) return false;
    const MascotPoint place = NearestPlaceOnWorkArea(desk, mascot.posX, mascot.posY);
    const bool moved = place.x != mascot.posX || place.y != mascot.posY;
    mascot.posX = place.x;
    mascot.posY = place.y;
    return moved;
}

void RescaleMascot(int32_t from, int32_t to)
{
    mascot.posX = RescalePosition(mascot.posX, from, to);
    mascot.posY = RescalePosition(mascot.posY, from, to);
    mascot.targetX = RescalePosition(mascot.targetX, from, to);
    mascot.targetY = RescalePosition(mascot.targetY, from, to);
}
