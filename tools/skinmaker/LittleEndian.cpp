#include "LittleEndian.h"

void PutU8(std::vector<uint8_t>& out, uint32_t value) { out.push_back(static_cast<uint8_t>(value & 0xFF)); }

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    PutU8(out, value);
    PutU8(out, value >> 8);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, value);
    PutU16(out, value >> 16);
}

bool GetU16(const std::vector<uint8_t>& bytes, size_t offset, uint32_t& value)
{
    if (offset > bytes.size() || bytes.size() - offset < 2) return false;
    value = static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8;
    return true;
}

bool GetU32(const std::vector<uint8_t>& bytes, size_t offset, uint32_t& value)
{
    uint32_t low = 0;
    uint32_t high = 0;
    if (!GetU16(bytes, offset, low) || !GetU16(bytes, offset + 2, high)) return false;
    value = low | high << 16;
    return true;
}
