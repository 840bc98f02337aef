#include "settings/FileReplace.h"

#include <cstdio>

#include <unistd.h>

unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }

bool ReplaceWithFile(const char* from, const char* to) { return std::rename(from, to) == 0; }
