// Fuzz target over what the program reads from outside: the bytes of
// "savedata" and the text typed or pasted into the dialog's fields.
// Each input is checked against an independent oracle, not just for crashes.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "app/MascotState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "app/NumberText.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

// Reference conversion: the C library's strtoll on at most 15 characters,
// clamped to 32 bits.
int32_t ReferenceNumber(const std::string& text)
{
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE) return v < 0 ? INT32_MIN : INT32_MAX;
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

void FuzzNumberText(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    // strtoll also takes "0x" and locale forms; keep to what both define alike.
    for (char c : text)
        if (!(c == ' ' || c == '\t' || c == '+' || c == '-' || (c >= '0' && c <= '9') || c == 'a')) return;
    Check(TextToNumber(text.c_str()) == ReferenceNumber(text), "text to number matches the reference");

    int32_t value = 0;
    std::memcpy(&value, data, size < 4 ? size : 4);
    char buffer[12];
    NumberToText(value, buffer, sizeof buffer);
    Check(std::strlen(buffer) <= 11, "number text fits 11 characters");
    Check(TextToNumber(buffer) == value, "number text round trip");
}

void FuzzSettingsFile(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen("savedata", "wb");
    Check(file != nullptr, "fuzz folder is writable");
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);

    std::memset(&settings, 0x5A, sizeof settings);
    LoadSettings();
    const uint8_t* record = reinterpret_cast<const uint8_t*>(&settings);
    const size_t taken = size < sizeof settings ? size : sizeof settings;
    Check(std::memcmp(record, data, taken) == 0, "file bytes reach the record");
    for (size_t i = taken; i < sizeof settings; ++i) Check(record[i] == 0x5A, "bytes past the file are kept");

    // Whatever ranges the file holds, targets stay in range.
    ResetMascotState();
    SeedRandom(static_cast<uint32_t>(size));
    for (int i = 0; i < 4; ++i) {
        ChooseTarget(1280, 1024);
        const int64_t rx = RangeX() == 0 ? 1280 : RangeX() < 0 ? -int64_t(RangeX()) : RangeX();
        const int64_t ry = RangeY() == 0 ? 1024 : RangeY() < 0 ? -int64_t(RangeY()) : RangeY();
        Check(mascot.targetX >= 0 && mascot.targetX < rx && mascot.targetX <= 32767, "targetX in range");
        Check(mascot.targetY >= 0 && mascot.targetY < ry && mascot.targetY <= 32767, "targetY in range");
    }

    (void)SaveSettings();
    file = std::fopen("savedata", "rb");
    Check(file != nullptr, "saved file exists");
    uint8_t back[600];
    const size_t got = std::fread(back, 1, sizeof back, file);
    std::fclose(file);
    Check(got == sizeof settings && std::memcmp(back, record, got) == 0, "save writes the 552-byte image");
}

}  // namespace

namespace {
char fuzzFolder[64] = "";

void RemoveFuzzFolder()
{
    std::remove("savedata");
    if (chdir("/") == 0) rmdir(fuzzFolder);
}
}  // namespace

// The settings file name is relative: work in a folder of our own.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // In memory where possible: every save flushes its file to the disk,
    // which on a disk would take most of the fuzzing time.
    const char* const places[] = {"/dev/shm", "/tmp"};
    for (const char* place : places) {
        std::snprintf(fuzzFolder, sizeof fuzzFolder, "%s/pelmo-fuzz.XXXXXX", place);
        if (mkdtemp(fuzzFolder) != nullptr) break;
        fuzzFolder[0] = '\0';
    }
    if (fuzzFolder[0] == '\0' || chdir(fuzzFolder) != 0) std::abort();
    std::atexit(RemoveFuzzFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    if (data[0] & 1)
        FuzzNumberText(data + 1, size - 1);
    else
        FuzzSettingsFile(data + 1, size - 1);
    return 0;
}
