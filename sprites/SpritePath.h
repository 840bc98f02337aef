#pragma once
#include <cstddef>
#include <cstdint>

// Relative path of a frame in the current skin, such as "c/w3.bmp".
void BuildSpritePath(char* out, size_t size, int32_t skinIndex, const char* name);
