#include "folders/FolderTreeModel.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "base/DirHandle.h"
#include "base/NameOrder.h"
#include "base/PathRules.h"
#include "platform/DriveTypes.h"

namespace kov {

namespace {

// The canonical form of path with every link resolved; "" when it cannot be resolved.
std::string ResolvedPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return "";
  std::string out(resolved);
  free(resolved);
  return out;
}

// True when following the link at linkPath from inside folder would lead back to
// folder or above it, so the tree could be expanded without end.
bool LinkLeadsToAncestor(const std::string& folder, const std::string& linkPath) {
  std::string target = ResolvedPath(linkPath);
  std::string here = ResolvedPath(folder);
  if (target.empty() || here.empty()) return true;  // cannot tell: do not follow
  if (target == "/" || target == here) return true;
  return here.compare(0, target.size(), target) == 0 && here[target.size()] == '/';
}

// True when the entry name of folder is a subfolder the tree shows.
bool IsShownSubfolder(const std::string& folder, const std::string& name, const std::string& path) {
  if (name.empty() || name[0] == '.') return false;
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return false;
  if (S_ISDIR(info.st_mode)) return true;
  if (!S_ISLNK(info.st_mode) || !IsExistingDirectory(path)) return false;
  return !LinkLeadsToAncestor(folder, path);
}

// A node path matches target when it is a prefix that ends at a separator of target
// (or at target's end). Returns 0 for no match, 1 for the target itself, 2 for an
// ancestor of it.
int MatchNode(const std::string& node, const std::string& target) {
  if (node.empty() || node.size() > target.size()) return 0;
  if (target.compare(0, node.size(), node) != 0) return 0;
  if (node.size() == target.size()) return 1;
  if (target[node.size()] == '/' || node.back() == '/') return 2;
  return 0;
}

}  // namespace

std::string FolderDisplayName(const std::string& path) {
  std::string trimmed = NormalizePath(path);
  if (trimmed == "/") return trimmed;
  return BaseName(trimmed);
}

bool IsExistingDirectory(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<FolderNode> ListTopLevelFolders(const std::string& documents,
                                            const std::vector<std::string>& mountPoints) {
  std::vector<FolderNode> top;
  if (IsExistingDirectory(documents)) {
    std::string path = NormalizePath(documents);
    top.push_back({path, FolderDisplayName(path)});
  }
  std::vector<std::string> volumes{"/"};
  for (const std::string& mount : mountPoints) {
    if (mount.empty() || mount[0] != '/') continue;
    std::string path = NormalizePath(mount);
    if (std::find(volumes.begin(), volumes.end(), path) == volumes.end()) volumes.push_back(path);
  }
  for (const std::string& volume : volumes) top.push_back({volume, volume});
  return top;
}

bool ListSubfolders(const std::string& folder, std::vector<FolderNode>* out) {
  out->clear();
  DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
  if (!dir) return false;
  while (struct dirent* entry = readdir(dir)) {
    if (!MayBeFolderOrLink(entry)) continue;
    std::string name(entry->d_name);
    std::string path = JoinPath(folder, name);
    if (IsShownSubfolder(folder, name, path)) out->push_back({path, name});
  }
  closedir(dir);
  std::sort(out->begin(), out->end(), [](const FolderNode& a, const FolderNode& b) {
    return NameLess(a.displayName, b.displayName);
  });
  return true;
}

FolderTreeWalk WalkToFolder(const std::string& target, const FolderChildLister& listChildren) {
  FolderTreeWalk walk;
  if (target.empty()) return walk;
  bool descended = true;
  while (descended) {
    descended = false;
    std::vector<std::string> children = listChildren(walk.trail, false);
    for (bool reread : {false, true}) {
      if (reread) {
        if (walk.trail.empty()) break;  // the top level is not a folder's listing
        children = listChildren(walk.trail, true);
      }
      for (size_t i = 0; i < children.size() && !descended; ++i) {
        int match = MatchNode(children[i], target);
        if (match == 0) continue;
        walk.trail.push_back(i);
        if (match == 1) {
          walk.found = true;
          return walk;
        }
        descended = true;
      }
      if (descended) break;
    }
  }
  return walk;
}

std::string ChooseInitialFolder(const InitialFolderFacts& facts) {
  if (facts.programOnCdRom && !facts.programVolumeRoot.empty()) return facts.programVolumeRoot;
  if (facts.hasImgFolder && IsExistingDirectory(facts.imgFolder)) return facts.imgFolder;
  if (IsExistingDirectory(facts.pictures)) return facts.pictures;
  return facts.documents;
}

FolderTreeOk DecideFolderTreeOk(const std::string& selected, int driveType) {
  FolderTreeOk ok;
  ok.folder = selected;
  ok.remember = driveType != kDriveCdRom;
  return ok;
}

}  // namespace kov
