#include "platform/gui/WebEngine.h"

#include <gio/gio.h>

#include <utility>

namespace kov {

namespace {

WebKitWebContext* g_context = nullptr;
SchemeHandler g_handler;

// Every request is answered at once and whole, with the type the handler announced.
void OnSchemeRequest(WebKitURISchemeRequest* request, gpointer) {
  const char* uri = webkit_uri_scheme_request_get_uri(request);
  SchemeResponse response = g_handler(uri ? uri : "");
  GBytes* bytes = g_bytes_new(response.body.data(), response.body.size());
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  const char* mime = response.mimeType.empty() ? "text/html" : response.mimeType.c_str();
  webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(response.body.size()),
                                   mime);
  g_object_unref(stream);
  g_bytes_unref(bytes);
}

bool SetUpContext(WebKitWebContext* context, const char* scheme) {
  WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
  if (security == nullptr) return false;
  webkit_web_context_register_uri_scheme(context, scheme, OnSchemeRequest, nullptr, nullptr);
  webkit_security_manager_register_uri_scheme_as_local(security, scheme);
  webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
  return webkit_security_manager_uri_scheme_is_local(security, scheme);
}

}  // namespace

bool CreateWebEngine(const std::string& scheme, SchemeHandler handler) {
  static bool attempted = false;
  if (attempted) return g_context != nullptr;
  attempted = true;
  if (!handler) return false;
  g_handler = std::move(handler);
  WebKitWebContext* context = webkit_web_context_new();
  if (context == nullptr) return false;
  if (!SetUpContext(context, scheme.c_str())) {
    g_object_unref(context);
    return false;
  }
  g_context = context;  // lives until the process ends
  return true;
}

WebKitWebContext* WebEngineContext() { return g_context; }

}  // namespace kov
