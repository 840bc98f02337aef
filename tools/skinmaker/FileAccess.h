#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Whole-file reads and writes; false with a message naming the file.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& error);
bool ReadWholeFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
bool MakeFolder(const std::string& path, std::string& error);
bool FileExists(const std::string& path);
