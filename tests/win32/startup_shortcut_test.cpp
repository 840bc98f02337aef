// Starting with Windows: the shortcut written, found and removed in a
// Startup folder of the test's own, for programs in folders of its own,
// one named outside the ANSI code page; and once in the user's real
// Startup folder for this very program, removed again.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ShortcutFields.h"
#include "tray/win32/ShellLinkFile.h"
#include "tray/win32/StartupShortcut.h"

namespace {

// Outside both code pages the tests run under: "é" is not in 932, "ぺるも"
// not in 1252.
const wchar_t* const ForeignName = L"caf\u00e9-\u307a\u308b\u3082";

void WriteText(const std::wstring& path, const char* text) { std::ofstream(path.c_str()) << text; }

std::string ReadText(const std::wstring& path)
{
    std::ifstream file(path.c_str());
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A shortcut made as another program or the user would make it.
bool MakeShortcut(const std::wstring& path, const std::wstring& target, const std::wstring& folder)
{
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const bool made = WriteShellLink(path.c_str(), target.c_str(), folder.c_str());
    if (com) CoUninitialize();
    return made;
}

std::wstring Target(const std::wstring& shortcut)
{
    ShortcutFields fields;
    return ReadShortcutFields(shortcut.c_str(), fields) ? fields.target : L"(unreadable)";
}

struct StartupTest : testing::Test {
    std::wstring root;     // the test's own folder, removed at the end
    std::wstring startup;  // the Startup folder inside it

    void SetUp() override
    {
        // Shortcut targets come back in the long form.
        wchar_t temp[MAX_PATH], longTemp[MAX_PATH];
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        ASSERT_GT(GetLongPathNameW(temp, longTemp, MAX_PATH), 0u);
        root = longTemp + std::wstring(L"pelmo-startup-") + std::to_wstring(GetCurrentProcessId());
        startup = root + L"\\Startup " + ForeignName;
        ASSERT_TRUE(std::filesystem::create_directories(startup));
    }

    void TearDown() override { std::filesystem::remove_all(root); }

    // A program file `name` in the folder `folder` of the test's own.
    std::wstring Program(const std::wstring& folder, const wchar_t* name = L"pelmo.exe")
    {
        std::filesystem::create_directories(root + L"\\" + folder);
        const std::wstring path = root + L"\\" + folder + L"\\" + name;
        WriteText(path, "MZ");
        EXPECT_EQ(ReadText(path), "MZ");
        return path;
    }

    std::wstring In(const wchar_t* name) const { return startup + L"\\" + name; }

    // The Startup folder's entries, sorted, joined by " | ".
    std::wstring Entries() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(startup))
            names.push_back(entry.path().filename().wstring());
        std::sort(names.begin(), names.end());
        std::wstring joined;
        for (const std::wstring& name : names) joined += (joined.empty() ? L"" : L" | ") + name;
        return joined;
    }

    bool Starts(const std::wstring& program) { return StartsWithWindowsIn(startup.c_str(), program.c_str()); }
    bool Set(const std::wstring& program, bool on)
    {
        return SetStartsWithWindowsIn(startup.c_str(), program.c_str(), on);
    }
};

TEST_F(StartupTest, WritesAShortcutThatStartsTheProgramInItsOwnFolder)
{
    for (const std::wstring& folder : {std::wstring(L"Pelmo"), std::wstring(ForeignName)}) {
        SCOPED_TRACE(testing::Message() << "program folder " << folder.size() << " units long");
        const std::wstring program = Program(folder);
        EXPECT_FALSE(Starts(program));
        ASSERT_TRUE(Set(program, true));
        EXPECT_TRUE(Starts(program));
        EXPECT_EQ(Entries(), L"Pelmo.lnk");
        ShortcutFields fields;
        ASSERT_TRUE(ReadShortcutFields(In(L"Pelmo.lnk").c_str(), fields));
        EXPECT_EQ(fields.target, program);
        EXPECT_EQ(fields.workingFolder, root + L"\\" + folder);
        // Asked again, it keeps the one it has.
        ASSERT_TRUE(Set(program, true));
        EXPECT_EQ(Entries(), L"Pelmo.lnk");
        ASSERT_TRUE(Set(program, false));
        EXPECT_FALSE(Starts(program));
        EXPECT_EQ(Entries(), L"");
    }
}

