// Cost of one paint of the mascot, and of each of its parts, measured with
// QueryPerformanceCounter, at its own size and at 2x and 3x (a window of
// 120 and 180 pixels a side), beside the bare paint sequence the program
// first had: a desktop-sized buffer filled by a pen and a hatch brush, the
// file loaded by LoadImageA at every paint, no guard around it. Also the
// paint when the frame's file changes before every paint (the worst case),
// and the time from a change of the file to the first paint that shows it.
// Run from the folder that holds the skins.
// Prints one line per figure: name, mean µs, median µs, count.
// With --paints-only N it waits a moment with its window shown (for a
// counter of the window's paints to find it), makes N paints untimed and
// prints how many paints it made in all.
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

// The largest scale timed, and the window the scaled paints go to.
const int LargestScaleTimed = 3;
HDC scaledDC = nullptr;

// The first back buffer, as large as the desktop, for the bare paint.
HDC bareDC = nullptr;

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

BenchWindow OpenBenchWindow(HINSTANCE instance, const char* title = "Pelmo paint bench", int side = WindowSize)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "PelmoPaintBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "PelmoPaintBench", title,
                                WS_POPUP, 500, 500, side, side, nullptr, nullptr, instance, nullptr);
    SetLayeredWindowAttributes(hwnd, ColourKey, 0, LWA_COLORKEY);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    PumpMessages();
    return BenchWindow{hwnd, GetDC(hwnd)};
}

// The back buffer as the program makes it at window creation, and what it
// is; beside it the desktop-sized one of the bare paint.
void MakeAndShowBackBuffer(HWND hwnd)
{
    MakeBackBuffer(hwnd);
    BITMAP info = {};
    GetObjectA(backBufferBitmap, sizeof info, &info);
    std::printf("backbuffer %ld %ld %d\n", info.bmWidth, info.bmHeight, static_cast<int>(info.bmBitsPixel));
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    HDC windowDC = GetDC(hwnd);
    bareDC = CreateCompatibleDC(nullptr);
    SelectObject(bareDC, CreateCompatibleBitmap(windowDC, desktop.right, desktop.bottom));
    ReleaseDC(hwnd, windowDC);
    std::printf("display %ld %ld\n", desktop.right, desktop.bottom);
}

// The first key fill: a pen and a hatch brush made, a 1920 x 1200
// rectangle drawn, both deleted.
void BareClearToKey(HDC dc)
{
    HPEN pen = CreatePen(PS_SOLID, 10, ColourKey);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HBRUSH brush = CreateHatchBrush(6, ColourKey);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, 1920, 1200);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
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

// The program's paint, at `scale`, into a window of 60 x scale a side.
void FullPaint(HDC windowDC, int scale = 1)
{
    ClearToKey(backBufferDC);
    AnimateState(backBufferDC, mascot.state);
    CopyToWindow(windowDC, scale);
}

// The same paint as the bare sequence makes it, with no guard around the
// file: the key fill of the desktop-sized buffer, LoadImageA on the
// relative path, the size from GetObjectA, the copy at scale one, then
// free. The yardstick for the cost of the program's paint.
void BarePaint(HDC windowDC)
{
    HDC backBufferDC = bareDC;
    BareClearToKey(backBufferDC);
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
    std::vector<double> worst;
    std::vector<double> fresh;
    std::vector<double> paint;
    std::vector<double> scaled[LargestScaleTimed + 1];  // at 2x and 3x
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

// The same frame at 2x and 3x, after the paints at its own size.
void TimeScaledPaints(Samples& s)
{
    const MascotState before = mascot;
    for (int scale = 2; scale <= LargestScaleTimed; ++scale) {
        mascot = before;
        const double start = NowMicroseconds();
        FullPaint(scaledDC, scale);
        s.scaled[scale].push_back(NowMicroseconds() - start);
        PumpMessages();
    }
}

// Each round times the whole paints and then each part once, so that the
// figures share the same conditions and can be set beside each other.
void TimeRound(HDC windowDC, Samples& s, int round)
{
    NextTick();
    TimePaints(windowDC, s, round % 2 == 0);
    TimeScaledPaints(s);

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

// The frame the next paint draws, in full ("a/w3.bmp").
bool NextFramePath(char* path, size_t size)
{
    const MascotState before = mascot;
    const FrameChoice choice = ChooseFrame(mascot.state);
    mascot = before;
    return choice.draw && BuildSpritePath(path, size, mascot.skinIndex, choice.name);
}

// The file's bytes, and the same with one pixel's blue changed: two
// contents of the same size for the file.
struct TwoContents {
    std::vector<char> bytes[2];
};

bool ReadContents(const char* path, TwoContents& contents)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    char chunk[4096];
    size_t got = 0;
    contents.bytes[0].clear();
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) contents.bytes[0].insert(contents.bytes[0].end(), chunk, chunk + got);
    std::fclose(file);
    contents.bytes[1] = contents.bytes[0];
    const size_t bytes = contents.bytes[1].size();
    // The last byte of a 24-bit file is a pixel's red, or row padding.
    if (bytes > 60) contents.bytes[1][bytes - 60] ^= 0x55;
    return bytes > 60;
}

