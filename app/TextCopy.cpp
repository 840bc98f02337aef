#include "app/TextCopy.h"

void CopyBounded(char* dest, size_t size, const char* src)
{
    if (size == 0) return;
    size_t i = 0;
    for (; i + 1 < size && src[i] != '\0'; ++i) dest[i] = src[i];
    dest[i] = '\0';
}

void AppendBounded(char* dest, size_t size, const char* src)
{
    size_t used = 0;
    while (used < size && dest[used] != '\0') ++used;
    if (used == size) return;  // not terminated: nothing can be appended safely
    CopyBounded(dest + used, size - used, src);
}
