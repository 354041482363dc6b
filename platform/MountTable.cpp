// Seed: drive types until the mount table exists. Absolute paths count as fixed disks.
#include "pages/ContentTypes.h"
#include "platform/MountTable.h"

namespace kov {

int GetPathDriveType(const std::string& path) {
  return !path.empty() && path[0] == '/' ? kDriveFixed : kDriveUnknown;
}

bool IsProgramOnCdRom() { return false; }

bool FindFolderBackgroundFile(const std::string& folder, std::string* out, bool picture) {
  return false;
}

}  // namespace kov

namespace kov {
bool GetVolumeInfo(const std::string& path, VolumeInfo* info) { return false; }
}  // namespace kov
