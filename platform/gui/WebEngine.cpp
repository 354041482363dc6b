#include "platform/gui/WebEngine.h"

#include <gio/gio.h>

#include <utility>

namespace kov {

namespace {

constexpr const char* kScheme = "kovp";

WebKitWebContext* g_context = nullptr;
PageSource g_pageSource;

PageResponse ServeFromSource(const std::string& url) {
  return g_pageSource ? g_pageSource(url) : ServePageUrl(url);
}

// Every request is answered at once and whole: WebKit does not sniff custom-scheme
// data, so the type the server announced goes with it.
void OnSchemeRequest(WebKitURISchemeRequest* request, gpointer) {
  const char* uri = webkit_uri_scheme_request_get_uri(request);
  PageResponse response = ServeFromSource(uri ? uri : "");
  GBytes* bytes = g_bytes_new(response.body.data(), response.body.size());
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  const char* mime = response.mimeType.empty() ? "text/html" : response.mimeType.c_str();
  webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(response.body.size()),
                                   mime);
  g_object_unref(stream);
  g_bytes_unref(bytes);
}

bool SetUpContext(WebKitWebContext* context) {
  WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
  if (security == nullptr) return false;
  webkit_web_context_register_uri_scheme(context, kScheme, OnSchemeRequest, nullptr, nullptr);
  webkit_security_manager_register_uri_scheme_as_local(security, kScheme);
  webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
  return webkit_security_manager_uri_scheme_is_local(security, kScheme);
}

}  // namespace

bool CreateWebEngine() {
  static bool attempted = false;
  if (attempted) return g_context != nullptr;
  attempted = true;
  WebKitWebContext* context = webkit_web_context_new();
  if (context == nullptr) return false;
  if (!SetUpContext(context)) {
    g_object_unref(context);
    return false;
  }
  g_context = context;  // lives until the process ends
  return true;
}

WebKitWebContext* WebEngineContext() { return g_context; }

void SetPageSource(PageSource source) { g_pageSource = std::move(source); }

}  // namespace kov
