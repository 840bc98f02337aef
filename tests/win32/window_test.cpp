// The registered class and the mascot window as the program creates them.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/MascotState.h"
#include "app/win32/MascotWndProc.h"
#include "app/win32/ShellState.h"
#include "support/MascotRun.h"

namespace {

HWND hwnd = nullptr;

struct WindowFixture : ::testing::Test {
    static void SetUpTestSuite() { hwnd = StartMascot(); }
    static void TearDownTestSuite() { EndMascot(hwnd); }
};

TEST_F(WindowFixture, ClassNameComesFromTheStringTable) { EXPECT_STREQ(className, "AAA"); }

TEST_F(WindowFixture, ClassHasRedrawStylesIconsArrowAndWindowBrush)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(appInstance, "AAA", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW));
    EXPECT_EQ(wc.lpfnWndProc, MascotWndProc);
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_NE(wc.hIconSm, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(wc.lpszMenuName, nullptr);
}

TEST_F(WindowFixture, WindowIsALayeredTopmostToolPopup)
{
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(FindWindowA("AAA", "Pelmo"), hwnd);
    const LONG_PTR exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 60);
}

TEST_F(WindowFixture, ColourKeyIsPureGreen)
{
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(key, 0x00FF00u);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
}

}  // namespace
