// Cost of one paint of the mascot, and of each of its parts, measured with
// QueryPerformanceCounter. Run from the folder that holds the skins.
// Prints one line per figure: name, mean µs, median µs, count.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/MascotState.h"
#include "app/ShellState.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "sprites/AnimateState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/FrameChoice.h"
#include "sprites/SpriteDraw.h"
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

// The back buffer as the program makes it at window creation.
void MakeBackBuffer(HWND hwnd)
{
    backBufferDC = CreateCompatibleDC(nullptr);
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    HDC windowDC = GetDC(hwnd);
    backBufferBitmap = CreateCompatibleBitmap(windowDC, desktop.right, desktop.bottom);
    ReleaseDC(hwnd, windowDC);
    SelectObject(backBufferDC, backBufferBitmap);
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

struct Samples {
    std::vector<double> paint;
    std::vector<double> clear;
    std::vector<double> animate;
    std::vector<double> load;
    std::vector<double> blit;
    int loaded;
};

// The file load alone: the frame the paint would load next, timed from the
// call to its return; freeing the bitmap is left out of the figure.
void TimeLoad(Samples& s)
{
    const FrameChoice choice = ChooseFrame(mascot.state);
    if (!choice.draw) return;
    char path[32];
    BuildSpritePath(path, sizeof path, mascot.skinIndex, choice.name);
    const double start = NowMicroseconds();
    HANDLE bitmap = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    s.load.push_back(NowMicroseconds() - start);
    if (bitmap == nullptr) return;
    ++s.loaded;
    DeleteObject(bitmap);
}

// Each round times the whole paint and then each part once, so that the
// figures share the same conditions and can be set beside each other.
void TimeRound(HDC windowDC, Samples& s)
{
    NextTick();
    double start = NowMicroseconds();
    FullPaint(windowDC);
    s.paint.push_back(NowMicroseconds() - start);
    PumpMessages();

    start = NowMicroseconds();
    ClearToKey(backBufferDC);
    s.clear.push_back(NowMicroseconds() - start);

    start = NowMicroseconds();
    AnimateState(backBufferDC, mascot.state);
    s.animate.push_back(NowMicroseconds() - start);

    TimeLoad(s);

    start = NowMicroseconds();
    BitBlt(windowDC, 0, 0, WindowSize, WindowSize, backBufferDC, 0, 0, SRCCOPY);
    s.blit.push_back(NowMicroseconds() - start);
    PumpMessages();
}

void Measure(HDC windowDC, int count)
{
    for (int i = 0; i < WarmUpPaints; ++i) {
        NextTick();
        FullPaint(windowDC);
        PumpMessages();
    }
    Samples s = {};
    s.paint.reserve(count);
    s.clear.reserve(count);
    s.animate.reserve(count);
    s.load.reserve(count);
    s.blit.reserve(count);
    for (int i = 0; i < count; ++i) TimeRound(windowDC, s);
    Report("paint", s.paint);
    Report("clear", s.clear);
    Report("animate", s.animate);
    Report("load", s.load);
    Report("blit", s.blit);
    std::printf("loaded %d %u\n", s.loaded, static_cast<unsigned>(s.load.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    frequency = static_cast<double>(f.QuadPart);

    const BenchWindow window = OpenBenchWindow(GetModuleHandleA(nullptr));
    MakeBackBuffer(window.hwnd);
    StartLikeTheProgram();

    Measure(window.dc, count);

    ReleaseDC(window.hwnd, window.dc);
    DestroyWindow(window.hwnd);
    return 0;
}
