#pragma once
// The thumbnail builder's store for the web-page tool: instead of a cache file, each
// captured picture becomes kovtnN.gif beside it, and the entries of the page are
// collected for tnlist.htm. The builder renders and captures exactly as it does for
// the cache, so a web thumbnail is never a blank capture.
#include <memory>
#include <string>
#include <vector>

#include "thumbs/ThumbBuilderPorts.h"
#include "tools/WebThumbPage.h"

namespace kov {

class CWebThumbStore : public IThumbStore {
 public:
  // entries (not owned) receives one entry per thumbnail written, in render order.
  explicit CWebThumbStore(std::vector<WebThumbEntry>* entries) : entries_(entries) {}

  bool IsFolderCurrent(const std::string& folder) override { return false; }
  std::string CachePathForWrite(const std::string& folder, std::string* error) override;
  std::string MakeTempFileName(const std::string& folder, std::string* error) override;
  std::unique_ptr<ICacheReader> OpenForRead(const std::string& path) override { return nullptr; }
  std::unique_ptr<ICacheWriter> CreateForWrite(const std::string& path, std::string* error) override;
  bool LastWriteOf(const std::string& imagePath, uint64_t* lastWrite) override;
  // A picture that cannot be rendered gets no thumbnail and no cell.
  bool LoadPlaceholder(std::string* bytes) override { return false; }

 private:
  std::vector<WebThumbEntry>* entries_;
};

// Writes a captured picture (a packed 24-bit DIB) as the next free kovtnN.gif of
// folder and appends its entry; false when it cannot be converted or written.
bool WriteWebThumb(const std::string& imagePath, const std::string& dib, int32_t height, int32_t width,
                   std::vector<WebThumbEntry>* entries);

}  // namespace kov
