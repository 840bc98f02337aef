// Number of GDI objects the process holds right now.
#pragma once

// GetGuiResources where it works; under Wine, whose GetGuiResources is a
// stub returning 0, the live slots of the process's GDI handle table.
int LiveGdiObjects();
