// The options dialog on its real template (103) and on a template that has
// every control the procedure knows: what it shows, what it saves, how it
// follows "savedata", and the right click that opens it.
#include <gtest/gtest.h>
#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "settings/FileReplace.h"
#include "settings/win32/OptionsDialog.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "support/MascotRun.h"
#include "support/TestFolder.h"
#include "support/WindowSupport.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// --- Files -------------------------------------------------------------------

Bytes ImageOf(const SettingsRecord& record)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&record);
    return Bytes(p, p + sizeof record);
}

bool WriteSettingsFile(const SettingsRecord& record) { return WriteFileBytes("savedata", &record, sizeof record); }

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Which file stands at a name and when it was last written: a file that
// was rewritten or replaced differs in one or the other.
struct FileStamp {
    DWORD indexHigh;
    DWORD indexLow;
    FILETIME written;
};

bool StampOf(const char* path, FileStamp& stamp)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool ok = GetFileInformationByHandle(file, &info) != FALSE;
    CloseHandle(file);
    stamp = FileStamp{info.nFileIndexHigh, info.nFileIndexLow, info.ftLastWriteTime};
    return ok;
}

bool SameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.indexHigh == b.indexHigh && a.indexLow == b.indexLow &&
           CompareFileTime(&a.written, &b.written) == 0;
}

// Dates the file back to 2001, so that any write to it would show.
bool AgeFile(const char* path)
{
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    SYSTEMTIME when = {2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME old = {};
    SystemTimeToFileTime(&when, &old);
    const bool ok = SetFileTime(file, nullptr, nullptr, &old) != FALSE;
    CloseHandle(file);
    return ok;
}

// A record whose every byte tells where it came from.
SettingsRecord PatternRecord(unsigned seed)
{
    SettingsRecord record;
    unsigned char* p = reinterpret_cast<unsigned char*>(&record);
    for (size_t i = 0; i < sizeof record; ++i) p[i] = static_cast<unsigned char>((i * 13 + seed) % 251 + 1);
    return record;
}

// --- Driving the modal dialog --------------------------------------------------

// Opens dialog 103 of this program (or the given template), modal and
// without an owner, and hands it to `act` (see DriveDialogs).
INT_PTR RunOptionsDialog(const DialogAct& act, DialogMoment moment = OnceShown,
                         const std::vector<WORD>* full = nullptr)
{
    DriveDialogs(act, moment);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const INT_PTR result =
        full == nullptr
            ? DialogBoxParamA(instance, MAKEINTRESOURCEA(103), nullptr, OptionsDialogProc, 0)
            : DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(full->data()), nullptr,
                                      OptionsDialogProc, 0);
    StopDrivingDialogs();
    return result;
}

