#include "thumbs/BuildQueue.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <set>
#include <utility>

#include "base/NameOrder.h"
#include "base/PathRules.h"
#include "platform/MediaTypes.h"

namespace kov {

namespace {

using FileId = std::pair<dev_t, ino_t>;

// The names in a folder, without "." and "..", or nothing when it cannot be read.
std::vector<std::string> ListNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return names;
}

// Subfolders of folder that a build visits, sorted; links to folders are not followed.
std::vector<std::string> ListSubfolders(const std::string& folder) {
  std::vector<std::string> subfolders;
  for (const std::string& name : ListNames(folder)) {
    if (name[0] == '.') continue;
    std::string path = JoinPath(folder, name);
    struct stat st;
    if (path.size() >= PATH_MAX || lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    subfolders.push_back(path);
  }
  SortByName(&subfolders);
  return subfolders;
}

bool IdOf(const std::string& path, FileId* id) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  *id = {st.st_dev, st.st_ino};
  return true;
}

}  // namespace

std::vector<std::string> CollectBuildFolders(const std::string& startFolder, bool includeSubfolders) {
  std::string start = NormalizePath(startFolder);
  std::vector<std::string> queue{start};
  if (!includeSubfolders) return queue;

  std::set<FileId> seen;
  FileId id;
  if (IdOf(start, &id)) seen.insert(id);
  // Depth first without recursion: children are pushed in reverse so the smallest
  // comes off the stack first, giving the same order as a recursive walk.
  std::vector<std::string> stack;
  auto pushChildren = [&stack](const std::string& folder) {
    std::vector<std::string> children = ListSubfolders(folder);
    stack.insert(stack.end(), children.rbegin(), children.rend());
  };
  pushChildren(start);
  while (!stack.empty()) {
    std::string folder = std::move(stack.back());
    stack.pop_back();
    if (!IdOf(folder, &id) || !seen.insert(id).second) continue;  // bind mounts can repeat a folder
    queue.push_back(folder);
    pushChildren(folder);
  }
  return queue;
}

std::vector<std::string> ScanImages(const std::string& folder) {
  std::vector<std::string> images;
  for (const std::string& name : ListNames(folder)) {
    std::string path = JoinPath(folder, name);
    struct stat st;
    // Regular files only, as the viewer lists them: opening a FIFO or a device with a
    // picture's name would stall the engine's load.
    if (path.size() >= PATH_MAX || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (IsImageFile(name) && GetSpecialFileKind(name) == kNotSpecial) images.push_back(path);
  }
  SortByName(&images);
  return images;
}

}  // namespace kov
