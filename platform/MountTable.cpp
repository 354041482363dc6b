// Seed: drive types until the mount table exists. Absolute paths count as fixed disks.
#include "pages/ContentTypes.h"

namespace kov {

int GetPathDriveType(const std::string& path) {
  return !path.empty() && path[0] == '/' ? kDriveFixed : kDriveUnknown;
}

bool IsProgramOnCdRom() { return false; }

bool FindFolderBackgroundFile(const std::string& folder, std::string* out, bool picture) {
  return false;
}

}  // namespace kov
