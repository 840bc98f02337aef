#pragma once
#include <string>
#include <vector>

// Lines of a text file without their ends or trailing blanks, so files
// saved with CRLF or stray spaces read the same as clean ones.
std::vector<std::string> SplitLines(const std::string& text);

// Blank-separated words of a line.
std::vector<std::string> SplitWords(const std::string& line);

// A whole decimal number within [low, high]; false on anything else.
bool ParseBoundedInt(const std::string& word, int low, int high, int& value);

// "path:line: " for error messages.
std::string Where(const std::string& path, int lineNumber);
