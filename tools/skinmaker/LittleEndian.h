#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Windows file formats store numbers least significant byte first,
// whatever the machine writing them.
void PutU8(std::vector<uint8_t>& out, uint32_t value);
void PutU16(std::vector<uint8_t>& out, uint32_t value);
void PutU32(std::vector<uint8_t>& out, uint32_t value);

// Reads at offset; false when the bytes run out.
bool GetU16(const std::vector<uint8_t>& bytes, size_t offset, uint32_t& value);
bool GetU32(const std::vector<uint8_t>& bytes, size_t offset, uint32_t& value);
