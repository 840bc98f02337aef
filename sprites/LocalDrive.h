// Which drives a kept picture's file may lie on, decided without the
// platform: a draw asks the system what the file is now, and only a local
// drive answers afresh, and only a file system whose time stamps tell
// writes apart.
#pragma once
#include <cstddef>
#include <cstdint>

// The system's drive types (GetDriveType), as the shell receives them.
enum DriveType : uint32_t {
    DriveUnknown = 0,
    DriveNoRootDir = 1,
    DriveRemovable = 2,
    DriveFixed = 3,
    DriveRemote = 4,
    DriveCdRom = 5,
    DriveRamDisk = 6,
};

// Whether pictures read from such a drive may be kept: not from a network
// drive, whose client may answer from what it cached of the file a while
// ago, nor from one the system cannot tell.
bool DriveAnswersAfresh(uint32_t driveType);

// The root of a full path with a drive letter, "C:\" for "C:\x\y", with
// its trailing backslash as GetDriveType wants it. False, with an empty
// result, for any other path: a network share's ("\\server\share") is
// never kept from, and neither is a name without a drive.
template <typename Unit>
bool DriveRootOf(Unit* out, size_t size, const Unit* path)
{
    if (size > 0) out[0] = 0;
    const bool letter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
    if (size < 4 || !letter || path[1] != ':' || (path[2] != '\\' && path[2] != '/')) return false;
    out[0] = path[0];
    out[1] = ':';
    out[2] = '\\';
    out[3] = 0;
    return true;
}

// Whether a file system of that name (GetVolumeInformation's) stamps each
// write finely enough to tell one from the next: NTFS and ReFS, in 100 ns.
// FAT's write time moves in 2 s steps, so a picture saved twice within
// them at the same size would look unchanged.
template <typename Unit>
bool FileSystemStampsWrites(const Unit* name)
{
    static const char* const fine[] = {"NTFS", "ReFS"};
    for (const char* known : fine) {
        size_t i = 0;
        while (known[i] != 0 && (name[i] == known[i] || name[i] == known[i] - 'A' + 'a' ||
                                 name[i] == known[i] + 'A' - 'a'))
            ++i;
        if (known[i] == 0 && name[i] == 0) return true;
    }
    return false;
}
