#include "sprites/LocalDrive.h"

bool DriveAnswersAfresh(uint32_t driveType)
{
    return driveType == DriveRemovable || driveType == DriveFixed || driveType == DriveCdRom ||
           driveType == DriveRamDisk;
}
