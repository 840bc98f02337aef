// The settings file "savedata": loading, saving, and saves that fail.
#include <gtest/gtest.h>

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"

namespace {

typedef std::vector<unsigned char> Bytes;

bool WriteBytes(const char* path, const Bytes& bytes)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// At most 4096 bytes: enough to see a file that is too long.
Bytes ReadBytes(const char* path)
{
    Bytes bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return bytes;
    unsigned char chunk[256];
    size_t got = 0;
    while (bytes.size() < 4096 && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

bool Exists(const char* path)
{
    struct stat info;
    return lstat(path, &info) == 0;
}

// Bytes that differ from their neighbours and from zero, so any shift shows.
Bytes Pattern(size_t size, unsigned seed)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

Bytes RecordBytes()
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&settings);
    return Bytes(p, p + sizeof settings);
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

// The file name is relative: each test works in a fresh folder of its own.
struct SettingsFileTest : ::testing::Test {
    char folder[64] = "";
    std::string previous;

    void SetUp() override
    {
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous = cwd;
        const char* tmp = std::getenv("TMPDIR");
        std::snprintf(folder, sizeof folder, "%s/settings-test.XXXXXX", tmp != nullptr && *tmp ? tmp : "/tmp");
        ASSERT_NE(mkdtemp(folder), nullptr);
        ASSERT_EQ(chdir(folder), 0);
        std::memset(&settings, 0, sizeof settings);
    }

    void TearDown() override
    {
        EXPECT_EQ(chdir(previous.c_str()), 0);
        if (folder[0] != '\0') nftw(folder, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    }

    static std::string TempName()
    {
        char name[64];
        SettingsTempName(name, sizeof name);
        return name;
    }
};

// --- Loading -----------------------------------------------------------------

TEST_F(SettingsFileTest, MissingEmptyOrUnreadableFileChangesNothing)
{
    std::memset(&settings, 0x5A, sizeof settings);
    const Bytes before = RecordBytes();

    LoadSettings();
    EXPECT_EQ(RecordBytes(), before) << "no file";

    ASSERT_TRUE(WriteBytes("savedata", Bytes()));
    LoadSettings();
    EXPECT_EQ(RecordBytes(), before) << "empty file";

    ASSERT_EQ(std::remove("savedata"), 0);
    ASSERT_EQ(mkdir("savedata", 0700), 0);
    LoadSettings();
    EXPECT_EQ(RecordBytes(), before) << "a folder named savedata";
}

TEST_F(SettingsFileTest, ShortFileReplacesOnlyTheFirstBytes)
{
    std::memset(settings.text1, 'q', sizeof settings.text1);
    RangeX() = 1000;
    RangeY() = 800;
    const Bytes before = RecordBytes();
    const Bytes file = Pattern(100, 3);
    ASSERT_TRUE(WriteBytes("savedata", file));

    LoadSettings();

    const Bytes after = RecordBytes();
    EXPECT_EQ(Bytes(after.begin(), after.begin() + 100), file);
    EXPECT_EQ(Bytes(after.begin() + 100, after.end()), Bytes(before.begin() + 100, before.end()));
    EXPECT_EQ(settings.text1[100], 'q');
    EXPECT_EQ(RangeX(), 1000);
    EXPECT_EQ(RangeY(), 800);
}

TEST_F(SettingsFileTest, LongFileGivesItsFirst552BytesAndTheNextSaveCutsIt)
{
    const Bytes file = Pattern(600, 11);
    ASSERT_TRUE(WriteBytes("savedata", file));

    LoadSettings();
    EXPECT_EQ(RecordBytes(), Bytes(file.begin(), file.begin() + 552));

    SaveSettings();
    EXPECT_EQ(ReadBytes("savedata"), Bytes(file.begin(), file.begin() + 552));
}

// --- Saving ------------------------------------------------------------------

TEST_F(SettingsFileTest, SaveWritesTheRangeLittleEndianAtItsOffsets)
{
    RangeX() = 640;
    RangeY() = 480;

    SaveSettings();

    const Bytes file = ReadBytes("savedata");
    ASSERT_EQ(file.size(), 552u);
    const Bytes x = {0x80, 0x02, 0x00, 0x00}, y = {0xE0, 0x01, 0x00, 0x00};
    EXPECT_EQ(Bytes(file.begin() + 512, file.begin() + 516), x);
    EXPECT_EQ(Bytes(file.begin() + 516, file.begin() + 520), y);
    Bytes rest(file.begin(), file.begin() + 512);
    rest.insert(rest.end(), file.begin() + 520, file.end());
    EXPECT_EQ(rest, Bytes(544, 0)) << "everything else stays zero";
}

TEST_F(SettingsFileTest, EveryFieldRoundTripsByteForByte)
{
    // Texts with bytes after their NUL, a text without any NUL, and values
    // at both limits: the file is the memory image, nothing interpreted.
    const Bytes first = Pattern(256, 5);
    std::memcpy(settings.text1, first.data(), first.size());
    std::strcpy(settings.text1, "日本語 text");
    std::memset(settings.text2, 'B', sizeof settings.text2);
    const int32_t values[10] = {640, 480, -1, INT32_MIN, INT32_MAX, 0, 1, -5, 0x01020304, 7};
    std::memcpy(settings.values, values, sizeof values);
    const Bytes image = RecordBytes();

    SaveSettings();
    EXPECT_EQ(ReadBytes("savedata"), image);

    std::memset(&settings, 0, sizeof settings);
    LoadSettings();
    EXPECT_EQ(RecordBytes(), image);
    EXPECT_EQ(settings.values[3], INT32_MIN);
    EXPECT_EQ(settings.values[4], INT32_MAX);
}

TEST_F(SettingsFileTest, SaveReplacesTheFileSoAnOpenReaderKeepsTheOldWhole)
{
    const Bytes old = Pattern(552, 9);
    ASSERT_TRUE(WriteBytes("savedata", old));
    std::FILE* reader = std::fopen("savedata", "rb");
    ASSERT_NE(reader, nullptr);

    RangeX() = 640;
    SaveSettings();

    // Written in place, the file would be cut under the reader.
    unsigned char seen[600];
    const size_t got = std::fread(seen, 1, sizeof seen, reader);
    std::fclose(reader);
    EXPECT_EQ(Bytes(seen, seen + got), old);
    EXPECT_EQ(ReadBytes("savedata"), RecordBytes());
}

TEST_F(SettingsFileTest, TemporaryFileIsPerProcessAndGoneAfterASave)
{
    EXPECT_EQ(TempName(), "savedata." + std::to_string(getpid()) + ".tmp");

    // A leftover of a save that was cut short earlier is simply replaced.
    ASSERT_TRUE(WriteBytes(TempName().c_str(), Pattern(1000, 1)));
    RangeY() = 480;
    SaveSettings();

    EXPECT_FALSE(Exists(TempName().c_str()));
    EXPECT_EQ(ReadBytes("savedata"), RecordBytes());
}

// --- Saves that cannot be made ---------------------------------------------
// The tests run as root, where permission bits stop nothing; each failure is
// forced by what stands at the file names instead.

struct SettingsSaveFailureTest : SettingsFileTest {
    Bytes old = Pattern(552, 21);

    void SetUp() override
    {
        SettingsFileTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(WriteBytes("savedata", old));
        RangeX() = 640;
        RangeY() = 480;
    }
};

TEST_F(SettingsSaveFailureTest, TemporaryFileThatCannotBeOpenedLeavesTheOldFile)
{
    ASSERT_EQ(mkdir(TempName().c_str(), 0700), 0);

    SaveSettings();

    EXPECT_EQ(ReadBytes("savedata"), old);
}

TEST_F(SettingsSaveFailureTest, WriteThatFailsLeavesTheOldFileAndNoTemporaryFile)
{
    // Every write to /dev/full fails with "no space left".
    if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(symlink("/dev/full", TempName().c_str()), 0);

    SaveSettings();

    EXPECT_EQ(ReadBytes("savedata"), old);
    EXPECT_FALSE(Exists(TempName().c_str()));
}

TEST_F(SettingsSaveFailureTest, ReplaceThatFailsLeavesTheOldEntryAndNoTemporaryFile)
{
    // A folder with a file in it cannot be replaced by a file.
    ASSERT_EQ(std::remove("savedata"), 0);
    ASSERT_EQ(mkdir("savedata", 0700), 0);
    ASSERT_TRUE(WriteBytes("savedata/inside", old));

    SaveSettings();

    struct stat info;
    ASSERT_EQ(stat("savedata", &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(ReadBytes("savedata/inside"), old);
    EXPECT_FALSE(Exists(TempName().c_str()));
}

}  // namespace
