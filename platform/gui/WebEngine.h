#pragma once
// The process's one browser engine context: every pane's view is made in it. It
// answers one custom scheme from memory through a handler its owner gives, treats
// that scheme's pages as local (so they may show file:// pictures) and keeps the
// document-viewer cache model (a picture rebuilt under the same URL is fetched again).
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace kov {

// One answer of the scheme handler: the whole body and the type to announce (WebKit
// does not sniff custom-scheme data). An empty type is sent as text/html.
struct SchemeResponse {
  std::string body;
  std::string mimeType;
};
using SchemeHandler = std::function<SchemeResponse(const std::string& uri)>;
// For a request whose answer may take long to make (a large picture decoded), the
// handler that makes it on a worker thread, so that the windows go on meanwhile; an
// empty one has the request answered at once by the scheme's own handler.
using SlowSchemeHandler = std::function<SchemeHandler(const std::string& uri)>;

// Makes the context once with scheme answered by handler, and by slow's handlers on
// worker threads; false when the scheme could not be set up (the caller ends the
// process silently). Calling it again returns the first result and keeps the first
// handlers.
bool CreateWebEngine(const std::string& scheme, SchemeHandler handler, SlowSchemeHandler slow = nullptr);
// nullptr before CreateWebEngine succeeded.
WebKitWebContext* WebEngineContext();
// The requests being answered on worker threads now.
int SlowSchemeRequestsInWork();

}  // namespace kov
