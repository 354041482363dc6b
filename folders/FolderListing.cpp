#include "folders/FolderListing.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <set>
#include <utility>

#include "base/DirHandle.h"
#include "base/NameOrder.h"
#include "base/PathRules.h"
#include "platform/MediaTypes.h"

namespace kov {
namespace {

using FolderId = std::pair<dev_t, ino_t>;

// The real subfolders of folder not seen before, in name order; marks them seen.
std::vector<std::string> NewSubfolders(const std::string& folder, std::set<FolderId>* seen) {
  std::vector<std::string> subfolders;
  DirHandle listing = OpenDir(folder);
  if (!listing) return subfolders;
  while (dirent* entry = readdir(listing.get())) {
    if (entry->d_name[0] == '.' || !MayBeFolderOrLink(entry)) continue;
    std::string path = JoinPath(folder, entry->d_name);
    struct stat info {};
    if (path.size() >= PATH_MAX || lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) continue;
    if (seen->insert({info.st_dev, info.st_ino}).second) subfolders.push_back(path);
  }
  SortByName(&subfolders);
  return subfolders;
}

}  // namespace

std::vector<std::string> ListFolderTree(const std::string& root) {
  std::vector<std::string> folders;
  if (root.empty()) return folders;
  std::set<FolderId> seen;
  struct stat info {};
  std::string start = NormalizePath(root);
  if (stat(start.c_str(), &info) == 0) seen.insert({info.st_dev, info.st_ino});
  // An explicit stack rather than recursion: a deep tree cannot exhaust the call stack.
  std::vector<std::string> pending{start};
  while (!pending.empty()) {
    std::string folder = std::move(pending.back());
    pending.pop_back();
    std::vector<std::string> subfolders = NewSubfolders(folder, &seen);
    pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    folders.push_back(std::move(folder));
  }
  return folders;
}

// Each picture is looked at relative to the open folder: a folder of 5000 pictures
// spent a quarter of its listing joining and normalising full paths only to look
// them up again from the root.
std::vector<std::string> ListFolderImages(const std::string& folder) {
  std::vector<std::string> images;
  DirHandle listing = OpenDir(folder);
  if (!listing) return images;
  std::string prefix = NormalizePath(folder);
  if (prefix != "/") prefix += '/';
  while (dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (GetSpecialFileKind(name) != kNotSpecial || !IsImageFile(name)) continue;
    // A name never holds '/': the prefix and the name are the joined path.
    std::string path = prefix + name;
    struct stat info {};
    if (path.size() < PATH_MAX && fstatat(dirfd(listing.get()), name.c_str(), &info, 0) == 0 &&
        S_ISREG(info.st_mode))
      images.push_back(std::move(path));
  }
  SortByName(&images);
  return images;
}

}  // namespace kov
