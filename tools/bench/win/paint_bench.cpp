// Cost of one paint of the mascot, and of each of its parts, measured with
// QueryPerformanceCounter, beside the bare paint sequence without any guard
// around the file. Run from the folder that holds the skins.
// Prints one line per figure: name, mean µs, median µs, count.
// With --paints-only N it makes N paints untimed and prints how many paints
// it made in all, so that the files they open can be counted from outside.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/BackBuffer.h"
#include "app/win32/ShellState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "sprites/win32/AnimateState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/FrameChoice.h"
#include "sprites/win32/SpriteDraw.h"
#include "sprites/win32/SpriteLoad.h"
#include "sprites/SpritePath.h"

namespace {

const int32_t FarAway = -100000;  // a cursor that never freezes the mascot
const int WindowSize = 60;
const int WarmUpPaints = 100;

struct BenchWindow {
    HWND hwnd;
    HDC dc;
};

double frequency = 1.0;

double NowMicroseconds()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / frequency;
}

// The real program paints between message dispatches; Wine hands the
// window's pixels to the X server from its message handling, so the loop
// pumps messages between paints (untimed) as the program's loop would.
void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// One tick of the core between paints, so that the rows drawn and their
// mirroring follow a real wander rather than one frame over and over.
void NextTick()
{
    WanderDecide(FarAway, FarAway, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

BenchWindow OpenBenchWindow(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "PelmoPaintBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "PelmoPaintBench",
                                "Pelmo paint bench", WS_POPUP, 500, 500, WindowSize, WindowSize, nullptr,
                                nullptr, instance, nullptr);
    SetLayeredWindowAttributes(hwnd, ColourKey, 0, LWA_COLORKEY);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    PumpMessages();
    return BenchWindow{hwnd, GetDC(hwnd)};
}

// The back buffer as the program makes it at window creation, and what it is.
void MakeAndShowBackBuffer(HWND hwnd)
{
    MakeBackBuffer(hwnd);
    BITMAP info = {};
    GetObjectA(backBufferBitmap, sizeof info, &info);
    std::printf("backbuffer %ld %ld %d\n", info.bmWidth, info.bmHeight, static_cast<int>(info.bmBitsPixel));
}

void StartLikeTheProgram()
{
    ResetMascotState();
    SeedRandom(12345);
    FillAnimationCatalogue();
    mascot.posX = 500;
    mascot.posY = 500;
}

void Report(const char* name, std::vector<double>& samples)
{
    if (samples.empty()) return;
    double sum = 0.0;
    for (double s : samples) sum += s;
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    std::printf("%s %.3f %.3f %u\n", name, sum / samples.size(), median, static_cast<unsigned>(samples.size()));
    std::fflush(stdout);
}

void FullPaint(HDC windowDC)
{
    ClearToKey(backBufferDC);
    AnimateState(backBufferDC, mascot.state);
    BitBlt(windowDC, 0, 0, WindowSize, WindowSize, backBufferDC, 0, 0, SRCCOPY);
}

// The same paint as the bare sequence makes it, with no guard around the
// file: the key fill, LoadImageA on the relative path, the size from
// GetObjectA, the copy at scale one, then free. The yardstick for the cost
// of the guarded paint.
void BarePaint(HDC windowDC)
{
    ClearToKey(backBufferDC);
    const FrameChoice choice = ChooseFrame(mascot.state);
    if (choice.draw) {
        char path[32];
        BuildSpritePath(path, sizeof path, mascot.skinIndex, choice.name);
        HBITMAP bitmap =
            static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        const int width = info.bmWidth, height = info.bmHeight;
        HDC memoryDC = CreateCompatibleDC(backBufferDC);
        SelectObject(memoryDC, bitmap);
        if (choice.mirrored)
            StretchBlt(backBufferDC, width, 0, -width, height, memoryDC, 0, 0, width, height, SRCCOPY);
        else
            StretchBlt(backBufferDC, 0, 0, width, height, memoryDC, 0, 0, width, height, SRCCOPY);
        DeleteDC(memoryDC);
        DeleteObject(bitmap);
    }
    BitBlt(windowDC, 0, 0, WindowSize, WindowSize, backBufferDC, 0, 0, SRCCOPY);
}

struct Samples {
    std::vector<double> paint;
    std::vector<double> bare;
    std::vector<double> clear;
    std::vector<double> animate;
    std::vector<double> sprite;
    std::vector<double> load;
    std::vector<double> blit;
    int loaded;
    int read;
};

// The two loads alone, for the frame that the paint would draw next, each
// timed from the call to its return; freeing is left out of the figures.
// The program's: find the file, read it once, check it, make the bitmap.
// The bare one: LoadImageA.
void TimeLoads(Samples& s)
{
    const FrameChoice choice = ChooseFrame(mascot.state);
    if (!choice.draw) return;
    HDC memoryDC = CreateCompatibleDC(backBufferDC);
    double start = NowMicroseconds();
    SpriteFile file;
    SpriteBitmap sprite = {};
    if (FindSpriteFile(file, choice.name)) sprite = LoadSpriteBitmap(file, memoryDC);
    s.sprite.push_back(NowMicroseconds() - start);
    if (sprite.bitmap != nullptr) ++s.read;
    DeleteObject(sprite.bitmap);
    DeleteDC(memoryDC);

    char path[32];
    BuildSpritePath(path, sizeof path, mascot.skinIndex, choice.name);
    start = NowMicroseconds();
    HANDLE bitmap = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    s.load.push_back(NowMicroseconds() - start);
    if (bitmap == nullptr) return;
    ++s.loaded;
    DeleteObject(bitmap);
}

// Times the program's paint and the bare one of the same frame, in turns
// first, so that neither always finds the file system warmed by the other.
void TimePaints(HDC windowDC, Samples& s, bool bareFirst)
{
    const MascotState before = mascot;
    for (int turn = 0; turn < 2; ++turn) {
        const bool bare = (turn == 0) == bareFirst;
        mascot = before;
        const double start = NowMicroseconds();
        if (bare)
            BarePaint(windowDC);
        else
            FullPaint(windowDC);
        (bare ? s.bare : s.paint).push_back(NowMicroseconds() - start);
        PumpMessages();
    }
}

// Each round times both whole paints and then each part once, so that the
// figures share the same conditions and can be set beside each other.
void TimeRound(HDC windowDC, Samples& s, int round)
{
    NextTick();
    TimePaints(windowDC, s, round % 2 == 0);

    double start = NowMicroseconds();
    ClearToKey(backBufferDC);
    s.clear.push_back(NowMicroseconds() - start);

    start = NowMicroseconds();
    AnimateState(backBufferDC, mascot.state);
    s.animate.push_back(NowMicroseconds() - start);

    TimeLoads(s);

    start = NowMicroseconds();
    BitBlt(windowDC, 0, 0, WindowSize, WindowSize, backBufferDC, 0, 0, SRCCOPY);
    s.blit.push_back(NowMicroseconds() - start);
    PumpMessages();
}

void WarmUp(HDC windowDC)
{
    for (int i = 0; i < WarmUpPaints; ++i) {
        NextTick();
        FullPaint(windowDC);
        PumpMessages();
    }
}

void Measure(HDC windowDC, int count)
{
    WarmUp(windowDC);
    Samples s = {};
    for (std::vector<double>* v : {&s.paint, &s.bare, &s.clear, &s.animate, &s.sprite, &s.load, &s.blit})
        v->reserve(count);
    for (int i = 0; i < count; ++i) TimeRound(windowDC, s, i);
    Report("paint", s.paint);
    Report("bare", s.bare);
    Report("clear", s.clear);
    Report("animate", s.animate);
    Report("sprite", s.sprite);
    Report("load", s.load);
    Report("blit", s.blit);
    std::printf("loaded %d %u\n", s.loaded, static_cast<unsigned>(s.load.size()));
    std::printf("read %d %u\n", s.read, static_cast<unsigned>(s.sprite.size()));
}

// Paints only, as the program makes them; the count includes the warm-up.
void PaintOnly(HDC windowDC, int count)
{
    WarmUp(windowDC);
    for (int i = 0; i < count; ++i) {
        NextTick();
        FullPaint(windowDC);
        PumpMessages();
    }
    std::printf("paints_made %d\n", WarmUpPaints + count);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool paintsOnly = argc > 1 && std::strcmp(argv[1], "--paints-only") == 0;
    const int countArg = paintsOnly ? 2 : 1;
    const int count = argc > countArg ? std::max(1, std::atoi(argv[countArg])) : 3000;
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    frequency = static_cast<double>(f.QuadPart);

    const BenchWindow window = OpenBenchWindow(GetModuleHandleA(nullptr));
    MakeAndShowBackBuffer(window.hwnd);
    StartLikeTheProgram();

    if (paintsOnly)
        PaintOnly(window.dc, count);
    else
        Measure(window.dc, count);

    ReleaseDC(window.hwnd, window.dc);
    DestroyWindow(window.hwnd);
    return 0;
}
