#include "pages/gui/KovpScheme.h"

#include <utility>

#include "platform/gui/WebEngine.h"

namespace kov {

namespace {

PageSource g_pageSource;

SchemeResponse ServeFromSource(const std::string& url) {
  PageResponse page = g_pageSource ? g_pageSource(url) : ServePageUrl(url);
  return {std::move(page.body), std::move(page.mimeType)};
}

}  // namespace

bool CreateKovpWebEngine() { return CreateWebEngine("kovp", ServeFromSource); }

void SetPageSource(PageSource source) { g_pageSource = std::move(source); }

}  // namespace kov
