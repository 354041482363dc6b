#pragma once
// An open directory listing that closes itself.
#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

namespace kov {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

inline DirHandle OpenDir(const std::string& path) { return DirHandle(opendir(path.c_str())); }

// False when the listing itself says the entry is neither a folder nor a link (a file
// system that cannot tell says "unknown", which may be either). A folder of 5000
// pictures is then searched for subfolders without looking up each picture.
inline bool MayBeFolderOrLink(const dirent* entry) {
  return entry->d_type == DT_DIR || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
}

// The names in a folder, "." and ".." left out, in directory order; empty when it
// cannot be read.
inline std::vector<std::string> ListEntryNames(const std::string& folder) {
  std::vector<std::string> names;
  DirHandle listing = OpenDir(folder);
  if (!listing) return names;
  while (dirent* entry = readdir(listing.get())) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  return names;
}

}  // namespace kov
