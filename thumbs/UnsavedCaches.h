#pragma once
// What the user is told when a build could write the thumbnails of a folder nowhere:
// neither in the folder nor in the per-user tree. Each such folder is told of once
// per run of the program; a later visit builds again but does not ask again.
#include <string>
#include <vector>

namespace kov {

// The folders of the list that have not been told of before, in order, now counted
// as told. Empty when there is nothing new to say.
std::vector<std::string> FoldersNotYetTold(const std::vector<std::string>& folders);

// The folders shown for display, one a line after a line break each; past five, the
// rest are counted.
std::string ListedFoldersText(const std::vector<std::string>& folders);

// The message for those folders: what failed, which folders (shown for display), and
// that they are left without thumbnails. "" for an empty list.
std::string UnsavedThumbnailsText(const std::vector<std::string>& folders);

}  // namespace kov
