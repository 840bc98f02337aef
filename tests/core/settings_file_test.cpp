// The settings file "savedata": loading, saving, and saves that fail.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/FileReplace.h"
#include "settings/FolderEntry.h"
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

typedef std::vector<std::string> Names;

// The working folder's entries, sorted.
Names Entries()
{
    Names names;
    DIR* folder = opendir(".");
    if (folder == nullptr) return names;
    while (const dirent* entry = readdir(folder))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.push_back(entry->d_name);
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

bool IsLink(const char* path)
{
    struct stat info;
    return lstat(path, &info) == 0 && S_ISLNK(info.st_mode);
}

// Which file stands at the name: a replaced file has a new number.
ino_t FileNumber(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 ? info.st_ino : 0;
}

// A source of new-file names that a test knows in advance: 1, 2, 3 ...
uint64_t countedBits = 0;

bool CountingBits(uint64_t& bits)
{
    bits = ++countedBits;
    return true;
}

// A source that fails, leaving what a careless caller would take as bits.
bool NoBits(uint64_t& bits)
{
    bits = 0;
    return false;
}

std::string KnownTempName(uint64_t bits)
{
    char name[64];
    SettingsTempName(bits, name, sizeof name);
    return name;
}

// A fresh folder inside the working one, made the working one.
bool EnterNewFolder()
{
    static int serial = 0;
    const std::string name = "case" + std::to_string(++serial);
    return mkdir(name.c_str(), 0700) == 0 && chdir(name.c_str()) == 0;
}

// The file name is relative: each test works in a fresh folder of its own.
struct SettingsFileTest : ::testing::Test {
    char folder[64] = "";
    std::string previous;
    bool (*randomBits)(uint64_t&) = nullptr;

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
        randomBits = settingsTempBits;
    }

    void TearDown() override
    {
        settingsTempBits = randomBits;
        EXPECT_EQ(chdir(previous.c_str()), 0);
        if (folder[0] != '\0') nftw(folder, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
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

    EXPECT_TRUE(SaveSettings());

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

    // Written in place, the file would change under the reader.
    unsigned char seen[600];
    const size_t got = std::fread(seen, 1, sizeof seen, reader);
    std::fclose(reader);
    EXPECT_EQ(Bytes(seen, seen + got), old);
    EXPECT_EQ(ReadBytes("savedata"), RecordBytes());
    EXPECT_EQ(Entries(), Names{"savedata"});
}

TEST_F(SettingsFileTest, NewFileNamesAreRandomAndNoneOutlivesASave)
{
    char name[64];
    SettingsTempName(0x0123456789abcdefULL, name, sizeof name);
    EXPECT_STREQ(name, "savedata.0123456789abcdef.tmp");
    uint64_t first = 0, second = 0;
    ASSERT_TRUE(settingsTempBits(first));
    ASSERT_TRUE(settingsTempBits(second));
    EXPECT_NE(first, second) << "a name nobody can know in advance";

    for (int32_t x = 1; x <= 3; ++x) {
        RangeX() = x;
        SaveSettings();
    }
    EXPECT_EQ(ReadBytes("savedata"), RecordBytes());
    EXPECT_EQ(Entries(), Names{"savedata"});
}

TEST_F(SettingsFileTest, SaveRemovesWhatCrashedSavesLeftAndNothingElse)
{
    struct Leftover {
        const char* name;
        bool removed;
    };
    const Leftover leftovers[] = {
        {"savedata.0123456789abcdef.tmp", true},
        {"savedata.fedcba9876543210.tmp", true},
        // Not names a save gives: someone else's files.
        {"savedata.0123456789ABCDEF.tmp", false},
        {"savedata.0123456789abcde.tmp", false},
        {"savedata.0123456789abcdef0.tmp", false},
        {"savedata.0123456789abcdeg.tmp", false},
        {"savedata.0123456789abcdef.tmp.bak", false},
        {"xsavedata.0123456789abcdef.tmp", false},
        {"savedata.12345.tmp", false},
    };
    for (const Leftover& leftover : leftovers) ASSERT_TRUE(WriteBytes(leftover.name, Pattern(300, 2)));
    // The first name this save takes: free once the leftovers are gone.
    ASSERT_TRUE(WriteBytes(KnownTempName(1).c_str(), Pattern(300, 3)));
    settingsTempBits = CountingBits;
    countedBits = 0;
    // A folder and a link in the form of a save's file are not files it left.
    ASSERT_EQ(mkdir("savedata.1111111111111111.tmp", 0700), 0);
    const Bytes victim = Pattern(100, 4);
    ASSERT_TRUE(WriteBytes("victim", victim));
    ASSERT_EQ(symlink("victim", "savedata.2222222222222222.tmp"), 0);

    SaveSettings();

    for (const Leftover& leftover : leftovers) {
        EXPECT_NE(Exists(leftover.name), leftover.removed) << leftover.name;
    }
    EXPECT_TRUE(Exists("savedata.1111111111111111.tmp"));
    EXPECT_TRUE(Exists("savedata.2222222222222222.tmp"));
    EXPECT_EQ(ReadBytes("victim"), victim);
    EXPECT_EQ(ReadBytes("savedata"), RecordBytes());
    EXPECT_EQ(countedBits, 1u) << "leftovers removed before the new file was made";
}

// Links planted where a save's new file could go, to a file and to a name
// that does not exist: the save never writes through them. Where every
// name is taken, or the random source gives no bits (a fixed name would be
// one anybody could plant), the record goes into "savedata" in place, if
// it exists.
TEST_F(SettingsFileTest, NewFileNeverMadeThroughALinkNorUnderAFixedName)
{
    enum Outcome { Replaced, InPlace, NoFile };
    struct LinkCase {
        const char* what;
        int linked;   // names taken, from the first on
        int oldSize;  // of "savedata"; -1: none
        Outcome outcome;
        bool (*bits)(uint64_t&) = CountingBits;
    };
    const LinkCase cases[] = {
        {"all but the last name taken", SettingsTempAttempts - 1, 552, Replaced},
        {"every name taken", SettingsTempAttempts, 600, InPlace},
        {"every name taken and no savedata", SettingsTempAttempts, -1, NoFile},
        {"no random bits", 0, 552, InPlace, NoBits},
        {"no random bits and no savedata", 0, -1, NoFile, NoBits},
    };
    const Bytes victim = Pattern(552, 6);
    ASSERT_TRUE(WriteBytes("victim", victim));
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(EnterNewFolder());
        settingsTempBits = c.bits;
        countedBits = 0;
        for (int i = 1; i <= c.linked; ++i) {
            ASSERT_EQ(symlink(i % 2 ? "../victim" : "../ghost", KnownTempName(i).c_str()), 0);
        }
        if (c.oldSize >= 0) {
            ASSERT_TRUE(WriteBytes("savedata", Pattern(c.oldSize, 8)));
        }
        const ino_t oldFile = FileNumber("savedata");
        RangeX() = 640;
        RangeY() = 480;

        SaveSettings();

        EXPECT_EQ(ReadBytes("../victim"), victim);
        EXPECT_FALSE(Exists("../ghost"));
        EXPECT_EQ(ReadBytes("savedata"), c.outcome == NoFile ? Bytes() : RecordBytes());
        if (c.outcome != NoFile) {
            EXPECT_EQ(FileNumber("savedata") == oldFile, c.outcome == InPlace) << "replaced or written in place";
        }
        for (const std::string& name : Entries()) {
            EXPECT_TRUE(name == "savedata" || IsLink(name.c_str())) << name << " left behind";
        }
        ASSERT_EQ(chdir(".."), 0);
    }
}

// --- Saves that cannot be made ---------------------------------------------
// The tests run as root, where permission bits stop nothing; each failure is
// forced otherwise.

TEST_F(SettingsFileTest, WriteThatFailsLeavesNoFile)
{
    // Files may grow to 100 bytes: every write of the record falls short.
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 100;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    RangeX() = 640;

    const bool saved = SaveSettings();
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    EXPECT_EQ(Entries(), Names{}) << "neither a short savedata nor a new file";
    EXPECT_FALSE(saved) << "a failed save reported as done";

    // Over a savedata that stands, the write in place falls short too.
    ASSERT_TRUE(WriteBytes("savedata", Pattern(552, 3)));
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedInPlace = SaveSettings();
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(savedInPlace) << "a short write in place reported as done";
}

TEST_F(SettingsFileTest, ReplaceThatFailsLeavesTheOldEntryAndNoNewFile)
{
    // A folder with a file in it cannot be replaced by a file, nor written.
    const Bytes old = Pattern(552, 21);
    ASSERT_EQ(mkdir("savedata", 0700), 0);
    ASSERT_TRUE(WriteBytes("savedata/inside", old));
    RangeX() = 640;

    EXPECT_FALSE(SaveSettings());

    struct stat info;
    ASSERT_EQ(stat("savedata", &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(ReadBytes("savedata/inside"), old);
    EXPECT_EQ(Entries(), Names{"savedata"});
}

// --- The native file operations ---------------------------------------------
// A new file only where nothing stands; in place only into a regular file,
// never through a link, and never waiting for a FIFO's reader.
TEST_F(SettingsFileTest, NativeFileOperationsCreateOnlyNewFilesAndWriteOnlyIntoRegularOnes)
{
    enum Standing { Nothing, File, LinkToFile, LinkToNothing, Folder, Fifo, FifoWithReader };
    struct Row {
        const char* what;
        Standing standing;
        bool created, opened;
    };
    const Row rows[] = {
        {"nothing", Nothing, true, false},
        {"a file", File, false, true},
        {"a link to a file", LinkToFile, false, false},
        {"a link to nothing", LinkToNothing, false, false},
        {"a folder", Folder, false, false},
        {"a FIFO without a reader", Fifo, false, false},
        {"a FIFO with a reader", FifoWithReader, false, false},
    };
    const Bytes target = Pattern(10, 1);
    ASSERT_TRUE(WriteBytes("target", target));
    alarm(20);  // an open that waits for a reader ends the test here
    for (const Row& row : rows) {
        for (const bool create : {true, false}) {
            SCOPED_TRACE(std::string(row.what) + (create ? ", created" : ", opened in place"));
            ASSERT_TRUE(EnterNewFolder());
            int reader = -1;
            bool placed = true;
            switch (row.standing) {
            case Nothing: break;
            case File: placed = WriteBytes("x", Pattern(10, 2)); break;
            case LinkToFile: placed = symlink("../target", "x") == 0; break;
            case LinkToNothing: placed = symlink("../ghost", "x") == 0; break;
            case Folder: placed = mkdir("x", 0700) == 0; break;
            case Fifo: placed = mkfifo("x", 0600) == 0; break;
            case FifoWithReader: placed = mkfifo("x", 0600) == 0 && (reader = open("x", O_RDONLY | O_NONBLOCK)) >= 0;
            }
            ASSERT_TRUE(placed);

            HeldFile file = {};
            const bool done = create ? CreateNewFile("x", file) : OpenFileInPlace("x", file);
            EXPECT_EQ(done, create ? row.created : row.opened);
            if (done) CloseFile(file, false);
            if (reader >= 0) close(reader);
            EXPECT_EQ(ReadBytes("../target"), target);
            EXPECT_FALSE(Exists("../ghost"));
            ASSERT_EQ(chdir(".."), 0);
        }
    }
    alarm(0);
}

}  // namespace

// Whether an open file is the working folder's own entry, from the two
// final paths the system gives: the drive's root folder, a name in other
// letters, and files elsewhere or of other names.
TEST(FolderEntry, TheFilesPathIsTheFolderAndTheName)
{
    struct Row {
        std::u16string file;
        std::u16string folder;
        const char* name;
        bool entry;
    };
    const Row rows[] = {
        {u"\\x\\savedata", u"\\x", "savedata", true},
        {u"\\savedata", u"\\", "savedata", true},  // a drive's root folder ends in its separator
        {u"\\x\\SaveData", u"\\x", "savedata", true},
        {u"\\\u307a\u308b\u3082\\savedata", u"\\\u307a\u308b\u3082", "savedata", true},
        {u"\\x\\savedata.00000000000000ab.tmp", u"\\x", "savedata.00000000000000AB.tmp", true},
        {u"\\elsewhere\\victim", u"\\x", "savedata", false},  // a link's target
        {u"\\x\\y\\savedata", u"\\x", "savedata", false},
        {u"\\xy\\savedata", u"\\x", "savedata", false},
        {u"\\X\\savedata", u"\\x", "savedata", false},  // the folder's part comes from the same call
        {u"\\x\\savedata2", u"\\x", "savedata", false},
        {u"\\x\\savedat", u"\\x", "savedata", false},
        {u"\\x", u"\\x", "savedata", false},
        {u"\\x\\savedata", u"", "savedata", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + (row.entry ? " is" : " is not") + " the entry");
        EXPECT_EQ(PathNamesFolderEntry(row.file.c_str(), row.file.size(), row.folder.c_str(), row.folder.size(), row.name),
                  row.entry);
    }
}

// The decision on what the system reports. The baseline is the entry; each
// row changes one report as a link, a folder, another file or another
// volume would, or as a system that tells less.
TEST(FolderEntry, TheEntryIsAPlainFileWithTheFilesIdOnTheFoldersVolumeAtItsPath)
{
    struct Row {
        const char* what;
        void (*change)(EntryReport&);
        bool entry;
    };
    const Row rows[] = {
        {"the entry itself", [](EntryReport&) {}, true},
        {"128-bit ids that differ in the high half", [](EntryReport& r) { r.entry.wide.id[15] ^= 1; }, false},
        {"no 128-bit id for the entry: the index decides", [](EntryReport& r) {
             r.entry.wide.known = false;
             r.entry.narrow.id[0] ^= 1;
         }, false},
        {"128-bit ids of zero, which are none: the index decides", [](EntryReport& r) {
             std::memset(r.file.wide.id, 0, 16);
             std::memset(r.entry.wide.id, 0, 16);
             r.entry.narrow.id[0] ^= 1;
         }, false},
        {"no id at all", [](EntryReport& r) { r.file.wide.known = r.file.narrow.known = false; }, false},
        {"the same id on another volume", [](EntryReport& r) { r.entry.wide.volume ^= 1; }, false},
        {"the entry a reparse point", [](EntryReport& r) { r.entryAttributes |= EntryAttributeReparsePoint; }, false},
        {"the entry a folder", [](EntryReport& r) { r.entryAttributes |= EntryAttributeDirectory; }, false},
        {"the entry not opened", [](EntryReport& r) { r.entryKnown = false; }, false},
        {"the file on another volume than the folder", [](EntryReport& r) {
             r.folder.wide.volume ^= 1;
             r.folder.narrow.volume ^= 1;
         }, false},
        {"the file's final path elsewhere, where a link led", [](EntryReport& r) {
             r.filePath = u"\\elsewhere\\savedata";
             r.fileLength = 19;
         }, false},
        {"no final paths told", [](EntryReport& r) { r.fileLength = r.folderLength = 0; }, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EntryReport report = {};
        for (HandleIds* ids : {&report.file, &report.entry, &report.folder}) {
            *ids = HandleIds{{true, 0x1122334455667788ULL, {7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}},
                             {true, 0x55667788, {7}}};
        }
        report.folder.wide.id[0] = report.folder.narrow.id[0] = 8;
        report.entryKnown = true;
        report.entryAttributes = 0x20;  // archive
        report.filePath = u"\\x\\savedata";
        report.fileLength = 11;
        report.folderPath = u"\\x";
        report.folderLength = 2;
        row.change(report);
        EXPECT_EQ(IsWorkingFolderEntry(report, "savedata"), row.entry);
    }
}
