#include "support/TestFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

void DeleteTree(const char* dir)
{
    char pattern[MAX_PATH];
    std::snprintf(pattern, sizeof pattern, "%s\\*", dir);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
            char child[MAX_PATH];
            std::snprintf(child, sizeof child, "%s\\%s", dir, found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(child);
            else
                DeleteFileA(child);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir);
}

}  // namespace

bool EnterTestFolder(TestFolder& folder)
{
    folder = TestFolder{};
    char temp[MAX_PATH];
    if (GetTempPathA(sizeof temp, temp) == 0) return false;
    // Process id and a counter keep parallel test programs apart.
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::snprintf(folder.path, sizeof folder.path, "%smascot-test-%lu-%u", temp,
                      static_cast<unsigned long>(GetCurrentProcessId()), ++serial);
        if (CreateDirectoryA(folder.path, nullptr)) break;
        folder.path[0] = '\0';
    }
    if (folder.path[0] == '\0') return false;
    static const char* const skins[] = {"a", "b", "c", "d"};
    for (const char* skin : skins) {
        char sub[MAX_PATH];
        std::snprintf(sub, sizeof sub, "%s\\%s", folder.path, skin);
        if (!CreateDirectoryA(sub, nullptr)) return false;
    }
    if (GetCurrentDirectoryA(sizeof folder.previous, folder.previous) == 0) return false;
    if (!SetCurrentDirectoryA(folder.path)) return false;
    folder.entered = true;
    return true;
}

void LeaveTestFolder(TestFolder& folder)
{
    if (folder.entered) SetCurrentDirectoryA(folder.previous);
    folder.entered = false;
    if (folder.path[0] != '\0') DeleteTree(folder.path);
    folder.path[0] = '\0';
}

bool WriteFileBytes(const char* path, const void* data, unsigned size)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

std::vector<unsigned char> ReadFileBytes(const char* path)
{
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return bytes;
    unsigned char chunk[512];
    size_t got = 0;
    while (bytes.size() < 4096 && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

std::string FolderEntries(const char* wildcard)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(wildcard, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
    return joined;
}
