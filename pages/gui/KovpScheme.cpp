#include "pages/gui/KovpScheme.h"

#include <strings.h>

#include <utility>

#include "pages/PageUrl.h"
#include "platform/gui/WebEngine.h"

namespace kov {

namespace {

PageSource g_pageSource;

SchemeResponse ServeFromSource(const std::string& url) {
  PageResponse page = g_pageSource ? g_pageSource(url) : ServePageUrl(url);
  return {std::move(page.body), std::move(page.mimeType)};
}

SchemeResponse ServeFromServer(const std::string& url) {
  PageResponse page = ServePageUrl(url);
  return {std::move(page.body), std::move(page.mimeType)};
}

// A picture decoded for the picture view (or a background) may take seconds: a PNG of
// 11000 x 11000 is decoded whole before it is reduced to the engine's limits. The page
// server makes it on a worker thread, so the windows go on meanwhile; its "decoded"
// handler touches nothing but the file it reads. A test's own page source is always
// asked at once.
SchemeHandler SlowHandlerFor(const std::string& url) {
  if (g_pageSource) return nullptr;
  PageUrlParts parts;
  if (!ParsePageUrl(CanonicalizePageUrl(url), &parts) || strcasecmp(parts.command.c_str(), "decoded") != 0)
    return nullptr;
  return ServeFromServer;
}

}  // namespace

bool CreateKovpWebEngine() { return CreateWebEngine("kovp", ServeFromSource, SlowHandlerFor); }

void SetPageSource(PageSource source) { g_pageSource = std::move(source); }

}  // namespace kov