bool WriteContents(const char* path, const std::vector<char>& bytes)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// A sum of the back buffer's pixels, to tell one picture from another.
uint64_t BufferSum()
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = WindowSize;
    info.bmiHeader.biHeight = -WindowSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, WindowSize, WindowSize, backBufferDC, 0, 0, SRCCOPY);
    GdiFlush();
    uint64_t sum = 0;
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < WindowSize * WindowSize; ++i) sum = sum * 31 + (pixels[i] & 0xFFFFFF);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(copy);
    return sum;
}

// The worst case: the file of the frame the paint draws has changed before
// every paint (rewritten with another content of the same size, untimed),
// so every paint reads it. Then, with paints one after the other, the time
// from the file's next change to the end of the first paint that shows it,
// the looks at the buffer left out; and the most paints that took. Each
// file gets its own content back.
void TimeChanges(HDC windowDC, Samples& s, int count, int& paintsToShow)
{
    paintsToShow = 0;
    for (int i = 0; i < count; ++i) {
        NextTick();
        char path[32];
        TwoContents contents;
        if (!NextFramePath(path, sizeof path) || !ReadContents(path, contents)) continue;
        const MascotState before = mascot;
        FullPaint(windowDC);
        const uint64_t own = BufferSum();
        PumpMessages();

        mascot = before;
        WriteContents(path, contents.bytes[1]);
        double start = NowMicroseconds();
        FullPaint(windowDC);
        s.worst.push_back(NowMicroseconds() - start);
        const uint64_t other = BufferSum();
        PumpMessages();

        WriteContents(path, contents.bytes[0]);
        start = NowMicroseconds();
        double looking = 0.0, shownAt = start;
        int paints = 0;
        uint64_t now = other;
        while (now != own && other != own && paints < 1000) {
            mascot = before;
            FullPaint(windowDC);
            shownAt = NowMicroseconds();
            ++paints;
            now = BufferSum();
            if (now != own) looking += NowMicroseconds() - shownAt;
        }
        if (other != own) s.fresh.push_back(shownAt - start - looking);
        paintsToShow = std::max(paintsToShow, paints);
        PumpMessages();
    }
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
    int paintsToShow = 0;
    TimeChanges(windowDC, s, count / 3, paintsToShow);
    Report("paint", s.paint);
    Report("paint2", s.scaled[2]);
    Report("paint3", s.scaled[3]);
    Report("worst", s.worst);
    Report("fresh", s.fresh);
    std::printf("paints_to_show %d\n", paintsToShow);
    Report("bare", s.bare);
    Report("clear", s.clear);
    Report("animate", s.animate);
    Report("sprite", s.sprite);
    Report("load", s.load);
    Report("blit", s.blit);
    std::printf("loaded %d %u\n", s.loaded, static_cast<unsigned>(s.load.size()));
    std::printf("read %d %u\n", s.read, static_cast<unsigned>(s.sprite.size()));
}

// Paints only, as the program makes them, at its pace of one each 20 ms,
// after the warm-up and a moment for a counter to find the window; only
// those are counted. The window then goes, which ends the count of its
// paints from outside.
void PaintOnly(HDC windowDC, int count)
{
    WarmUp(windowDC);
    Sleep(1500);
    PumpMessages();
    // A paint at each 20 ms mark, however often a message cuts the wait
    // short: paints closer together would merge in the count from outside.
    const double start = NowMicroseconds();
    for (int i = 0; i < count; ++i) {
        NextTick();
        FullPaint(windowDC);
        const double next = start + (i + 1) * MascotTimerPeriod * 1000.0;
        for (double left = next - NowMicroseconds(); left > 0; left = next - NowMicroseconds()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left / 1000.0) + 1, QS_ALLINPUT);
            PumpMessages();
        }
    }
    Sleep(200);
    PumpMessages();
    std::printf("paints_made %d\n", count);
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

    if (paintsOnly) {
        PaintOnly(window.dc, count);
    } else {
        const BenchWindow scaled = OpenBenchWindow(GetModuleHandleA(nullptr), "Pelmo paint bench, scaled",
                                                   WindowSize * LargestScaleTimed);
        scaledDC = scaled.dc;
        Measure(window.dc, count);
        ReleaseDC(scaled.hwnd, scaled.dc);
        DestroyWindow(scaled.hwnd);
    }

    ReleaseDC(window.hwnd, window.dc);
    DestroyWindow(window.hwnd);
    return 0;
}