void PressSave(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); }
void PressCancel(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

// What the acts saw, for the test body to check after the dialog is gone.
struct Seen {
    std::string x;
    std::string y;
    int32_t rangeX;
    int32_t rangeY;
    bool running;
    HWND owner;
};
Seen seen = {};

void LookAndCancel(HWND dialog)
{
    seen.x = DialogText(dialog, 1005);
    seen.y = DialogText(dialog, 1006);
    seen.rangeX = RangeX();
    seen.rangeY = RangeY();
    PressCancel(dialog);
}

// The texts that the next saving act types into the two fields.
const char* typedX = "";
const char* typedY = "";

void TypeRange(HWND dialog)
{
    SetDialogText(dialog, 1005, typedX);
    SetDialogText(dialog, 1006, typedY);
}

void LookTypeAndSave(HWND dialog)
{
    seen.x = DialogText(dialog, 1005);
    seen.y = DialogText(dialog, 1006);
    TypeRange(dialog);
    PressSave(dialog);
}

struct OptionsDialogTest : ::testing::Test {
    TestFolder folder = {};

    void SetUp() override
    {
        ASSERT_TRUE(EnterTestFolder(folder));
        std::memset(&settings, 0, sizeof settings);
        seen = Seen{};
    }

    void TearDown() override { LeaveTestFolder(folder); }
};

// --- Showing -------------------------------------------------------------------

TEST_F(OptionsDialogTest, FieldsShowTheFileNotWhatTheRecordHeld)
{
    const int32_t pairs[][2] = {{640, 480}, {-5, INT32_MAX}, {0, INT32_MIN}};
    const char* const texts[][2] = {{"640", "480"}, {"-5", "2147483647"}, {"0", "-2147483648"}};
    for (int i = 0; i < 3; ++i) {
        SettingsRecord file = PatternRecord(i);
        file.values[0] = pairs[i][0];
        file.values[1] = pairs[i][1];
        ASSERT_TRUE(WriteSettingsFile(file));
        RangeX() = 7;
        RangeY() = 8;

        EXPECT_EQ(RunOptionsDialog(LookAndCancel), 2);

        EXPECT_EQ(seen.x, texts[i][0]);
        EXPECT_EQ(seen.y, texts[i][1]);
        EXPECT_EQ(seen.rangeX, pairs[i][0]) << "the record mirrors the file while the dialog is open";
        EXPECT_EQ(seen.rangeY, pairs[i][1]);
        EXPECT_EQ(DialogsStuck(), 0);
    }
}

TEST_F(OptionsDialogTest, WithoutAFileTheFieldsShowZeroAndSaveMakesA552ByteFile)
{
    typedX = "640";
    typedY = "480";
    ASSERT_FALSE(FileExists("savedata"));

    EXPECT_EQ(RunOptionsDialog(LookTypeAndSave), 1);

    EXPECT_EQ(seen.x, "0");
    EXPECT_EQ(seen.y, "0");
    const Bytes file = ReadFileBytes("savedata");
    ASSERT_EQ(file.size(), 552u);
    EXPECT_EQ(Bytes(file.begin() + 512, file.begin() + 520), (Bytes{0x80, 0x02, 0x00, 0x00, 0xE0, 0x01, 0x00, 0x00}));
    EXPECT_EQ(RangeX(), 640);
    EXPECT_EQ(RangeY(), 480);

    // Opened again, it shows what was saved.
    EXPECT_EQ(RunOptionsDialog(LookAndCancel), 2);
    EXPECT_EQ(seen.x, "640");
    EXPECT_EQ(seen.y, "480");
}

// The procedure's own answers, asked directly while the dialog is open.
struct Answers {
    INT_PTR initDialog;
    INT_PTR editNotification;
    INT_PTR other;
    bool textsWithoutControls;
};
Answers answers = {};

void AskTheProcedure(HWND dialog)
{
    answers.initDialog = OptionsDialogProc(dialog, WM_INITDIALOG, 0, 0);
    HWND edit = GetDlgItem(dialog, 1005);
    answers.editNotification =
        OptionsDialogProc(dialog, WM_COMMAND, MAKEWPARAM(1005, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    answers.other = OptionsDialogProc(dialog, WM_NULL, 0, 0);
    answers.textsWithoutControls = GetDlgItem(dialog, 1002) == nullptr && GetDlgItem(dialog, 1004) == nullptr &&
                                   GetDlgItem(dialog, 1007) == nullptr && GetDlgItem(dialog, 1014) == nullptr;
    PressCancel(dialog);
}

TEST_F(OptionsDialogTest, HandledMessagesAnswerTrueAndOthersFalse)
{
    answers = Answers{};
    EXPECT_EQ(RunOptionsDialog(AskTheProcedure), 2);
    EXPECT_EQ(answers.initDialog, TRUE) << "so the platform sets the focus";
    EXPECT_EQ(answers.editNotification, FALSE);
    EXPECT_EQ(answers.other, FALSE);
    EXPECT_TRUE(answers.textsWithoutControls) << "the template has only the two range fields";
}

// --- Saving --------------------------------------------------------------------

// The ways a user confirms: the button, a click on it, the Enter key.
void TypeAndClickSave(HWND dialog)
{
    TypeRange(dialog);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

void TypeAndPressEnter(HWND dialog)
{
    TypeRange(dialog);
    PostMessageA(GetDlgItem(dialog, 1006), WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(OptionsDialogTest, SaveByCommandClickOrEnterWritesTheTypedRange)
{
    const DialogAct ways[] = {LookTypeAndSave, TypeAndClickSave, TypeAndPressEnter};
    const char* const names[] = {"IDOK command", "button click", "Enter key"};
    const char* const xs[] = {"640", "800", "1024"};
    const char* const ys[] = {"480", "600", "768"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        ASSERT_TRUE(WriteSettingsFile(PatternRecord(40 + i)));
        typedX = xs[i];
        typedY = ys[i];

        EXPECT_EQ(RunOptionsDialog(ways[i]), 1);

        EXPECT_EQ(DialogsStuck(), 0);
        SettingsRecord expected = PatternRecord(40 + i);
        expected.values[0] = std::atoi(xs[i]);
        expected.values[1] = std::atoi(ys[i]);
        EXPECT_EQ(ReadFileBytes("savedata"), ImageOf(expected));
        EXPECT_EQ(FolderEntries("savedata*"), "savedata");
    }
}

TEST_F(OptionsDialogTest, FieldsWithoutControlsKeepTheFilesBytesAfterASave)
{
    SettingsRecord file = PatternRecord(7);
    std::strcpy(file.text1, "first text");  // bytes after the NUL stay as they are
    std::memset(file.text2, 'B', sizeof file.text2);  // no NUL at all
    for (int i = 2; i < 10; ++i) file.values[i] = (i % 2 ? -1 : 1) * i * 1000003;
    ASSERT_TRUE(WriteSettingsFile(file));
    typedX = "800";
    typedY = "600";

    EXPECT_EQ(RunOptionsDialog(LookTypeAndSave), 1);

    SettingsRecord expected = file;
    expected.values[0] = 800;
    expected.values[1] = 600;
    EXPECT_EQ(ReadFileBytes("savedata"), ImageOf(expected));
}

// --- Closing without saving ------------------------------------------------------

void TypeAndCancel(HWND dialog)
{
    SetDialogText(dialog, 1005, "1");
    SetDialogText(dialog, 1006, "2");
    PressCancel(dialog);
}

void TypeAndCloseBox(HWND dialog)
{
    SetDialogText(dialog, 1005, "1");
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TypeAndPressEsc(HWND dialog)
{
    SetDialogText(dialog, 1005, "1");
    PostMessageA(GetDlgItem(dialog, 1005), WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(OptionsDialogTest, CancelCloseBoxOrEscLeaveTheFileUntouched)
{
    const DialogAct ways[] = {TypeAndCancel, TypeAndCloseBox, TypeAndPressEsc};
    const char* const names[] = {"IDCANCEL command", "close box", "Esc key"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        const SettingsRecord file = PatternRecord(60 + i);
        ASSERT_TRUE(WriteSettingsFile(file));
        ASSERT_TRUE(AgeFile("savedata"));
        FileStamp before = {};
        ASSERT_TRUE(StampOf("savedata", before));
        RangeX() = 5;

        EXPECT_EQ(RunOptionsDialog(ways[i]), 2);

        EXPECT_EQ(DialogsStuck(), 0);
        EXPECT_EQ(ReadFileBytes("savedata"), ImageOf(file));
        FileStamp after = {};
        ASSERT_TRUE(StampOf("savedata", after));
        EXPECT_TRUE(SameStamp(before, after)) << "the file was written or replaced";
        EXPECT_EQ(FolderEntries("savedata*"), "savedata");
        EXPECT_EQ(ImageOf(settings), ImageOf(file)) << "the record holds the file's contents";
    }
}

// --- Following the file ----------------------------------------------------------

struct Followed {
    int32_t beforeWrite;
    int32_t afterWriteNoMessage;
    int32_t afterMessage[2];
    std::string fieldAfterMessage;
};
Followed followed = {};

SettingsRecord OtherWritersRecord()
{
    SettingsRecord other = PatternRecord(90);
    std::strcpy(other.text1, "other");
    other.values[0] = 800;
    other.values[1] = 600;
    other.values[2] = 77;
    return other;
}

void OtherWriterSavesMeanwhile(HWND dialog)
{
    followed.beforeWrite = RangeX();
    WriteSettingsFile(OtherWritersRecord());
    followed.afterWriteNoMessage = RangeX();
    SendMessageA(dialog, WM_NULL, 0, 0);
    followed.afterMessage[0] = RangeX();
    followed.afterMessage[1] = RangeY();
    followed.fieldAfterMessage = DialogText(dialog, 1005);
    PressSave(dialog);
}

TEST_F(OptionsDialogTest, AnotherWritersChangeReachesTheRecordWithTheNextMessage)
{
    SettingsRecord file = PatternRecord(80);
    file.values[0] = 640;
    file.values[1] = 480;
    ASSERT_TRUE(WriteSettingsFile(file));
    followed = Followed{};

    EXPECT_EQ(RunOptionsDialog(OtherWriterSavesMeanwhile), 1);

    EXPECT_EQ(followed.beforeWrite, 640);
    EXPECT_EQ(followed.afterWriteNoMessage, 640) << "nothing reads the file between messages";
    EXPECT_EQ(followed.afterMessage[0], 800);
    EXPECT_EQ(followed.afterMessage[1], 600);
    EXPECT_EQ(followed.fieldAfterMessage, "640") << "the fields are filled only once";

    // "保存" takes the range from the fields and everything else from the
    // file as the other writer left it.
    SettingsRecord expected = OtherWritersRecord();
    expected.values[0] = 640;
    expected.values[1] = 480;
    EXPECT_EQ(ReadFileBytes("savedata"), ImageOf(expected));
}

// Whatever holds "savedata" open, the save lands wherever a plain write
// could: replaced when nobody holds it, written in place when a reader
// lets others write (as the C library's "rb" does), not at all when the
// reader allows no writer. Then the file stays as it was and the closing
// dialog's messages read it back into the record.
enum Holder { NoHolder, ReaderAllowingWriters, ReaderAllowingReaders, EditorAllowingAll };

struct HeldCase {
    const char* what;
    Holder holder;
    bool lands;
    bool sameFile;
    size_t size;  // of the file before the save: a longer one is cut to the record
};

// A save that cannot land keeps the dialog open with what was typed, and
// sounds the system's warning: an answer types, presses "保存", notes the
// fields once that command is done, and then presses Esc, which is only
// reached while the dialog is still open.
WNDPROC dialogProcedure = nullptr;
std::string keptX = "";
int beeps = 0;
UINT beepType = 0;

BOOL WINAPI CountBeep(UINT type)
{
    ++beeps;
    beepType = type;
    return TRUE;
}

LRESULT CALLBACK NoteKeptField(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) keptX = DialogText(dialog, 1005);
    return CallWindowProcA(dialogProcedure, dialog, message, wParam, lParam);
}

void TypeSaveLookAndCancel(HWND dialog)
{
    TypeRange(dialog);
    dialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteKeptField)));
    PostDialogCommand(dialog, IDOK);
    PostMessageA(dialog, WM_APP, 0, 0);
    PostDialogCommand(dialog, IDCANCEL);
}

TEST_F(OptionsDialogTest, SaveLandsWhereverAPlainWriteWould)
{
    const FARPROC beep = GetProcAddress(GetModuleHandleA("user32.dll"), "MessageBeep");
    ASSERT_TRUE(PatchImports(reinterpret_cast<ULONG_PTR>(beep), reinterpret_cast<ULONG_PTR>(&CountBeep)));
    const HeldCase cases[] = {
        {"nobody holds it", NoHolder, true, false, 600},
        {"a reader that lets others write", ReaderAllowingWriters, true, true, 552},
        {"a reader that lets others only read", ReaderAllowingReaders, false, true, 552},
        {"an editor that holds it for writing", EditorAllowingAll, true, true, 600},
    };
    for (const HeldCase& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsRecord file = PatternRecord(100 + c.holder);
        file.values[0] = 640;
        file.values[1] = 480;
        Bytes image = ImageOf(file);
        image.resize(c.size, 0x5A);
        ASSERT_TRUE(WriteFileBytes("savedata", image.data(), static_cast<unsigned>(image.size())));
        ASSERT_TRUE(AgeFile("savedata"));
        FileStamp before = {};
        ASSERT_TRUE(StampOf("savedata", before));
        std::FILE* reader = c.holder == ReaderAllowingWriters ? std::fopen("savedata", "rb") : nullptr;
        HANDLE strict = c.holder == ReaderAllowingReaders
                            ? CreateFileA("savedata", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                            : INVALID_HANDLE_VALUE;
        if (c.holder == EditorAllowingAll)
            strict = CreateFileA("savedata", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        ASSERT_EQ(reader != nullptr, c.holder == ReaderAllowingWriters);
        ASSERT_EQ(strict != INVALID_HANDLE_VALUE, c.holder == ReaderAllowingReaders || c.holder == EditorAllowingAll);
        typedX = "800";
        typedY = "600";
        keptX = "";
        beeps = 0;

        EXPECT_EQ(RunOptionsDialog(TypeSaveLookAndCancel, BeforeShown), c.lands ? 1 : 2) << "closed by the save, or by Esc";
        EXPECT_EQ(keptX, c.lands ? "" : "800") << "what was typed, kept while the dialog stays";
        EXPECT_EQ(beeps, c.lands ? 0 : 1);
        if (!c.lands) {
            EXPECT_EQ(beepType, static_cast<UINT>(MB_ICONWARNING));
        }

        if (reader != nullptr) std::fclose(reader);
        if (strict != INVALID_HANDLE_VALUE) CloseHandle(strict);
        SettingsRecord expected = file;
        if (c.lands) {
            expected.values[0] = 800;
            expected.values[1] = 600;
        }
        EXPECT_EQ(ReadFileBytes("savedata"), c.lands ? ImageOf(expected) : image);
        EXPECT_EQ(ImageOf(settings), ImageOf(expected)) << "the record follows the file";
        FileStamp after = {};
        ASSERT_TRUE(StampOf("savedata", after));
        EXPECT_EQ(after.indexLow == before.indexLow && after.indexHigh == before.indexHigh, c.sameFile);
        EXPECT_EQ(SameStamp(before, after), !c.lands) << "written or not";
        EXPECT_EQ(FolderEntries("savedata*"), "savedata");
    }
    PatchImports(reinterpret_cast<ULONG_PTR>(&CountBeep), reinterpret_cast<ULONG_PTR>(beep));
}

// A file in the form of a save's new file is another copy's save in
// progress while someone holds it open, and a crashed save's leftover
// otherwise: only the leftovers go, all of them in one save.
TEST_F(OptionsDialogTest, SaveRemovesLeftoversButNotAnotherCopysSaveInProgress)
{
    const char* const leftovers[] = {"savedata.0123456789abcdef.tmp", "savedata.0000000000000001.tmp",
                                     "savedata.ffffffffffffffff.tmp"};
    const char inProgress[] = "savedata.fedcba9876543210.tmp";
    ASSERT_TRUE(WriteSettingsFile(PatternRecord(5)));
    for (const char* leftover : leftovers) ASSERT_TRUE(WriteFileBytes(leftover, "left", 4));
    HANDLE other = CreateFileA(inProgress, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(other, "busy", 4, &written, nullptr));
    typedX = "640";
    typedY = "480";

    EXPECT_EQ(RunOptionsDialog(LookTypeAndSave), 1);

    EXPECT_EQ(FolderEntries("savedata*"), std::string("savedata ") + inProgress);
    CloseHandle(other);
    EXPECT_EQ(ReadFileBytes(inProgress), (Bytes{'b', 'u', 's', 'y'}));
    EXPECT_EQ(RangeX(), 640);
    DeleteFileA(inProgress);
}

// The random name is only ever created, never opened: a file that stands
// there and that clean-up may not remove (someone holds it open, sharing
// everything) keeps its bytes, and the save takes the next name.
uint64_t fixedBits[2] = {};
int fixedBitsTaken = 0;
bool FixedBits(uint64_t& bits)
{
    bits = fixedBits[fixedBitsTaken++ % 2];
    return true;
}

TEST_F(OptionsDialogTest, SaveNeverOpensAFileAlreadyAtItsNewName)
{
    fixedBits[0] = 0x00000000000000aaULL;
    fixedBits[1] = 0x00000000000000bbULL;
    fixedBitsTaken = 0;
    ASSERT_TRUE(WriteSettingsFile(PatternRecord(6)));
    const char taken[] = "savedata.00000000000000aa.tmp";
    ASSERT_TRUE(WriteFileBytes(taken, "theirs", 6));
    HANDLE theirs = CreateFileA(taken, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(theirs, INVALID_HANDLE_VALUE);
    bool (*const real)(uint64_t&) = settingsTempBits;
    settingsTempBits = FixedBits;
    std::memset(&settings, 0, sizeof settings);
    RangeX() = 320;
    SaveSettings();
    settingsTempBits = real;

    CloseHandle(theirs);
    EXPECT_EQ(ReadFileBytes(taken), (Bytes{'t', 'h', 'e', 'i', 'r', 's'}));
    EXPECT_EQ(fixedBitsTaken, 2) << "names tried";
    EXPECT_EQ(ReadFileBytes("savedata"), ImageOf(settings));
    DeleteFileA(taken);
}

// The rename, as the save asks for it: the form with flags first (replace,
// POSIX semantics), then the older one where that is refused, each with the
// name's length in bytes without its terminating zero; where both are
// refused, the record is written in place. Wine does not do the POSIX
// rename, so what reaches the system is what is checked.
struct RenameCall {
    int infoClass;
    DWORD flags;
    DWORD nameBytes;
    std::wstring name;
    bool flushed;  // the file, before it was renamed, where FlushFileBuffers is spied on
};
std::vector<RenameCall> renameCalls;
std::vector<HANDLE> flushedFiles;
int refusedRenames = 0;  // how many of the first rename calls the spy refuses
BOOL(WINAPI* realSetFileInformation)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD) = nullptr;

BOOL WINAPI SpySetFileInformation(HANDLE file, FILE_INFO_BY_HANDLE_CLASS infoClass, LPVOID info, DWORD size)
{
    if (infoClass != FileRenameInfo && infoClass != 22) return realSetFileInformation(file, infoClass, info, size);
    const FILE_RENAME_INFO* rename = static_cast<const FILE_RENAME_INFO*>(info);
    DWORD flags = 0;
    std::memcpy(&flags, info, sizeof flags);
    const bool flushed = std::find(flushedFiles.begin(), flushedFiles.end(), file) != flushedFiles.end();
    renameCalls.push_back({infoClass, flags, rename->FileNameLength,
                           std::wstring(rename->FileName, rename->FileNameLength / sizeof(WCHAR)), flushed});
    if (static_cast<int>(renameCalls.size()) <= refusedRenames) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return realSetFileInformation(file, infoClass, info, size);
}

TEST_F(OptionsDialogTest, TheRenameAsksForPosixSemanticsFirstThenTheOlderForm)
{
    const FARPROC real = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle");
    ASSERT_NE(real, nullptr);
    realSetFileInformation = reinterpret_cast<decltype(realSetFileInformation)>(reinterpret_cast<void*>(real));
    ASSERT_TRUE(PatchImports(reinterpret_cast<ULONG_PTR>(real), reinterpret_cast<ULONG_PTR>(&SpySetFileInformation)));
    for (int refused = 0; refused <= 2; ++refused) {
        SCOPED_TRACE(testing::Message() << refused << " renames refused");
        ASSERT_TRUE(WriteSettingsFile(PatternRecord(7)));
        FileStamp before = {};
        ASSERT_TRUE(StampOf("savedata", before));
        renameCalls.clear();
        refusedRenames = refused;
        RangeX() = 1000 + refused;
        SaveSettings();

        ASSERT_GE(renameCalls.size(), 1u);
        EXPECT_EQ(renameCalls[0].infoClass, 22);
        EXPECT_EQ(renameCalls[0].flags, 3u) << "FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS";
        for (const RenameCall& call : renameCalls) {
            EXPECT_EQ(call.name, L"savedata");
            EXPECT_EQ(call.nameBytes, 16u) << "without the terminating zero";
        }
        if (renameCalls.size() > 1) {
            EXPECT_EQ(renameCalls[1].infoClass, FileRenameInfo);
            EXPECT_EQ(renameCalls[1].flags & 0xFF, 1u) << "ReplaceIfExists";
        }
        EXPECT_LE(renameCalls.size(), 2u);
        if (refused > 0) {
            EXPECT_EQ(renameCalls.size(), 2u) << "no older form after a refusal";
        }
        EXPECT_EQ(ReadFileBytes("savedata"), ImageOf(settings)) << "the save did not land";
        FileStamp after = {};
        ASSERT_TRUE(StampOf("savedata", after));
        EXPECT_EQ(after.indexLow == before.indexLow && after.indexHigh == before.indexHigh, refused == 2)
            << "in place exactly when both renames were refused";
        EXPECT_EQ(FolderEntries("savedata*"), "savedata");
    }
    PatchImports(reinterpret_cast<ULONG_PTR>(&SpySetFileInformation), reinterpret_cast<ULONG_PTR>(real));
}

// The random part of a new file's name: bcrypt.dll, which is no KnownDLL,
// asked for by its bare name from System32 alone; where it cannot be had,
// bits that never repeat, so the save never tries one name over and over.
std::vector<std::pair<std::wstring, DWORD>> libraryLoads;
bool refuseLibraries = false;
HMODULE(WINAPI* realLoadLibraryEx)(LPCWSTR, HANDLE, DWORD) = nullptr;

HMODULE WINAPI SpyLoadLibraryEx(LPCWSTR name, HANDLE file, DWORD flags)
{
    libraryLoads.push_back({name, flags});
    if (!refuseLibraries) return realLoadLibraryEx(name, file, flags);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// The generator that the save finds in bcrypt.dll, standing in for the
// system's: bits that no fallback gives, and what it was asked for.
const uint64_t GeneratedBits = 0x5EEDB175C0FFEE42ull;
struct GeneratorCall {
    BCRYPT_ALG_HANDLE algorithm;
    ULONG bytes, flags;
};
std::vector<GeneratorCall> generatorCalls;
FARPROC(WINAPI* realGetProcAddress)(HMODULE, LPCSTR) = nullptr;

LONG WINAPI StandInGenRandom(BCRYPT_ALG_HANDLE algorithm, PUCHAR buffer, ULONG bytes, ULONG flags)
{
    generatorCalls.push_back({algorithm, bytes, flags});
    std::memcpy(buffer, &GeneratedBits, bytes < sizeof GeneratedBits ? bytes : sizeof GeneratedBits);
    return 0;  // STATUS_SUCCESS
}

FARPROC WINAPI SpyGetProcAddress(HMODULE module, LPCSTR name)
{
    const bool byName = reinterpret_cast<ULONG_PTR>(name) > 0xFFFF;
    if (byName && std::strcmp(name, "BCryptGenRandom") == 0 && module == GetModuleHandleA("bcrypt.dll"))
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&StandInGenRandom));
    return realGetProcAddress(module, name);
}

TEST(SaveNameBits, ComeFromSystem32AloneAndNeverRepeat)
{
    const FARPROC real = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryExW");
    ASSERT_NE(real, nullptr);
    realLoadLibraryEx = reinterpret_cast<decltype(realLoadLibraryEx)>(reinterpret_cast<void*>(real));
    ASSERT_TRUE(PatchImports(reinterpret_cast<ULONG_PTR>(real), reinterpret_cast<ULONG_PTR>(&SpyLoadLibraryEx)));
    uint64_t bits = 0;
    EXPECT_TRUE(RandomBits(bits));
    ASSERT_EQ(libraryLoads.size(), 1u);
    EXPECT_EQ(libraryLoads[0].first, L"bcrypt.dll");
    EXPECT_EQ(libraryLoads[0].second, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32));

    // Where bcrypt.dll loads, its generator gives the bits, asked for the
    // system's preferred one without an algorithm handle.
    const FARPROC lookUp = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcAddress");
    realGetProcAddress = reinterpret_cast<decltype(realGetProcAddress)>(reinterpret_cast<void*>(lookUp));
    ASSERT_TRUE(PatchImports(reinterpret_cast<ULONG_PTR>(lookUp), reinterpret_cast<ULONG_PTR>(&SpyGetProcAddress)));
    for (int i = 0; i < 2; ++i) {
        bits = 0;
        EXPECT_TRUE(RandomBits(bits));
        EXPECT_EQ(bits, GeneratedBits) << "call " << i;
    }
    PatchImports(reinterpret_cast<ULONG_PTR>(&SpyGetProcAddress), reinterpret_cast<ULONG_PTR>(lookUp));
    ASSERT_EQ(generatorCalls.size(), 2u);
    for (const GeneratorCall& call : generatorCalls) {
        EXPECT_EQ(call.algorithm, nullptr);
        EXPECT_EQ(call.bytes, sizeof bits);
        EXPECT_EQ(call.flags, static_cast<ULONG>(BCRYPT_USE_SYSTEM_PREFERRED_RNG));
    }

    refuseLibraries = true;
    std::set<uint64_t> seen;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(RandomBits(bits));
        seen.insert(bits);
    }
    EXPECT_EQ(seen.size(), 1000u);
    refuseLibraries = false;
    PatchImports(reinterpret_cast<ULONG_PTR>(&SpyLoadLibraryEx), reinterpret_cast<ULONG_PTR>(real));
}

// The save's own opens, as it asks for them: a leftover opened for removal
// shared with nobody, so a save in progress keeps it, and looked at as it
// stands, a link not followed; the new file shared for reading only, so
// that while the save holds it nobody may delete, rename or write it, and
// flushed before the rename. Under Wine none of these shows, so what
// reaches the system is what is checked.
struct OpenCall {
    std::string name;
    DWORD access, share, disposition, flags;
};
std::vector<OpenCall> openCalls;
HANDLE(WINAPI* realCreateFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) = nullptr;
BOOL(WINAPI* realFlush)(HANDLE) = nullptr;

HANDLE WINAPI SpyCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                            DWORD flags, HANDLE from)
{
    openCalls.push_back({name, access, share, disposition, flags});
    return realCreateFile(name, access, share, security, disposition, flags, from);
}

BOOL WINAPI SpyFlush(HANDLE file)
{
    flushedFiles.push_back(file);
    return realFlush(file);
}

TEST_F(OptionsDialogTest, TheSaveOpensItsFilesSharedAsItNeedsAndFlushesBeforeTheRename)
{
    const char leftover[] = "savedata.0123456789abcdef.tmp";
    ASSERT_TRUE(WriteFileBytes(leftover, "left", 4));
    fixedBits[0] = fixedBits[1] = 0xccULL;
    fixedBitsTaken = 0;
    bool (*const bits)(uint64_t&) = settingsTempBits;
    settingsTempBits = FixedBits;
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const FARPROC real[3] = {GetProcAddress(kernel, "CreateFileA"), GetProcAddress(kernel, "FlushFileBuffers"),
                             GetProcAddress(kernel, "SetFileInformationByHandle")};
    const ULONG_PTR spies[3] = {reinterpret_cast<ULONG_PTR>(&SpyCreateFile), reinterpret_cast<ULONG_PTR>(&SpyFlush),
                                reinterpret_cast<ULONG_PTR>(&SpySetFileInformation)};
    realCreateFile = reinterpret_cast<decltype(realCreateFile)>(reinterpret_cast<void*>(real[0]));
    realFlush = reinterpret_cast<decltype(realFlush)>(reinterpret_cast<void*>(real[1]));
    realSetFileInformation = reinterpret_cast<decltype(realSetFileInformation)>(reinterpret_cast<void*>(real[2]));
    openCalls.clear();
    flushedFiles.clear();
    renameCalls.clear();
    refusedRenames = 0;
    bool patched = true;
    for (int i = 0; i < 3; ++i) patched = PatchImports(reinterpret_cast<ULONG_PTR>(real[i]), spies[i]) && patched;
    RangeX() = 321;
    const bool saved = SaveSettings();
    for (int i = 0; i < 3; ++i) PatchImports(spies[i], reinterpret_cast<ULONG_PTR>(real[i]));
    settingsTempBits = bits;
    ASSERT_TRUE(patched) << "CreateFileA, FlushFileBuffers and SetFileInformationByHandle all called";
    EXPECT_TRUE(saved);

    const DWORD anyone = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const struct {
        const char* what;
        const char* name;
        DWORD disposition, access, share, flags;
    } rows[] = {
        {"the leftover, to remove it", leftover, OPEN_EXISTING, DELETE, 0, 0},
        {"the leftover as it stands", leftover, OPEN_EXISTING, FILE_READ_ATTRIBUTES, anyone, FILE_FLAG_OPEN_REPARSE_POINT},
        {"the new file", "savedata.00000000000000cc.tmp", CREATE_NEW, GENERIC_WRITE | DELETE, FILE_SHARE_READ, 0},
    };
    for (const auto& row : rows) {
        const bool asked = std::any_of(openCalls.begin(), openCalls.end(), [&](const OpenCall& call) {
            return call.name == row.name && call.disposition == row.disposition &&
                   (call.access & row.access) == row.access && call.share == row.share &&
                   (call.flags & row.flags) == row.flags;
        });
        EXPECT_TRUE(asked) << row.what;
    }
    ASSERT_GE(renameCalls.size(), 1u);
    for (const RenameCall& call : renameCalls) EXPECT_TRUE(call.flushed) << "the new file flushed before the rename";
    EXPECT_EQ(FolderEntries("savedata*"), "savedata");
}

// --- A template with every control ------------------------------------------------
// Template 103 lacks the controls of text1, text2 and values[2] to [9]; this
// one has them all, so the procedure's handling of each field shows.

void Align(std::vector<WORD>& words)
{
    if (words.size() % 2 != 0) words.push_back(0);
}

void AddDword(std::vector<WORD>& words, DWORD value)
{
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

void AddItem(std::vector<WORD>& words, WORD atom, WORD id, short y, DWORD style)
{
    Align(words);
    AddDword(words, WS_CHILD | WS_VISIBLE | style);
    AddDword(words, 0);
    const short box[4] = {4, y, 200, 10};
    for (short v : box) words.push_back(static_cast<WORD>(v));
    words.push_back(id);
    words.push_back(0xFFFF);  // a predefined class by atom
    words.push_back(atom);
    words.push_back(0);  // no text
    words.push_back(0);  // no creation data
}

std::vector<WORD> FullTemplate()
{
    std::vector<WORD> words;
    AddDword(words, WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    AddDword(words, 0);
    words.push_back(13);  // items
    const short box[4] = {10, 10, 210, 150};
    for (short v : box) words.push_back(static_cast<WORD>(v));
    words.push_back(0);  // no menu
    words.push_back(0);  // default class
    words.push_back(0);  // no title
    const WORD edit = 0x0081, button = 0x0080;
    AddItem(words, edit, 1002, 0, ES_AUTOHSCROLL);
    AddItem(words, edit, 1004, 10, ES_AUTOHSCROLL);
    for (WORD i = 0; i < 10; ++i)
        AddItem(words, edit, static_cast<WORD>(1005 + i), static_cast<short>(20 + 10 * i), ES_AUTOHSCROLL);
    AddItem(words, button, IDOK, 130, BS_DEFPUSHBUTTON);
    return words;
}

std::string shownTexts[12];

void LookAtEveryFieldAndEdit(HWND dialog)
{
    shownTexts[0] = DialogText(dialog, 1002);
    shownTexts[1] = DialogText(dialog, 1004);
    for (int i = 0; i < 10; ++i) shownTexts[2 + i] = DialogText(dialog, 1005 + i);
    SetDialogText(dialog, 1002, "new text");
    SetDialogText(dialog, 1007, "-42");
    SetDialogText(dialog, 1014, "1234567890123456");
    PressSave(dialog);
}

TEST_F(OptionsDialogTest, EveryFieldWithAControlIsShownAndSaved)
{
    SettingsRecord file = PatternRecord(3);
    std::memset(file.text1, 'A', sizeof file.text1);  // no NUL within its 256 bytes
    std::strcpy(file.text2, "second");
    const int32_t values[10] = {640, 480, -3, 4, INT32_MIN, INT32_MAX, 0, 70000, -1, 9};
    std::memcpy(file.values, values, sizeof values);
    ASSERT_TRUE(WriteSettingsFile(file));
    const std::vector<WORD> full = FullTemplate();

    EXPECT_EQ(RunOptionsDialog(LookAtEveryFieldAndEdit, OnceShown, &full), 1);

    EXPECT_EQ(shownTexts[0], std::string(256, 'A')) << "text1 is shown within its own 256 bytes";
    EXPECT_EQ(shownTexts[1], "second");
    const char* const numbers[10] = {"640", "480", "-3", "4", "-2147483648", "2147483647", "0", "70000", "-1", "9"};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(shownTexts[2 + i], numbers[i]) << "control " << 1005 + i;

    const Bytes saved = ReadFileBytes("savedata");
    ASSERT_EQ(saved.size(), 552u);
    SettingsRecord back = {};
    std::memcpy(&back, saved.data(), sizeof back);
    EXPECT_STREQ(back.text1, "new text");
    EXPECT_EQ(std::string(back.text2), "second");
    const int32_t expected[10] = {640, 480, -42, 4, INT32_MIN, INT32_MAX, 0, 70000, -1, INT32_MAX};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(back.values[i], expected[i]) << "values[" << i << "]";
}

// However far off every screen the dialog would open (its owner, the
// mascot, may stand anywhere), it opens whole on the work area of the
// nearest monitor. The system may itself keep a dialog on the screen as
// it works out where the template puts it, so the window is sent off just
// before its WM_INITDIALOG, where only the dialog's own step can bring it
// back.
POINT sendTo = {};
RECT dialogBox = {};

LRESULT CALLBACK SendDialogOff(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG)
        SetWindowPos(call->hwnd, nullptr, sendTo.x, sendTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void NoteWhereItStands(HWND dialog)
{
    GetWindowRect(dialog, &dialogBox);
    PressCancel(dialog);
}

TEST_F(OptionsDialogTest, OpensWholeOnTheNearestMonitorsWorkArea)
{
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, SendDialogOff, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const POINT places[] = {{40000, 10}, {-40000, -40000}, {10, 40000}, {100, 100}};
    for (const POINT& at : places) {
        SCOPED_TRACE(testing::Message() << "sent to " << at.x << ", " << at.y);
        sendTo = at;
        dialogBox = RECT{};
        RunOptionsDialog(NoteWhereItStands, OnceShown);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        ASSERT_TRUE(GetMonitorInfoW(MonitorFromRect(&dialogBox, MONITOR_DEFAULTTONEAREST), &monitor));
        EXPECT_GT(dialogBox.right, dialogBox.left);
        EXPECT_GE(dialogBox.left, monitor.rcWork.left);
        EXPECT_GE(dialogBox.top, monitor.rcWork.top);
        EXPECT_LE(dialogBox.right, monitor.rcWork.right);
        EXPECT_LE(dialogBox.bottom, monitor.rcWork.bottom);
    }
    UnhookWindowsHookEx(hook);
}

// Ten field texts at once, one per value control, read through the
// 16-character buffer and shown again at the next opening.
struct ConversionCase {
    const char* typed;
    int32_t stored;
    const char* shownNext;
};
const ConversionCase conversions[10] = {
    {"-5", -5, "-5"},
    {"1234567890123456", INT32_MAX, "2147483647"},  // its first 15 digits, past the limit
    {"0000000000000012", 1, "1"},                   // only 15 characters are read
    {"99999999999", INT32_MAX, "2147483647"},
    {"-99999999999", INT32_MIN, "-2147483648"},
    {"  12abc", 12, "12"},
    {"", 0, "0"},
    {"abc", 0, "0"},
    {"+7", 7, "7"},
    {"-2147483648", INT32_MIN, "-2147483648"},
};

void TypeEveryValueAndSave(HWND dialog)
{
    for (int i = 0; i < 10; ++i) SetDialogText(dialog, 1005 + i, conversions[i].typed);
    PressSave(dialog);
}

void LookAtEveryValueAndCancel(HWND dialog)
{
    for (int i = 0; i < 10; ++i) shownTexts[2 + i] = DialogText(dialog, 1005 + i);
    PressCancel(dialog);
}

TEST_F(OptionsDialogTest, FieldTextBecomesANumberByTheConversionRules)
{
    const std::vector<WORD> full = FullTemplate();
    EXPECT_EQ(RunOptionsDialog(TypeEveryValueAndSave, OnceShown, &full), 1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(settings.values[i], conversions[i].stored) << '"' << conversions[i].typed << '"';

    EXPECT_EQ(RunOptionsDialog(LookAtEveryValueAndCancel, OnceShown, &full), 2);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(shownTexts[2 + i], conversions[i].shownNext) << '"' << conversions[i].typed << '"';
}

// --- The right click on the mascot window -------------------------------------------

struct RightClickTest : OptionsDialogTest {
    HWND hwnd = nullptr;

    void SetUp() override
    {
        OptionsDialogTest::SetUp();
        if (HasFatalFailure()) return;
        ResetMascotState();
        hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
    }

    void TearDown() override
    {
        StopDrivingDialogs();
        EndMascot(hwnd);
        OptionsDialogTest::TearDown();
    }
};

void NoteMascotAndSave(HWND dialog)
{
    seen.running = mascot.running;
    seen.owner = GetWindow(dialog, GW_OWNER);
    LookTypeAndSave(dialog);
}

TEST_F(RightClickTest, RightClickPausesTheMascotWhileTheDialogSavesTheRange)
{
    typedX = "640";
    typedY = "480";
    DriveDialogs(NoteMascotAndSave, OnceShown);

    EXPECT_EQ(SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)), 0);

    ASSERT_EQ(DialogsDriven(), 1) << "dialogs opened";
    EXPECT_EQ(DialogsStuck(), 0);
    EXPECT_EQ(seen.owner, hwnd) << "the dialog belongs to the mascot window";
    EXPECT_FALSE(seen.running) << "the mascot stands still while the dialog is open";
    EXPECT_TRUE(mascot.running) << "and moves again afterwards";
    EXPECT_EQ(RangeX(), 640);
    EXPECT_EQ(RangeY(), 480);
    const Bytes file = ReadFileBytes("savedata");
    ASSERT_EQ(file.size(), 552u);
    EXPECT_EQ(Bytes(file.begin() + 512, file.begin() + 520), (Bytes{0x80, 0x02, 0x00, 0x00, 0xE0, 0x01, 0x00, 0x00}));
}

TEST_F(RightClickTest, RightClickLeavesTheMascotRunningWhenNoDialogCanAppear)
{
    HMODULE withoutDialog = GetModuleHandleA("gdi32.dll");
    ASSERT_NE(withoutDialog, nullptr);
    ASSERT_EQ(FindResourceA(withoutDialog, MAKEINTRESOURCEA(103), MAKEINTRESOURCEA(5)), nullptr);
    appInstance = withoutDialog;
    mascot.running = false;  // so that only the click can set it
    DriveDialogs(PressCancel, OnceShown);

    EXPECT_EQ(SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0), 0);

    EXPECT_EQ(DialogsDriven(), 0);
    EXPECT_TRUE(mascot.running);
}

// With the dialog open and another window in front of it, a further right
// click or options command brings the dialog itself to the front.
struct Front {
    HWND dialog;
    HWND noted;        // the dialog the program keeps for this
    HWND beforeClick;  // the foreground window with the other in front
    HWND afterClick;
    HWND afterCommand;
};
Front front = {};

void PutAnotherWindowInFrontTwice(HWND dialog)
{
    front.dialog = dialog;
    front.noted = optionsDialog.window;
    HWND owner = GetWindow(dialog, GW_OWNER);
    HWND other = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    front.beforeClick = GetForegroundWindow();
    SendMessageA(owner, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    front.afterClick = GetForegroundWindow();
    SetForegroundWindow(other);
    SendMessageA(owner, WM_COMMAND, CmdOptions, 0);
    front.afterCommand = GetForegroundWindow();
    DestroyWindow(other);
    PressCancel(dialog);
}

TEST_F(RightClickTest, ASecondRightClickOrOptionsCommandBringsTheDialogToTheFront)
{
    front = Front{};
    DriveDialogs(PutAnotherWindowInFrontTwice, OnceShown);
    SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0);

    ASSERT_NE(front.dialog, nullptr) << "no dialog opened";
    EXPECT_EQ(front.noted, front.dialog);
    ASSERT_NE(front.beforeClick, front.dialog) << "the other window did not come to the front";
    EXPECT_EQ(front.afterClick, front.dialog) << "after a right click";
    EXPECT_EQ(front.afterCommand, front.dialog) << "after the options command";
}

// --- One dialog at a time --------------------------------------------------------
// The dialog's modal loop dispatches what is posted to the mascot window:
// 100 right clicks and 100 options commands posted to an open dialog open
// no second one. A message posted after them notes what then holds; the
// dialog then ends by Esc, or the mascot window by WM_CLOSE or command 105.

struct AfterFlood {
    bool noted;
    bool running;
    int dialogs;
};
AfterFlood afterFlood = {};

LRESULT CALLBACK NoteAfterFlood(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP) return DefWindowProcA(hwnd, message, wParam, lParam);
    afterFlood = AfterFlood{true, mascot.running, OpenDialogs()};
    return 0;
}

struct FloodCase {
    const char* what;
    bool rightClick;  // else the options command opens the dialog
    UINT endMessage;  // then posted to the dialog (IDCANCEL) or to the mascot window
    WPARAM endWParam;
    bool windowStays;
};
const FloodCase* flood = nullptr;
HWND noteWindow = nullptr;
bool flooded = false;

void FloodTheMascot(HWND dialog)
{
    // A second dialog is a fault: end it before its loop takes the flood.
    if (flooded) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    flooded = true;
    HWND owner = GetWindow(dialog, GW_OWNER);
    for (int i = 0; i < 100; ++i) {
        PostMessageA(owner, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        PostMessageA(owner, WM_COMMAND, CmdOptions, 0);
    }
    PostMessageA(noteWindow, WM_APP, 0, 0);
    PostMessageA(flood->windowStays ? dialog : owner, flood->endMessage, flood->endWParam, 0);
}

TEST_F(OptionsDialogTest, FloodOfRightClicksAndOptionsCommandsOpensNoSecondDialog)
{
    const FloodCase cases[] = {
        {"right click, then Esc", true, WM_COMMAND, IDCANCEL, true},
        {"options command, then Esc", false, WM_COMMAND, IDCANCEL, true},
        {"right click, then WM_CLOSE", true, WM_CLOSE, 0, false},
        {"options command, then command 105", false, WM_COMMAND, CmdExit, false},
    };
    WNDCLASSA noteClass = {};
    noteClass.lpfnWndProc = NoteAfterFlood;
    noteClass.hInstance = GetModuleHandleA(nullptr);
    noteClass.lpszClassName = "FloodNote";
    RegisterClassA(&noteClass);
    noteWindow = CreateWindowExA(0, "FloodNote", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, noteClass.hInstance, nullptr);
    ASSERT_NE(noteWindow, nullptr);
    for (const FloodCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetMascotState();
        HWND hwnd = StartMascot(SW_HIDE);
        ASSERT_NE(hwnd, nullptr);
        flood = &c;
        flooded = false;
        afterFlood = AfterFlood{};
        ASSERT_TRUE(DriveDialogs(FloodTheMascot));

        if (c.rightClick)
            SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        else
            SendMessageA(hwnd, WM_COMMAND, CmdOptions, 0);

        EXPECT_EQ(DialogsDriven(), 1) << "dialogs opened";
        EXPECT_EQ(DialogsStuck(), 0);
        EXPECT_TRUE(afterFlood.noted);
        EXPECT_EQ(afterFlood.dialogs, 1) << "dialogs open after the flood";
        EXPECT_EQ(afterFlood.running, !c.rightClick) << "paused by a right click only, until its dialog ends";
        EXPECT_TRUE(mascot.running);
        EXPECT_EQ(optionsDialog.window, nullptr);
        EXPECT_FALSE(optionsDialog.open);
        EXPECT_EQ(IsWindow(hwnd) != FALSE, c.windowStays);
        WPARAM exitCode = 99;
        EXPECT_EQ(TakeQuitMessage(exitCode), !c.windowStays);
        if (!c.windowStays) {
            EXPECT_EQ(exitCode, 0u);
        }
        if (c.windowStays) {
            // Once the dialog has ended, the next right click opens one again.
            SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0);
            EXPECT_EQ(DialogsDriven(), 2);
        }
        StopDrivingDialogs();
        EndMascot(hwnd);
    }
    DestroyWindow(noteWindow);
}

}  // namespace
