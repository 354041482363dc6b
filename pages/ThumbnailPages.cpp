// The cache-backed handlers of the command table. Until the thumbnail cache store
// exists they serve what a missing cache gives: the placeholder picture for a
// thumbnail and a list page without thumbnails.
#include "pages/PageProtocol.h"

namespace kov {

namespace {
constexpr int kPlaceholderThumbnail = 154;
}

void CPageProtocol::ServeThumbnail() {
  Buffer().AppendResource(kPlaceholderThumbnail, ResourceType::kBin);
  ReportComplete();
}

void CPageProtocol::ServeThumbnailList() {
  Buffer().Append("<html><body></body></html>\r\n");
  ReportComplete();
}

}  // namespace kov
