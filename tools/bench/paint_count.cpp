// Counts the paints that reach a window on the X display, from outside the
// program: each paint that Wine hands to the X server damages the window
// (a report, whatever rectangles it holds), and when the picture's
// see-through parts change, Wine sets the window's shape anew, which adds
// a report or three within a few milliseconds. A move damages it as well,
// with the window already at its new place. So a paint is a report at the
// place of the one before it that comes more than MergeMs after the last
// paint. Prints "REPORTS PAINTS MOVES" for the given seconds, or until the
// window is taken off the screen (hidden, or its program gone): the damage
// reports, the paints, and the reports at a new place.
// Usage: bench_paint_count SECONDS WINDOW_ID
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

long long NowMilliseconds()
{
    timespec t = {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Paints come 20 ms apart at the program's pace; a shape's reports within this.
const long long MergeMs = 5;

struct Counts {
    long reports;
    long paints;
    long moves;
    bool placed;  // a report has given the window's place
    int x;
    int y;
    long long lastPaint;
};

void CountDamage(const XDamageNotifyEvent& damage, Counts& counts)
{
    // A report comes as rectangles; the last says there are no more.
    if (damage.more) return;
    ++counts.reports;
    const bool moved = counts.placed && (damage.geometry.x != counts.x || damage.geometry.y != counts.y);
    counts.placed = true;
    counts.x = damage.geometry.x;
    counts.y = damage.geometry.y;
    if (moved) {
        ++counts.moves;
        return;
    }
    const long long now = NowMilliseconds();
    if (counts.paints == 0 || now - counts.lastPaint > MergeMs) ++counts.paints;
    counts.lastPaint = now;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_paint_count SECONDS WINDOW_ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "bench_paint_count: no X display with the damage extension\n");
        return 2;
    }
    const long long end = NowMilliseconds() + static_cast<long long>(std::atof(argv[1]) * 1000);
    const Window window = std::strtoul(argv[2], nullptr, 0);
    XSelectInput(display, window, StructureNotifyMask);
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XSync(display, False);
    Counts counts = {0, 0, 0, false, 0, 0, 0};
    bool gone = false;
    while (!gone) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) {
                CountDamage(*reinterpret_cast<XDamageNotifyEvent*>(&event), counts);
            } else if (event.type == UnmapNotify || event.type == DestroyNotify) {
                gone = true;
            }
        }
        const long long left = end - NowMilliseconds();
        if (left <= 0) break;
        pollfd ready = {ConnectionNumber(display), POLLIN, 0};
        poll(&ready, 1, static_cast<int>(left));
    }
    std::printf("%ld %ld %ld\n", counts.reports, counts.paints, counts.moves);
    XCloseDisplay(display);
    return 0;
}
