#pragma once
// The process's one browser engine context: every pane's view is made in it. It
// serves the "kovp" scheme from memory through the page server, treats kovp pages as
// local (so they may show file:// pictures) and keeps the document-viewer cache model
// (a thumbnail rebuilt under the same URL is fetched again).
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

#include "pages/PageServer.h"

namespace kov {

// Makes the context once; false when the scheme could not be set up (the caller ends
// the process silently). Calling it again returns the first result.
bool CreateWebEngine();
// nullptr before CreateWebEngine succeeded.
WebKitWebContext* WebEngineContext();

// Where kovp responses come from: ServePageUrl unless replaced (tests serve their own
// pages through the real scheme handler). An empty function restores the default.
using PageSource = std::function<PageResponse(const std::string& url)>;
void SetPageSource(PageSource source);

}  // namespace kov
