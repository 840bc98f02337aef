#include "settings/SettingsFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "settings/FileReplace.h"
#include "settings/SettingsRecord.h"

bool (*settingsTempBits)(uint64_t& bits) = RandomBits;

namespace {

const char FileName[] = "savedata";
const char TempWildcard[] = "savedata.*.tmp";
const std::size_t TempNameLength = sizeof "savedata.0123456789abcdef.tmp" - 1;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// Exactly the form SettingsTempName gives, so no other file is touched.
bool IsSettingsTempName(const char* name)
{
    const std::size_t prefix = sizeof FileName;  // "savedata."
    if (std::strlen(name) != TempNameLength) return false;
    if (std::strncmp(name, FileName, prefix - 1) != 0 || name[prefix - 1] != '.') return false;
    for (std::size_t i = prefix; i < prefix + 16; ++i)
        if (!IsHexDigit(name[i])) return false;
    return std::strcmp(name + prefix + 16, ".tmp") == 0;
}

bool CreateTempFile(char (&name)[TempNameLength + 1], HeldFile& file)
{
    for (int attempt = 0; attempt < SettingsTempAttempts; ++attempt) {
        uint64_t bits = 0;
        if (!settingsTempBits(bits)) return false;
        SettingsTempName(bits, name, sizeof name);
        if (CreateNewFile(name, file)) return true;
    }
    return false;
}

bool SaveByReplace()
{
    char name[TempNameLength + 1];
    HeldFile file = {};
    if (!CreateTempFile(name, file)) return false;
    const bool replaced = WriteWholeFile(file, &settings, sizeof settings) && ReplaceWithFile(file, FileName);
    CloseFile(file, !replaced);
    return replaced;
}

// As the plain write would, but without first cutting the file to nothing.
bool SaveInPlace()
{
    HeldFile file = {};
    if (!OpenFileInPlace(FileName, file)) return false;
    const bool written = WriteWholeFile(file, &settings, sizeof settings);
    CloseFile(file, false);
    return written;
}

// A save in progress holds its file open, which keeps it from removal.
void RemoveLeftover(const char* name)
{
    if (IsSettingsTempName(name)) RemoveUnusedFile(name);
}

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

void SettingsTempName(uint64_t bits, char* out, std::size_t size)
{
    std::snprintf(out, size, "%s.%016" PRIx64 ".tmp", FileName, bits);
}

bool SaveSettings()
{
    // Leftovers first: a file this save fails to remove must not pass
    // unnoticed as one of them.
    ForEachEntry(TempWildcard, RemoveLeftover);
    return SaveByReplace() || SaveInPlace();
}

bool SaveSettingsValue(int index, int32_t value)
{
    if (index < 0 || index >= int(sizeof settings.values / sizeof settings.values[0])) return false;
    // What another copy saved since this one last read the file stays.
    LoadSettings();
    settings.values[index] = value;
    return SaveSettings();
}
