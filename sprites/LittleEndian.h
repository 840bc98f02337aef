// Numbers in a bitmap file's headers: least significant byte first,
// whatever the machine reading them.
#pragma once
#include <cstdint>

inline uint32_t ReadLittle16(const uint8_t* p) { return p[0] | static_cast<uint32_t>(p[1]) << 8; }

inline uint32_t ReadLittle32(const uint8_t* p) { return ReadLittle16(p) | ReadLittle16(p + 2) << 16; }

inline void WriteLittle32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}
