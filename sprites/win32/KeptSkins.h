// Which skins' frames may be kept between paints: those the program reads
// from a folder on a local drive, and its own copy. Looked at again when
// the working folder changes, which the program itself never does and a
// test does, so that relative names then lead elsewhere.
#pragma once
#include <windows.h>

#include "sprites/SpritePath.h"

// Forgets every kept picture when the working folder is not the one the
// pictures were read from: once a draw, at the cost of a copy of a name.
void ForgetKeptOnNewWorkingFolder();

// Whether frames read from `place` may be kept.
bool PlaceMayBeKept(SkinPlace place);
