#pragma once
// One kovp request. Start parses the URL, runs exactly one handler that appends the
// whole response to the buffer, and reports it complete before returning; the
// caller then drains it with Read. No request stays pending and none fails: a
// missing target gives a fallback or an empty response.
#include <string>
#include <utility>

#include "pages/PageBuffer.h"
#include "pages/PageSink.h"
#include "pages/PageUrl.h"

namespace kov {

class CPageProtocol {
 public:
  CPageProtocol() = default;
  CPageProtocol(const CPageProtocol&) = delete;
  CPageProtocol& operator=(const CPageProtocol&) = delete;

  // Builds the whole response and reports it to the sink (none: no reports).
  // kOk, or kOutOfMemory when the response could not be built.
  PageResult Start(const std::string& url, IPageSink* sink);
  // Copies up to cb unread bytes to dst, *got their count (may be null): kOk when
  // that is above 0, kEndOfData when nothing is left, kBadArgument for no dst.
  PageResult Read(void* dst, size_t cb, size_t* got);

  // The response's media type as its handler states it; empty when the handler
  // left it to be named from the first bytes (MimeTypeOfResponse).
  const std::string& GetContentType() const { return contentType_; }
  void SetContentType(std::string type) { contentType_ = std::move(type); }

  // What the handlers work with (the thumbnail pages live in their own file).
  const std::string& GetCommand() const { return parts_.command; }
  const std::string& GetFolderPart() const { return parts_.folder; }
  const std::string& GetNamePart() const { return parts_.name; }
  // NormalizePath("/" + folder part + "/" + name part).
  std::string GetRequestPath() const { return PagePathOf(parts_); }
  CPageBuffer& Buffer() { return buffer_; }
  // Tells the sink the response is whole: ReportData(9, n, n), ReportData(12, n, n),
  // ReportResult(kOk); a sink refusing either ReportData ends the reporting.
  void ReportComplete();

  // Handlers: each appends its response and ends with ReportComplete.
  void ServeDefaultPage();
  void ServeBlank2Page();
  void ServeBackgroundPage();
  void ServeImagePage();
  void ServeThumbMakerPage();
  void ServeThumbStripPage();
  void ServeBinResource();
  void ServePictureFile();
  void ServeReducedPicture();  // DecodedPictureHandlers.cpp
  void ServeDecodedPicture();
  void ServeThumbnailList();
  void ServeHeldThumbnailRows();
  void ServeThumbnail();

  // The background picture URL for the request's folder: the folder's own kovbgimg
  // picture by its PictureUrlOf URL, or the built-in kBuiltInPictureUrl.
  std::string GetImageBackgroundUrl() const;

 private:
  void Dispatch();
  // The picture answers (DecodedPictureHandlers.cpp), typed as what they hold.
  void AppendPictureFileBytes(const std::string& path);
  void AppendDecodedPicture(const std::string& file);

  IPageSink* sink_ = nullptr;  // valid only inside Start
  CPageBuffer buffer_;
  PageUrlParts parts_;
  std::string contentType_;
};

}  // namespace kov
