#include "sprites/win32/KeptSkins.h"

#include <cwchar>

#include "sprites/KeptPictures.h"
#include "sprites/LocalDrive.h"
#include "sprites/win32/KeptSprite.h"

static_assert(DriveRemote == DRIVE_REMOTE && DriveFixed == DRIVE_FIXED && DriveRamDisk == DRIVE_RAMDISK &&
                  DriveNoRootDir == DRIVE_NO_ROOT_DIR,
              "the core numbers the drive types as the system does");

namespace {

// What is known of the two folders that skin folders lie in; a drive's
// type is asked once, as it costs more than a paint.
struct KeptFolders {
    wchar_t working[MAX_PATH];  // as the system named it when its pictures were read
    bool workingLocal;
    bool programAsked;
    bool programLocal;
};

KeptFolders folders = {L"", false, false, false};

bool OnLocalDrive(const wchar_t* path)
{
    wchar_t root[4], fileSystem[MAX_PATH + 1] = L"";
    return DriveRootOf(root, 4, path) && DriveAnswersAfresh(GetDriveTypeW(root)) &&
           GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1) &&
           FileSystemStampsWrites(fileSystem);
}

}  // namespace

void ForgetKeptOnNewWorkingFolder()
{
    wchar_t now[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, now);
    if (length == 0 || length >= MAX_PATH) now[0] = L'\0';
    if (std::wcscmp(now, folders.working) == 0) return;
    ForgetKeptPictures(-1, ReleaseKeptSprite);
    std::wcscpy(folders.working, now);
    folders.workingLocal = now[0] != L'\0' && OnLocalDrive(now);
}

bool PlaceMayBeKept(SkinPlace place)
{
    if (place == SkinInWorkingFolder) return folders.workingLocal;
    if (place == SkinBuiltIn) return true;
    if (!folders.programAsked) {
        folders.programAsked = true;
        wchar_t self[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        folders.programLocal = length > 0 && length < MAX_PATH && OnLocalDrive(self);
    }
    return folders.programLocal;
}