TEST_F(StartupTest, ASecondCopyWritesItsOwnShortcutAndEachRemovesOnlyItsOwn)
{
    const std::wstring first = Program(ForeignName), second = Program(L"second");
    ASSERT_TRUE(Set(first, true));
    ASSERT_TRUE(Set(second, true));
    EXPECT_EQ(Entries(), L"Pelmo (2).lnk | Pelmo.lnk");
    EXPECT_EQ(Target(In(L"Pelmo.lnk")), first);
    EXPECT_EQ(Target(In(L"Pelmo (2).lnk")), second);

    ASSERT_TRUE(Set(first, false));
    EXPECT_EQ(Entries(), L"Pelmo (2).lnk");
    EXPECT_FALSE(Starts(first));
    EXPECT_TRUE(Starts(second));
    // The first free name again.
    ASSERT_TRUE(Set(first, true));
    EXPECT_EQ(Target(In(L"Pelmo.lnk")), first);
    ASSERT_TRUE(Set(second, false));
    EXPECT_EQ(Entries(), L"Pelmo.lnk");

    // The same program named in other letters, as Windows compares names.
    std::wstring upper = first;
    CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
    ASSERT_NE(upper, first);
    EXPECT_TRUE(Starts(upper));
    ASSERT_TRUE(Set(upper, false));
    EXPECT_EQ(Entries(), L"");
}

TEST_F(StartupTest, NeverTouchesAnotherShortcutOrAFileNamedLikeOurs)
{
    const std::wstring program = Program(L"app");
    const std::wstring other = Program(L"app", L"skincheck.exe"), longer = Program(L"app", L"pelmo.exe.old");
    ASSERT_TRUE(MakeShortcut(In(L"Other.lnk"), other, root + L"\\app"));
    ASSERT_TRUE(MakeShortcut(In(L"Older.lnk"), longer, root + L"\\app"));
    WriteText(In(L"Pelmo.lnk"), "not a shortcut");
    ASSERT_TRUE(CreateDirectoryW(In(L"Pelmo (2).lnk").c_str(), nullptr));
    EXPECT_FALSE(Starts(program));

    ASSERT_TRUE(Set(program, true));
    EXPECT_EQ(Target(In(L"Pelmo (3).lnk")), program);
    ASSERT_TRUE(Set(program, false));
    EXPECT_EQ(Entries(), L"Older.lnk | Other.lnk | Pelmo (2).lnk | Pelmo.lnk");
    EXPECT_EQ(ReadText(In(L"Pelmo.lnk")), "not a shortcut");
    EXPECT_EQ(Target(In(L"Other.lnk")), other);
    EXPECT_EQ(Target(In(L"Older.lnk")), longer);
}

TEST_F(StartupTest, WhereTheFolderCannotBeChangedNothingChanges)
{
    const std::wstring program = Program(L"app");
    // A Startup folder that is a file, or is missing, takes no shortcut.
    const std::wstring file = root + L"\\a file";
    WriteText(file, "x");
    EXPECT_FALSE(SetStartsWithWindowsIn(file.c_str(), program.c_str(), true));
    EXPECT_EQ(ReadText(file), "x");
    const std::wstring missing = root + L"\\missing";
    EXPECT_FALSE(SetStartsWithWindowsIn(missing.c_str(), program.c_str(), true));
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);

    // Two shortcuts to the program, one of them held open by another
    // program that lets no one delete it: neither is removed, whichever
    // the removal meets first.
    ASSERT_TRUE(Set(program, true));
    ASSERT_TRUE(MakeShortcut(In(L"Mine.lnk"), program, root + L"\\app"));
    for (const wchar_t* held : {L"Mine.lnk", L"Pelmo.lnk"}) {
        HANDLE open = CreateFileW(In(held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(open, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(Set(program, false)) << "holding " << held;
        CloseHandle(open);
        EXPECT_EQ(Entries(), L"Mine.lnk | Pelmo.lnk") << "holding " << held;
    }
    ASSERT_TRUE(Set(program, false));
    EXPECT_EQ(Entries(), L"");
}

// FOLDERID_Startup's default path, as the KNOWNFOLDERID documentation
// gives it: "%APPDATA%\Microsoft\Windows\Start Menu\Programs\StartUp".
TEST(UserStartupFolder, TakesThisProgramsShortcutUntilItIsRemoved)
{
    wchar_t appData[MAX_PATH], program[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    const std::wstring folder = appData + std::wstring(L"\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp");
    ASSERT_FALSE(StartsWithWindows()) << "a shortcut to the test program was left behind";
    ASSERT_TRUE(SetStartsWithWindows(true));
    EXPECT_TRUE(StartsWithWindows());
    EXPECT_TRUE(StartsWithWindowsIn(folder.c_str(), program));
    ASSERT_TRUE(SetStartsWithWindows(false));
    EXPECT_FALSE(StartsWithWindows());
    EXPECT_FALSE(StartsWithWindowsIn(folder.c_str(), program));
}

}  // namespace
