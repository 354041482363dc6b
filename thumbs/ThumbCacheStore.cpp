#include "thumbs/ThumbCacheStore.h"

#include "base/Fail.h"
#include "base/PathRules.h"
#include "formats/BmpToGif.h"
#include "formats/CaptureBmp.h"
#include "res/Resources.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/CacheTemporaries.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/FolderWritability.h"
#include "thumbs/ThumbCache.h"
#include "thumbs/ThumbRecord.h"

namespace kov {

namespace {

// Pictures are stored as GIF; a BMP that cannot be converted is stored as it is,
// which every reader of the cache accepts.
std::string AsGifWherePossible(const std::string& payload) {
  if (payload.compare(0, 2, "BM") != 0) return payload;
  std::vector<uint8_t> gif;
  if (!ConvertBmpToGif(std::vector<uint8_t>(payload.begin(), payload.end()), &gif)) return payload;
  return std::string(gif.begin(), gif.end());
}

class CacheReader : public ICacheReader {
 public:
  bool Open(const std::string& path) {
    // A cache of 1 to 284 bytes opens "false" yet holds no record: reading it is harmless.
    cache_.OpenForRead(path);
    return cache_.IsOpen();
  }
  bool FindRecord(const std::string& name, CacheRecord* record) override {
    ThumbHeader header;
    if (!cache_.FindRecord(name, &header, &record->payload)) return false;
    record->name = header.name;
    record->lastWrite = header.lastWrite;
    record->height = header.height;
    record->width = header.width;
    return true;
  }

 private:
  CThumbCache cache_;
};

class CacheWriter : public ICacheWriter {
 public:
  bool Create(const std::string& path, std::string* error) { return cache_.CreateForWrite(path, error); }
  bool AppendRecord(const CacheRecord& record, std::string* error) override {
    ThumbHeader header;
    header.name = record.name;
    header.lastWrite = record.lastWrite;
    header.height = record.height;
    header.width = record.width;
    header.dataLength = static_cast<uint32_t>(record.payload.size());
    return cache_.AppendRecord(&header, record.payload, error);
  }
  bool AppendFile(const std::string& imagePath, const std::string& payload, int32_t height,
                  int32_t width, std::string* error) override {
    return cache_.AppendFile(imagePath, AsGifWherePossible(payload), height, width, error);
  }
  bool AppendCapture(const std::string& imagePath, const std::string& dib, int32_t height,
                     int32_t width, std::string* error) override {
    std::string bmp;
    if (!BmpFileFromDib(dib, &bmp)) return Fail(error, imagePath + ": the capture is not a picture");
    return AppendFile(imagePath, bmp, height, width, error);
  }
  bool CommitTo(const std::string& finalPath, std::string* error) override {
    return cache_.CommitTo(finalPath, error);
  }
  void Discard() override { cache_.Discard(); }

 private:
  CThumbCache cache_;
};

}  // namespace

bool CThumbCacheStore::IsFolderCurrent(const std::string& folder) {
  // Without an application-data folder the location rule answers the folder's own cache.
  if (onlyFolderCaches_) return IsFolderCurrentIn(folder, "");
  return hasAppData_ ? IsFolderCurrentIn(folder, appData_) : kov::IsFolderCurrent(folder);
}

std::string CThumbCacheStore::CachePathForWrite(const std::string& folder, std::string* error) {
  if (onlyFolderCaches_) {
    if (GetFolderWritability().CanCreateFilesIn(folder)) return JoinPath(folder, kCacheFileName);
    Fail(error, "the folder cannot be written");
    return "";
  }
  // Only stale folders are built: a cache the folder cannot take again goes elsewhere.
  return hasAppData_ ? GetRebuildCachePathIn(folder, appData_) : GetRebuildCachePath(folder);
}

std::string CThumbCacheStore::MakeTempFileName(const std::string& folder, std::string* error) {
  // What a killed build left here goes before a new temporary is made beside it.
  RemoveStaleCacheTemps(folder);
  return kov::MakeTempFileName(folder, error);
}

std::unique_ptr<ICacheReader> CThumbCacheStore::OpenForRead(const std::string& path) {
  auto reader = std::make_unique<CacheReader>();
  if (!reader->Open(path)) return nullptr;
  return reader;
}

std::unique_ptr<ICacheWriter> CThumbCacheStore::CreateForWrite(const std::string& path,
                                                              std::string* error) {
  auto writer = std::make_unique<CacheWriter>();
  if (!writer->Create(path, error)) return nullptr;
  return writer;
}

bool CThumbCacheStore::LastWriteOf(const std::string& imagePath, uint64_t* lastWrite) {
  return GetFileLastWrite(imagePath, lastWrite);
}

bool CThumbCacheStore::LoadPlaceholder(std::string* bytes) {
  return LoadResourceBytes(BinId::kPlaceholderThumbnail, bytes);
}

}  // namespace kov
