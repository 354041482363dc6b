#pragma once
// The thumbnail builder's store on the real cache files: CThumbCache, the cache
// location rule and the staleness test, and the placeholder picture (BinId::kPlaceholderThumbnail).
#include <string>

#include "thumbs/ThumbBuilderPorts.h"

namespace kov {

class CThumbCacheStore : public IThumbStore {
 public:
  CThumbCacheStore() = default;
  // With the application-data folder of the per-volume cache tree given (tests).
  explicit CThumbCacheStore(std::string appData) : appData_(std::move(appData)), hasAppData_(true) {}

  // For a tree that will be carried elsewhere (a photo CD): only the folders' own
  // caches count as current and are written; a folder that cannot hold its own is
  // left without one rather than given one in the per-user tree, which would not go
  // along with it.
  void WriteOnlyFolderCaches() { onlyFolderCaches_ = true; }

  bool IsFolderCurrent(const std::string& folder) override;
  std::string CachePathForWrite(const std::string& folder, std::string* error) override;
  std::string MakeTempFileName(const std::string& folder, std::string* error) override;
  std::unique_ptr<ICacheReader> OpenForRead(const std::string& path) override;
  std::unique_ptr<ICacheWriter> CreateForWrite(const std::string& path, std::string* error) override;
  bool LastWriteOf(const std::string& imagePath, uint64_t* lastWrite) override;
  bool LoadPlaceholder(std::string* bytes) override;

 private:
  std::string appData_;
  bool hasAppData_ = false;
  bool onlyFolderCaches_ = false;
};

}  // namespace kov
