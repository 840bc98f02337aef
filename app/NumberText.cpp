#include "app/NumberText.h"

#include <climits>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

int32_t TextToNumber(const char* text)
{
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate in 64 bits and stop growing once past the limit, so any
    // number of digits is safe.
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (*p - '0');
    }
    if (magnitude > limit) magnitude = limit;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

void NumberToText(int32_t value, char* out, size_t size)
{
    if (size == 0) return;
    char digits[12];
    int count = 0;
    // Work on the 64-bit magnitude so INT32_MIN needs no special case.
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    size_t used = 0;
    if (value < 0 && used + 1 < size) out[used++] = '-';
    while (count > 0 && used + 1 < size) out[used++] = digits[--count];
    out[used] = '\0';
}
