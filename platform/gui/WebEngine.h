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

// Makes the context once with scheme answered by handler; false when the scheme could
// not be set up (the caller ends the process silently). Calling it again returns the
// first result and keeps the first handler.
bool CreateWebEngine(const std::string& scheme, SchemeHandler handler);
// nullptr before CreateWebEngine succeeded.
WebKitWebContext* WebEngineContext();

}  // namespace kov
