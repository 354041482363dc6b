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
// 11000 x 11000 is decoded whole before it is reduced to the engine's limits. And the
// builder's strip asks for up to 32 reduced photographs at once, each some 50 to 150 ms
// to decode: answered on the window thread they held Cancel up for a second and more.
// The page server makes both on worker threads, so the windows go on meanwhile; the
// "decoded" and "reduced" handlers touch nothing but the file they read, the
// decode-ahead and the natural-size memo, which are safe from any thread. A test's
// own page source is always asked at once.
SchemeHandler SlowHandlerFor(const std::string& url) {
  if (g_pageSource) return nullptr;
  PageUrlParts parts;
  if (!ParsePageUrl(CanonicalizePageUrl(url), &parts) ||
      (strcasecmp(parts.command.c_str(), "decoded") != 0 && strcasecmp(parts.command.c_str(), "reduced") != 0))
    return nullptr;
  return ServeFromServer;
}

}  // namespace

bool CreateKovpWebEngine() { return CreateWebEngine("kovp", ServeFromSource, SlowHandlerFor); }

void SetPageSource(PageSource source) { g_pageSource = std::move(source); }

}  // namespace kov
