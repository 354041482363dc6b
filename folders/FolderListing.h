#pragma once
// The two listings the folder walk is made of: the tree of folders under a root,
// and the pictures of one folder.
#include <string>
#include <vector>

namespace kov {

// The normalised root followed by every folder below it, depth-first, pre-order
// (each folder before its descendants, before its next sibling), siblings in name
// order. Folders whose name begins with '.' are skipped with all they hold; symbolic
// links to folders are not followed; no folder (device and inode) is listed twice;
// paths of PATH_MAX bytes or more are left out. A folder that cannot be read adds
// nothing below it. An empty root gives an empty list.
std::vector<std::string> ListFolderTree(const std::string& root);

// Full, normalised paths of the folder's pictures in name order: plain files (or
// links to them) that IsImageFile accepts and that are not reserved names. Empty
// when the folder cannot be read.
std::vector<std::string> ListFolderImages(const std::string& folder);

}  // namespace kov
