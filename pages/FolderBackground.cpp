// A folder's own background picture and music: kovbgimg.* and kovbgsnd.*.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/DirHandle.h"
#include "base/NameOrder.h"
#include "base/PathRules.h"
#include "pages/FolderBackground.h"
#include "platform/MediaTypes.h"

namespace kov {
namespace {

// Names of the folder that start with the reserved word and a dot, any letter case.
std::vector<std::string> ReservedEntries(const std::string& folder, const char* word) {
  std::vector<std::string> names;
  DirHandle listing = OpenDir(folder);
  if (!listing) return names;
  size_t length = std::char_traits<char>::length(word);
  while (dirent* entry = readdir(listing.get())) {
    std::string name = entry->d_name;
    if (name.size() > length && name[length] == '.' && strncasecmp(name.c_str(), word, length) == 0)
      names.push_back(name);
  }
  SortByName(&names);
  return names;
}

// Folders, and anything else that is not a plain file (a pipe would block its
// reader), are never a background.
bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool FindFolderBackgroundFile(const std::string& folder, std::string* out, bool picture) {
  if (!out || folder.empty()) return false;
  for (const std::string& name : ReservedEntries(folder, picture ? "kovbgimg" : "kovbgsnd")) {
    std::string path = JoinPath(folder, name);
    if (!IsRegularFile(path)) continue;
    if (picture ? IsImageFile(name) : IsAudioFile(name)) {
      *out = path;
      return true;
    }
  }
  return false;
}

}  // namespace kov
