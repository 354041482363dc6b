#pragma once
// What the user is told when a build could write the thumbnails of a folder nowhere:
// neither in the folder nor in the per-user tree. Each such folder is told of once
// per run of the program; a later visit builds again but does not ask again.
#include <string>
#include <vector>

namespace kov {

struct UnsavedCache {
  std::string folder;
  std::string reason;  // why its cache could not be written, as the failed step said
  bool operator==(const UnsavedCache& o) const { return folder == o.folder && reason == o.reason; }
};

// The folders of the list that have not been told of before, in order, now counted
// as told. Empty when there is nothing new to say.
std::vector<UnsavedCache> FoldersNotYetTold(const std::vector<UnsavedCache>& folders);

// The folders shown for display, one a line after a line break each with its reason
// indented on the next line; past five, the rest are counted.
std::string ListedFoldersText(const std::vector<UnsavedCache>& folders);

// The message for those folders: what failed, which folders and why (shown for
// display), and that they are left without thumbnails. "" for an empty list.
std::string UnsavedThumbnailsText(const std::vector<UnsavedCache>& folders);

}  // namespace kov
