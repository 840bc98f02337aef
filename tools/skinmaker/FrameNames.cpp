#include "FrameNames.h"

const char* const FrameNames[FrameCount] = {"w0", "w1",  "w2", "w3",  "w4",  "w5",   "n0",   "j0",     "jj0",
                                            "d0", "f0", "ff0", "p0", "kan0", "st0", "kime0", "sleep0", "k0"};

const char* const SkinFolders[SkinCount] = {"a", "b", "c", "d"};
