// Counts the files opened in the given folders, either during the given
// number of seconds or while a command runs, and prints "OPENS CLOSES
// OVERFLOWS": the opens, the closes of files opened for reading (a second
// count of the same files, to check the first) and the times the kernel's
// queue overflowed and lost events (either count is then too low). It
// tells how many frame files a program opened while it was measured,
// without touching the program itself; how many of those one paint opens
// is measured the second way, around a known number of paints.
// Usage: bench_open_count SECONDS FOLDER...
//        bench_open_count --while FOLDER... -- COMMAND [ARGUMENT...]
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long NowMilliseconds()
{
    timespec t = {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

struct Counts {
    long opens;
    long closes;
    long overflows;
};

// Events of one read, counted; names follow their records and are skipped.
void CountEvents(const char* buffer, ssize_t length, Counts& counts)
{
    for (ssize_t at = 0; at < length;) {
        const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->mask & IN_OPEN) ++counts.opens;
        if (event->mask & IN_CLOSE_NOWRITE) ++counts.closes;
        if (event->mask & IN_Q_OVERFLOW) ++counts.overflows;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
}

// Counts the events reported within `waitMs`; false when there were none.
bool ReadEvents(int fd, int waitMs, Counts& counts)
{
    alignas(inotify_event) static char buffer[64 * 1024];
    pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return false;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return false;
    CountEvents(buffer, got, counts);
    return true;
}

void PrintCounts(const Counts& counts)
{
    std::printf("%ld %ld %ld\n", counts.opens, counts.closes, counts.overflows);
}

int Usage()
{
    std::fprintf(stderr, "usage: bench_open_count SECONDS FOLDER...\n"
                         "       bench_open_count --while FOLDER... -- COMMAND [ARGUMENT...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return Usage();
    const bool during = std::strcmp(argv[1], "--while") == 0;
    int command = argc;
    if (during) {
        for (int i = 2; i < argc; ++i)
            if (std::strcmp(argv[i], "--") == 0) command = i + 1;
        if (command >= argc) return Usage();
    }
    const int fd = inotify_init1(IN_NONBLOCK);
    if (fd < 0) return 1;
    for (int i = 2; i < (during ? command - 1 : argc); ++i) {
        // Closes are watched too, and not only as a second count: the
        // kernel merges an event into an identical one still unread before
        // it, so a frame opened on several paints in a row would count
        // once, while open and close alternate and never merge.
        if (inotify_add_watch(fd, argv[i], IN_OPEN | IN_CLOSE_NOWRITE) < 0) {
            std::fprintf(stderr, "bench_open_count: cannot watch %s\n", argv[i]);
            return 1;
        }
    }
    Counts counts = {0, 0, 0};
    if (!during) {
        const long long end = NowMilliseconds() + static_cast<long long>(std::atof(argv[1]) * 1000.0);
        for (long long now = NowMilliseconds(); now < end; now = NowMilliseconds())
            ReadEvents(fd, static_cast<int>(end - now), counts);
        PrintCounts(counts);
        return 0;
    }
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
        execvp(argv[command], argv + command);
        std::fprintf(stderr, "bench_open_count: cannot run %s\n", argv[command]);
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) ReadEvents(fd, 50, counts);
    // Events still queued from the command's last moments.
    while (ReadEvents(fd, 100, counts)) {
    }
    PrintCounts(counts);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
