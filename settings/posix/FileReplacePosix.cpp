// The POSIX side of a safe save, for the native build and its tests. It
// stands in for the Windows side so that the save's logic runs natively;
// it flushes nothing, since no test can see a flush and nobody runs the
// native build for real: the Windows side's flush is checked where it
// calls the system.
#include "settings/FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {
int Descriptor(const HeldFile& file) { return static_cast<int>(file.handle); }
}  // namespace

bool RandomBits(uint64_t& bits) { return getentropy(&bits, sizeof bits) == 0; }

bool CreateNewFile(const char* name, HeldFile& file)
{
    // "If O_CREAT and O_EXCL are set, and path names a symbolic link,
    // open() shall fail with [EEXIST], regardless of the contents of the
    // symbolic link" (POSIX, open()): no link is followed.
    const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    file = HeldFile{fd, name};
    return true;
}

bool OpenFileInPlace(const char* name, HeldFile& file)
{
    // Not blocking: a FIFO without a reader fails here instead of holding
    // the save up; one with a reader fails the next test.
    const int fd = open(name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    file = HeldFile{fd, name};
    return true;
}

bool WriteWholeFile(const HeldFile& file, const void* data, std::size_t size)
{
    const ssize_t written = pwrite(Descriptor(file), data, size, 0);
    if (written < 0 || static_cast<std::size_t>(written) != size) return false;
    return ftruncate(Descriptor(file), static_cast<off_t>(size)) == 0;
}

bool ReplaceWithFile(const HeldFile& file, const char* to) { return std::rename(file.name, to) == 0; }

void CloseFile(const HeldFile& file, bool discard)
{
    close(Descriptor(file));
    if (discard) unlink(file.name);
}

void ForEachEntry(const char* wildcard, void (*visit)(const char* name))
{
    DIR* folder = opendir(".");
    if (folder == nullptr) return;
    while (const dirent* entry = readdir(folder))
        if (fnmatch(wildcard, entry->d_name, FNM_PERIOD) == 0) visit(entry->d_name);
    closedir(folder);
}

// Without share modes nothing tells here whether another process is still
// writing the file; the native build runs one saving process at a time.
void RemoveUnusedFile(const char* name)
{
    struct stat info;
    if (lstat(name, &info) == 0 && S_ISREG(info.st_mode)) unlink(name);
}
