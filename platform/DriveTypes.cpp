// Drive questions of the page server and the tools, answered from the mount table.
#include <unistd.h>

#include <climits>

#include "platform/DriveTypes.h"
#include "platform/MountTable.h"

namespace kov {

int GetPathDriveType(const std::string& path) {
  VolumeInfo volume;
  return GetVolumeInfo(path, &volume) ? volume.driveType : kDriveUnknown;
}

bool IsProgramOnCdRom() {
  std::string program(PATH_MAX, '\0');
  ssize_t length = readlink("/proc/self/exe", &program[0], program.size());
  if (length <= 0 || static_cast<size_t>(length) >= program.size()) return false;
  program.resize(static_cast<size_t>(length));
  return GetPathDriveType(program) == kDriveCdRom;
}

}  // namespace kov
