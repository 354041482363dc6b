#pragma once
// What showing the thumbnails of the current folder takes: nothing when the list
// already shows it, the list page again, or the thumbnail builder first when the
// folder's cache does not hold its pictures as they are now.
#include <string>

namespace kov {

enum class ThumbnailStep { kNothing, kShowList, kBuildThenShowList };

// listedFolder: the folder the list page shows ("" before the first). cacheCurrent
// is asked only when the list has to change folder.
template <typename IsCurrent>
ThumbnailStep DecideThumbnailStep(const std::string& folder, const std::string& listedFolder,
                                  bool reload, IsCurrent cacheCurrent) {
  // Folders compare exactly: on Linux two names that differ in case are two folders.
  if (folder == listedFolder) return reload ? ThumbnailStep::kShowList : ThumbnailStep::kNothing;
  return cacheCurrent(folder) ? ThumbnailStep::kShowList : ThumbnailStep::kBuildThenShowList;
}

}  // namespace kov
