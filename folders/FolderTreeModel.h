#pragma once
// What the folder tree shows and decides, without a window: the top-level folders,
// the subfolders read when a node is expanded, the walk that finds a path in the
// tree, the folder chosen at start-up and what confirming a folder does.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kov {

// One node of the tree: the folder's full path and the name shown for it.
struct FolderNode {
  std::string path;
  std::string displayName;
};

// The name a subfolder or the Documents folder is shown with: its last component.
std::string FolderDisplayName(const std::string& path);

// True when path names an existing directory (symbolic links are followed).
bool IsExistingDirectory(const std::string& path);

// The top level: the Documents folder when it exists, then "/", then every mount
// point of the list that is absolute and not yet shown, in the list's order. Volumes
// are shown under their full mount point; the Documents folder under its name.
std::vector<FolderNode> ListTopLevelFolders(const std::string& documents,
                                            const std::vector<std::string>& mountPoints);

// The subfolders of folder, in the listings' name order (NameLess): directories only (a link to
// a directory counts), no names starting with '.', and no link that leads back to
// folder itself or to one of its ancestors (expanding it would never end). false when
// the folder cannot be listed; out is then empty.
bool ListSubfolders(const std::string& folder, std::vector<FolderNode>* out);

// Where a path lies in the tree: the child index at each level from the top, down to
// the deepest node whose path matched. found is true when the last index is the
// target itself.
struct FolderTreeWalk {
  bool found = false;
  std::vector<size_t> trail;
};

// Lists the paths of the children of the node reached by trail (an empty trail is the
// top level). The tree expands that node to answer, so every node the walk descends
// into ends up expanded; with reread, it reads the node's subfolders from the disk
// again first, as a collapse and a new expansion would.
using FolderChildLister =
    std::function<std::vector<std::string>(const std::vector<size_t>& trail, bool reread)>;

// Finds target by descending from the top level: a node matches when its path is a
// byte-exact prefix of target that ends where target ends or at a '/' of target (a
// node path that itself ends in '/', such as "/", always ends at a separator). The
// walk descends into the first match of each level and never backs up. A node whose
// children, as listed when it was expanded, hold no match is read again once (a
// folder made since then). An empty target finds nothing and lists nothing.
FolderTreeWalk WalkToFolder(const std::string& target, const FolderChildLister& listChildren);

// Everything the start-up choice of folder depends on.
struct InitialFolderFacts {
  bool programOnCdRom = false;
  std::string programVolumeRoot;  // the mount point of the program's volume
  bool hasImgFolder = false;      // the "imgfolder" setting could be read
  std::string imgFolder;
  std::string pictures;
  std::string documents;
};

// The folder selected at start-up: the program's volume root when it runs from a
// CD-ROM, else "imgfolder" when it names an existing directory, else Pictures when it
// exists, else Documents.
std::string ChooseInitialFolder(const InitialFolderFacts& facts);

// What OK does with the selection (empty when nothing is selected): the folder is
// opened in every case, and remembered as "imgfolder" unless it lies on a CD-ROM.
struct FolderTreeOk {
  std::string folder;
  bool remember = false;
};
FolderTreeOk DecideFolderTreeOk(const std::string& selected, int driveType);

}  // namespace kov
