#pragma once
// Which folders a thumbnail build visits and which of their files get thumbnails.
#include <string>
#include <vector>

namespace kov {

// The start folder, then, when asked, its subfolders depth first, each folder
// before its own subfolders, siblings in the listing order (NameLess). Folders whose name begins
// with '.' and symbolic links to folders are left out, and no folder (device and
// inode) comes twice. Paths longer than PATH_MAX are left out.
std::vector<std::string> CollectBuildFolders(const std::string& startFolder, bool includeSubfolders);

// The folder's pictures that get thumbnails (IsImageFile, not a reserved name, not a
// directory), as full paths in the listing order (NameLess).
std::vector<std::string> ScanImages(const std::string& folder);

}  // namespace kov
