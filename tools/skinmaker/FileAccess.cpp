#include "FileAccess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": read failed";
        return false;
    }
    return true;
}

bool ReadWholeFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    std::string text;
    if (!ReadWholeFile(path, text, error)) return false;
    bytes.assign(text.begin(), text.end());
    return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

bool MakeFolder(const std::string& path, std::string& error)
{
    std::error_code code;
    std::filesystem::create_directories(path, code);
    if (code || !std::filesystem::is_directory(path, code)) {
        error = path + ": cannot create folder";
        return false;
    }
    return true;
}

bool FileExists(const std::string& path)
{
    std::error_code code;
    return std::filesystem::is_regular_file(path, code);
}
