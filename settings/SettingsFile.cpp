#include "settings/SettingsFile.h"

#include <cstdio>

#include "settings/SettingsRecord.h"

void LoadSettings()
{
    FILE* file = std::fopen("savedata", "rb");
    if (file == nullptr) return;
    size_t got = std::fread(&settings, 1, sizeof settings, file);
    (void)got;
    std::fclose(file);
}

void SaveSettings()
{
    FILE* file = std::fopen("savedata", "wb");
    if (file == nullptr) return;
    std::fwrite(&settings, sizeof settings, 1, file);
    std::fclose(file);
}
