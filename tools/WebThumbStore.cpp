// Web thumbnails as the builder's store.
#include "tools/WebThumbStore.h"

#include "base/Fail.h"
#include "base/FileBytes.h"
#include "base/PathRules.h"
#include "formats/BmpToGif.h"
#include "formats/CaptureBmp.h"

namespace kov {
namespace {

// The builder asks for a file to write the folder's cache to; nothing is written to
// it, so the name is only a token that no file of the folder has.
constexpr char kNoFile[] = ".kov-web-thumbnails";

class CWebThumbWriter : public ICacheWriter {
 public:
  explicit CWebThumbWriter(std::vector<WebThumbEntry>* entries) : entries_(entries) {}
  // Only captured pictures become web thumbnails: nothing is carried over, and a
  // picture that cannot be rendered gets no cell.
  bool AppendRecord(const CacheRecord&, std::string* error) override {
    return Fail(error, "web thumbnails keep no records");
  }
  bool AppendFile(const std::string& imagePath, const std::string&, int32_t, int32_t,
                  std::string* error) override {
    return Fail(error, imagePath + ": only a captured picture becomes a web thumbnail");
  }
  bool AppendCapture(const std::string& imagePath, const std::string& dib, int32_t height,
                     int32_t width, std::string* error) override {
    if (WriteWebThumb(imagePath, dib, height, width, entries_)) return true;
    return Fail(error, imagePath + ": the web thumbnail could not be written");
  }
  // The page is written by the tool once every picture was rendered.
  bool CommitTo(const std::string&, std::string*) override { return true; }
  void Discard() override {}

 private:
  std::vector<WebThumbEntry>* entries_;
};

}  // namespace

std::string CWebThumbStore::CachePathForWrite(const std::string& folder, std::string*) {
  return JoinPath(folder, kNoFile);
}

std::string CWebThumbStore::MakeTempFileName(const std::string& folder, std::string*) {
  return JoinPath(folder, kNoFile);
}

std::unique_ptr<ICacheWriter> CWebThumbStore::CreateForWrite(const std::string& path, std::string*) {
  return std::make_unique<CWebThumbWriter>(entries_);
}

bool CWebThumbStore::LastWriteOf(const std::string& imagePath, uint64_t* lastWrite) {
  *lastWrite = 0;
  return true;
}

bool WriteWebThumb(const std::string& imagePath, const std::string& dib, int32_t height, int32_t width,
                   std::vector<WebThumbEntry>* entries) {
  std::string bmp;
  std::vector<uint8_t> gif;
  if (!BmpFileFromDib(dib, &bmp) || !ConvertBmpToGif(std::vector<uint8_t>(bmp.begin(), bmp.end()), &gif))
    return false;
  const std::string folder = DirName(imagePath);
  const std::string gifName = NextWebThumbName(folder);
  if (!WriteFileAtomically(JoinPath(folder, gifName), gif, nullptr)) return false;
  entries->push_back({BaseName(imagePath), gifName, std::to_string(width) + " x " + std::to_string(height)});
  return true;
}

}  // namespace kov
