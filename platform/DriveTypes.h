#pragma once
// The kind of volume a path lies on, answered from the mount table
// (platform/MountTable.h), in the numbers the tools and the cache location rules use.
#include <string>

namespace kov {

enum DriveType {
  kDriveUnknown = 0,    // relative path, or no volume found
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// Drive type of the volume holding path; 0 for relative paths.
int GetPathDriveType(const std::string& path);
// true when the program's own file lies on a CD-ROM.
bool IsProgramOnCdRom();

}  // namespace kov
