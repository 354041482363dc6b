#include "thumbs/FolderWritability.h"

#include <unistd.h>

namespace kov {

namespace {
const IFolderWritability* g_installed = nullptr;
}  // namespace

// access() answers for the real user and, for root too, refuses a read-only mount
// (EROFS), which is the case file modes cannot show.
bool CSystemFolderWritability::CanCreateFilesIn(const std::string& folder) const {
  return !folder.empty() && access(folder.c_str(), W_OK | X_OK) == 0;
}

const IFolderWritability& GetFolderWritability() {
  static const CSystemFolderWritability system;
  return g_installed ? *g_installed : system;
}

void SetFolderWritability(const IFolderWritability* check) { g_installed = check; }

}  // namespace kov
