// Bounded text copy and append that always terminate within the buffer.
#pragma once
#include <cstddef>

void CopyBounded(char* dest, size_t size, const char* src);
void AppendBounded(char* dest, size_t size, const char* src);
