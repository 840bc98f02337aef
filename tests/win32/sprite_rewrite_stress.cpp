// The mascot's paint steps, 50 a second, while another program rewrites,
// cuts and scribbles on the sprite file in place (sprite_rewrite_stress.sh
// runs a native writer beside this). No window is shown: the steps draw
// into a back buffer made as the program makes it and copy its top-left
// 60 x 60 out, as a paint copies it to the window. Nothing may crash or
// leak, and both drawn frames and refused files must be seen, so that the
// writer and the painter really met. Each change reaches the next paint
// through the change notifications, not a read at every paint.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "sprites/win32/AnimateState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/win32/SpriteDraw.h"
#include "support/BmpFixture.h"
#include "support/Canvas.h"
#include "support/GdiCount.h"

namespace {

const uint32_t Backdrop = 0x123456;

TEST(SpriteRewriteStress, PaintsThroughRewritesAndCutsWithoutHarm)
{
    const char* setting = std::getenv("PELMO_STRESS_SECONDS");
    const int seconds = setting != nullptr ? std::atoi(setting) : 20;
    ResetMascotState();
    FillAnimationCatalogue();

    HDC screen = GetDC(nullptr);
    HDC back = CreateCompatibleDC(screen);
    HBITMAP backBitmap = CreateCompatibleBitmap(screen, 60, 60);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(backBitmap, nullptr);
    const HGDIOBJ previous = SelectObject(back, backBitmap);
    Canvas window = MakeCanvas(60, 60, Backdrop);
    ASSERT_NE(window.dc, nullptr);

    const int before = DrawingGdiObjects();
    int paints = 0, drawn = 0, blank = 0;
    const ULONGLONG start = GetTickCount64(), end = start + static_cast<ULONGLONG>(seconds) * 1000;
    for (ULONGLONG next = start; GetTickCount64() < end; next += MascotTimerPeriod) {
        // Standing, plain and mirrored in turn: frame n0.
        mascot.state = paints % 2 == 0 ? 2 : 6;
        ClearToKey(back);
        AnimateState(back, mascot.state);
        BitBlt(window.dc, 0, 0, 60, 60, back, 0, 0, SRCCOPY);
        GdiFlush();
        ++(CountPixelsNot(window, 0, 0, 60, 60, KeyGreen) == 0 ? blank : drawn);
        ++paints;
        const ULONGLONG now = GetTickCount64();
        if (next + MascotTimerPeriod > now) Sleep(static_cast<DWORD>(next + MascotTimerPeriod - now));
    }
    std::printf("%d paints in %d s: %d drew a frame, %d drew nothing\n", paints, seconds, drawn, blank);
    EXPECT_EQ(DrawingGdiObjects(), before);
    // A loaded machine may slow the pace; a fifth of it is plenty.
    EXPECT_GE(paints, seconds * 10);
    EXPECT_GT(drawn, 0) << "no whole frame was ever seen: is the writer running?";
    EXPECT_GT(blank, 0) << "no cut file was ever seen: is the writer running?";

    FreeCanvas(window);
    SelectObject(back, previous);
    DeleteDC(back);
    DeleteObject(backBitmap);
}

}  // namespace
