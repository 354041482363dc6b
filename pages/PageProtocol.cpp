#include "pages/PageProtocol.h"

#include <strings.h>

#include <new>

namespace kov {

namespace {

using Handler = void (CPageProtocol::*)();

struct CommandEntry {
  const char* command;
  Handler handler;
};

// Looked up in this order, without regard to letter case; the first match wins and
// anything else, the empty command included, gets the default page.
const CommandEntry kCommands[] = {
    {"blank", &CPageProtocol::ServeDefaultPage},
    {"image", &CPageProtocol::ServeImagePage},
    {"bin", &CPageProtocol::ServeBinResource},
    {"thumbmk", &CPageProtocol::ServeThumbMakerPage},
    {"thumbvw", &CPageProtocol::ServeThumbnail},
    {"thumblst", &CPageProtocol::ServeThumbnailList},
    {"thumbrows", &CPageProtocol::ServeHeldThumbnailRows},
    {"background", &CPageProtocol::ServeBackgroundPage},
    {"blank2", &CPageProtocol::ServeBlank2Page},
    {"picture", &CPageProtocol::ServePictureFile},
    {"reduced", &CPageProtocol::ServeReducedPicture},
    {"decoded", &CPageProtocol::ServeDecodedPicture},
    {"thumbstrip", &CPageProtocol::ServeThumbStripPage},
};

}  // namespace

PageResult CPageProtocol::Start(const std::string& url, IPageSink* sink) {
  parts_ = PageUrlParts();
  sink_ = sink;
  PageResult result = PageResult::kOk;
  try {
    if (!ParsePageUrl(CanonicalizePageUrl(url), &parts_)) parts_ = PageUrlParts();
    Dispatch();
  } catch (const std::bad_alloc&) {
    result = PageResult::kOutOfMemory;
  }
  sink_ = nullptr;
  return result;
}

void CPageProtocol::Dispatch() {
  for (const CommandEntry& entry : kCommands) {
    if (strcasecmp(parts_.command.c_str(), entry.command) == 0) {
      (this->*entry.handler)();
      return;
    }
  }
  ServeDefaultPage();
}

void CPageProtocol::ReportComplete() {
  if (!sink_) return;
  size_t n = buffer_.GetTotalAppended();
  if (!sink_->ReportData(kPageDataFirst | kPageDataWhole, n, n)) return;
  if (!sink_->ReportData(kPageDataLast | kPageDataWhole, n, n)) return;
  sink_->ReportResult(PageResult::kOk);
}

PageResult CPageProtocol::Read(void* dst, size_t cb, size_t* got) {
  if (got) *got = 0;
  if (!dst && cb > 0) return PageResult::kBadArgument;
  size_t k = buffer_.Read(dst, cb);
  if (got) *got = k;
  return k > 0 ? PageResult::kOk : PageResult::kEndOfData;
}

}  // namespace kov
