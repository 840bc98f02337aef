// Keeping the mascot where a monitor shows it, as steps of their own
// beside the wander arithmetic, which they never change: a target that lies
// where no monitor is, a mascot come to rest out of sight, a desk that
// changed under it, and a change of scale.
#pragma once
#include <cstdint>

#include "desk/DeskLayout.h"

// A target that lies where no monitor is moves to the nearest place where
// the whole window stands on a work area. Targets on a monitor stay.
void PlaceTargetOnDesk(const DeskLayout& desk);

// A mascot that stands, lands or rests with no part of it on any monitor
// goes to the nearest place on a work area. Walking and flying across a
// gap is left alone.
void KeepRestingMascotOnDesk(const DeskLayout& desk);

// A mascot not wholly on the monitors goes whole onto the nearest work
// area; its target stays. True when it moved.
bool PutMascotOnDesk(const DeskLayout& desk);

// A mascot not wholly on the monitors goes whole onto the nearest work
// area (monitors changed under it, or it was put down there); a target
// that now lies where no monitor is moves as a new one would. Nothing else
// changes. True when the mascot moved.
bool BringMascotOntoDesk(const DeskLayout& desk);

// The mascot's position and target in units of scale `from`, for scale
// `to`, each with the window's centre where it was.
void RescaleMascot(int32_t from, int32_t to);
