#include "TextLines.h"

#include <cctype>

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    // A final newline does not start another line.
    if (!lines.empty() && lines.back().empty() && !text.empty() && text.back() == '\n') lines.pop_back();
    return lines;
}

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool ParseBoundedInt(const std::string& word, int low, int high, int& value)
{
    if (word.empty() || word.size() > 6) return false;
    size_t i = 0;
    bool negative = false;
    if (word[0] == '-') {
        negative = true;
        i = 1;
        if (word.size() == 1) return false;
    }
    int result = 0;
    for (; i < word.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
        result = result * 10 + (word[i] - '0');
    }
    if (negative) result = -result;
    if (result < low || result > high) return false;
    value = result;
    return true;
}

std::string Where(const std::string& path, int lineNumber)
{
    return path + ":" + std::to_string(lineNumber) + ": ";
}
