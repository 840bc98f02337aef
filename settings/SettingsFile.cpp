#include "settings/SettingsFile.h"

#include <cstdio>

#include "settings/FileReplace.h"
#include "settings/SettingsRecord.h"

namespace {
const char FileName[] = "savedata";
}  // namespace

void LoadSettings()
{
    std::FILE* file = std::fopen(FileName, "rb");
    if (file == nullptr) return;
    // Item size 1: a short file still delivers its bytes.
    const std::size_t got = std::fread(&settings, 1, sizeof settings, file);
    (void)got;
    std::fclose(file);
}

void SettingsTempName(char* out, std::size_t size)
{
    std::snprintf(out, size, "%s.%lu.tmp", FileName, ProcessNumber());
}

void SaveSettings()
{
    char temp[48];
    SettingsTempName(temp, sizeof temp);
    std::FILE* file = std::fopen(temp, "wb");
    if (file == nullptr) return;
    bool ok = std::fwrite(&settings, 1, sizeof settings, file) == sizeof settings;
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && ReplaceWithFile(temp, FileName)) return;
    std::remove(temp);
}
