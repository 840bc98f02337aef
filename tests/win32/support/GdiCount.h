// Number of GDI objects the process holds right now.
#pragma once

// GetGuiResources where it works; under Wine, whose GetGuiResources is a
// stub returning 0, the live slots of the process's GDI handle table.
int LiveGdiObjects();

// The same less the objects held for the pictures kept between paints,
// which stay until their files change: what drawing itself leaves behind.
int DrawingGdiObjects();

// Draws every frame of every skin once (into a context of its own), so
// that each picture that may be kept is: past this, drawing keeps no more.
void KeepEveryFrame();
