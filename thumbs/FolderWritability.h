#pragma once
// Whether the program may create files in a folder: the question that decides where
// a folder's thumbnail cache goes when it has none of its own. A read-only mount, a
// share or another user's photos cannot be written, and their caches go to the
// per-user tree instead. Tests that cannot mount a read-only volume (root ignores
// file modes) put their own answer in place.
#include <string>

namespace kov {

class IFolderWritability {
 public:
  virtual ~IFolderWritability() = default;
  virtual bool CanCreateFilesIn(const std::string& folder) const = 0;
};

// The system's answer: write and search permission for this process, and a file
// system that is not mounted read-only.
class CSystemFolderWritability : public IFolderWritability {
 public:
  bool CanCreateFilesIn(const std::string& folder) const override;
};

// The check in use; the system's unless one was set. nullptr restores the system's.
const IFolderWritability& GetFolderWritability();
void SetFolderWritability(const IFolderWritability* check);

}  // namespace kov
