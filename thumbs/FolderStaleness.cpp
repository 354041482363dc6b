#include "thumbs/FolderStaleness.h"

#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>

#include <climits>
#include <memory>
#include <unordered_map>

#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "platform/MediaTypes.h"
#include "thumbs/CacheIndex.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/ThumbCache.h"

namespace kov {
namespace {

// The records still unmatched, by exact name; the last record of a name wins. Names
// from caches made on case-blind systems are also found by a unique caseless match.
class RecordTimes {
 public:
  void Add(const ThumbHeader& header) {
    if (times_.find(header.name) == times_.end()) byLower_.emplace(AsciiLower(header.name), header.name);
    times_[header.name] = header.lastWrite;
  }

  // Removes the record of an image with this time; false when there is none or its
  // time differs.
  bool Consume(const std::string& name, uint64_t lastWrite) {
    auto it = times_.find(name);
    if (it == times_.end()) it = FindCaseless(name);
    if (it == times_.end() || it->second != lastWrite) return false;
    times_.erase(it);
    return true;
  }

  bool Empty() const { return times_.empty(); }

 private:
  std::unordered_map<std::string, uint64_t>::iterator FindCaseless(const std::string& name) {
    auto range = byLower_.equal_range(AsciiLower(name));
    auto found = times_.end();
    for (auto it = range.first; it != range.second; ++it) {
      auto candidate = times_.find(it->second);
      if (candidate == times_.end()) continue;  // already matched
      if (found != times_.end()) return times_.end();  // ambiguous
      found = candidate;
    }
    return found;
  }

  std::unordered_map<std::string, uint64_t> times_;
  std::unordered_multimap<std::string, std::string> byLower_;
};

bool ReadRecordTimes(const std::string& cachePath, RecordTimes* times) {
  CThumbCache cache;
  if (!cache.OpenForRead(cachePath)) return false;
  ThumbHeader header;
  while (cache.ReadNextRecord(&header, nullptr)) times->Add(header);
  return true;
}

bool IsThumbnailedPicture(const std::string& name) {
  return IsImageFile(name) && GetSpecialFileKind(name) == kNotSpecial;
}

// Matches every picture of the folder against the records; false at the first picture
// without a record of its present time, or when the folder cannot be read.
bool ConsumeFolderPictures(const std::string& folder, RecordTimes* times) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return false;
  while (const dirent* entry = readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == ".." || !IsThumbnailedPicture(name)) continue;
    // Looked at relative to the open folder, as the listing does; a path too long to
    // open names no picture.
    struct stat st;
    if (folder.size() + 1 + name.size() >= PATH_MAX || fstatat(dirfd(dir.get()), entry->d_name, &st, 0) != 0 ||
        !S_ISREG(st.st_mode))
      continue;
    if (!times->Consume(name, FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec)))
      return false;
  }
  return true;
}

}  // namespace

bool IsFolderCurrentIn(const std::string& folder, const std::string& appData) {
  if (folder.empty()) return false;
  std::string cachePath = GetCachePathIn(folder, true, appData);
  // A disc's own cache is taken as it is: nothing on a disc can be rebuilt in place.
  if (GetPathDriveType(cachePath) == kDriveCdRom) {
    struct stat st;
    return stat(cachePath.c_str(), &st) == 0;
  }
  RecordTimes times;
  if (!ReadRecordTimes(cachePath, &times)) return false;
  return ConsumeFolderPictures(folder, &times) && times.Empty();
}

bool IsFolderCurrent(const std::string& folder) {
  const char* appData = g_get_user_cache_dir();
  return IsFolderCurrentIn(folder, appData ? appData : "");
}

}  // namespace kov
