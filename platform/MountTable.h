#pragma once
// The mount table: which volume holds a path, what kind of drive it is, and the
// volume's identity. Read from /proc/self/mountinfo, or from the file named by
// $KOV_MOUNTINFO (tests use it to make any folder a CD-ROM).
#include <cstdint>
#include <string>

namespace kov {

struct VolumeInfo {
  std::string mountPoint;      // the volume root ("the drive root")
  std::string label;           // volume label, "" when unknown
  std::string fileSystem;      // file-system type, e.g. "iso9660"
  uint32_t serial = 0;         // from the file system's UUID where known
  uint32_t maxComponentLength = 0;
  uint32_t flags = 0;
  int driveType = 0;           // a DriveType value (pages/ContentTypes.h)
};

// false when path is relative or no mount covers it; info is then left default.
bool GetVolumeInfo(const std::string& path, VolumeInfo* info);

}  // namespace kov
