// Decimal text and 32-bit integers, converted the same way on every platform.
#pragma once
#include <cstddef>
#include <cstdint>

// Leading blanks, one optional sign, then digits up to the first other
// character; no digits give 0; values past the 32-bit range are clamped.
int32_t TextToNumber(const char* text);

// Decimal text with a leading "-" for negatives (at most 11 characters).
// The result is cut to fit `size` and always terminated when size > 0.
void NumberToText(int32_t value, char* out, size_t size);
