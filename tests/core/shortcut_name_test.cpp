// The Startup folder shortcut's names, and the working folder it gives.
#include <gtest/gtest.h>

#include <string>

#include "tray/ShortcutName.h"

namespace {

std::wstring Name(unsigned copy, size_t size = 64)
{
    wchar_t out[64] = L"#";
    const bool fits = ShortcutName(copy, out, size);
    if (size > 0) {
        EXPECT_EQ(fits, out[0] != L'\0') << copy;
    }
    return out;
}

std::wstring Folder(const wchar_t* program) { return std::wstring(program, ProgramFolderLength(program)); }

std::wstring Joined(const wchar_t* folder, const wchar_t* name, size_t size = 64)
{
    wchar_t out[64] = L"#";
    JoinPath(folder, name, out, size);
    return out;
}

TEST(ShortcutName, FirstCopyPlainThenNumberedAsTheSystemNamesACopy)
{
    EXPECT_EQ(Name(1), L"Pelmo.lnk");
    EXPECT_EQ(Name(2), L"Pelmo (2).lnk");
    EXPECT_EQ(Name(10), L"Pelmo (10).lnk");
    EXPECT_EQ(Name(4294967295u), L"Pelmo (4294967295).lnk");
    EXPECT_EQ(Name(0), L"");
    // Exactly fitting, and one unit short.
    EXPECT_EQ(Name(2, 14), L"Pelmo (2).lnk");
    EXPECT_EQ(Name(2, 13), L"");
    EXPECT_EQ(Name(1, 0), L"#");
}

TEST(ShortcutName, OnlyNamesEndingInLnkAreShortcuts)
{
    EXPECT_TRUE(IsShortcutName(L"Pelmo.lnk"));
    EXPECT_TRUE(IsShortcutName(L"OTHER.LNK"));
    EXPECT_TRUE(IsShortcutName(L".lnk"));
    EXPECT_FALSE(IsShortcutName(L"Pelmo.lnkx"));
    EXPECT_FALSE(IsShortcutName(L"Pelmo.lnk.txt"));
    EXPECT_FALSE(IsShortcutName(L"lnk"));
    EXPECT_FALSE(IsShortcutName(L""));
}

TEST(ProgramFolder, UpToTheLastSeparatorWithARootKeepingIt)
{
    EXPECT_EQ(Folder(L"C:\\Users\\me\\Pelmo\\pelmo.exe"), L"C:\\Users\\me\\Pelmo");
    EXPECT_EQ(Folder(L"E:\\pelmo.exe"), L"E:\\");
    EXPECT_EQ(Folder(L"\\\\?\\E:\\pelmo.exe"), L"\\\\?\\E:\\");
    EXPECT_EQ(Folder(L"\\\\?\\C:\\long\\pelmo.exe"), L"\\\\?\\C:\\long");
    EXPECT_EQ(Folder(L"\\\\server\\share\\pelmo.exe"), L"\\\\server\\share");
    EXPECT_EQ(Folder(L"C:/Tools/pelmo.exe"), L"C:/Tools");
    EXPECT_EQ(Folder(L"\\pelmo.exe"), L"\\");
    EXPECT_EQ(Folder(L"pelmo.exe"), L"");
}

TEST(JoinPath, OneSeparatorBetweenAndNothingWhenItDoesNotFit)
{
    EXPECT_EQ(Joined(L"C:\\Startup", L"Pelmo.lnk"), L"C:\\Startup\\Pelmo.lnk");
    EXPECT_EQ(Joined(L"E:\\", L"Pelmo.lnk"), L"E:\\Pelmo.lnk");
    EXPECT_EQ(Joined(L"C:\\a", L"b", 7), L"C:\\a\\b");
    EXPECT_EQ(Joined(L"C:\\a", L"b", 6), L"");
}

}  // namespace
