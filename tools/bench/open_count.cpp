// Counts the files opened in the given folders during the given number of
// seconds and prints the count. The program reads one frame file at each
// paint, so this tells how many paints it really made while it was being
// measured, without touching the program itself.
// Usage: bench_open_count SECONDS FOLDER...
#include <poll.h>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

long long NowMilliseconds()
{
    timespec t = {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Events of one read, counted; names follow their records and are skipped.
long CountEvents(const char* buffer, ssize_t length)
{
    long count = 0;
    for (ssize_t at = 0; at < length;) {
        const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->mask & IN_OPEN) ++count;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_open_count SECONDS FOLDER...\n");
        return 2;
    }
    const long long end = NowMilliseconds() + static_cast<long long>(std::atof(argv[1]) * 1000.0);
    const int fd = inotify_init1(IN_NONBLOCK);
    if (fd < 0) return 1;
    for (int i = 2; i < argc; ++i) {
        // Closes are watched too though only opens are counted: the kernel
        // merges an event into an identical one still unread before it, so
        // a frame opened on several paints in a row would count once, while
        // open and close alternate and never merge.
        if (inotify_add_watch(fd, argv[i], IN_OPEN | IN_CLOSE_NOWRITE) < 0) {
            std::fprintf(stderr, "bench_open_count: cannot watch %s\n", argv[i]);
            return 1;
        }
    }
    long opens = 0;
    alignas(inotify_event) char buffer[64 * 1024];
    for (long long now = NowMilliseconds(); now < end; now = NowMilliseconds()) {
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(end - now)) <= 0) continue;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) opens += CountEvents(buffer, got);
    }
    std::printf("%ld\n", opens);
    close(fd);
    return 0;
}
