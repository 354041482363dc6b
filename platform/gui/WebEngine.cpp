#include "platform/gui/WebEngine.h"

#include <gio/gio.h>

#include <atomic>
#include <memory>
#include <utility>

namespace kov {

namespace {

// Two decodes at a time at most: a slow answer can take hundreds of megabytes while it
// is made.
constexpr int kSlowWorkers = 2;

WebKitWebContext* g_context = nullptr;
// Never destroyed: a worker may still be answering when the process ends.
SchemeHandler* g_handler = nullptr;
SlowSchemeHandler* g_slow = nullptr;
GThreadPool* g_workers = nullptr;
std::atomic<int> g_inWork{0};

// How many loads a view has started (and whether it is gone): a request made for an
// earlier page is not worth a worker's time once the view has moved on, as it does when
// a slide show steps through pictures that take seconds each to decode.
struct ViewLoads {
  std::atomic<uint64_t> started{0};
};

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer loads) {
  if (event == WEBKIT_LOAD_STARTED) ++static_cast<ViewLoads*>(loads)->started;
}

std::shared_ptr<ViewLoads> LoadsOf(WebKitWebView* view) {
  static const char kKey[] = "kov-view-loads";
  if (view == nullptr) return nullptr;
  auto* held = static_cast<std::shared_ptr<ViewLoads>*>(g_object_get_data(G_OBJECT(view), kKey));
  if (held != nullptr) return *held;
  held = new std::shared_ptr<ViewLoads>(std::make_shared<ViewLoads>());
  g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), held->get());
  g_object_set_data_full(G_OBJECT(view), kKey, held, [](gpointer data) {
    auto* loads = static_cast<std::shared_ptr<ViewLoads>*>(data);
    ++(*loads)->started;  // the view is gone: nothing it asked for is wanted
    delete loads;
  });
  return *held;
}

// A request answered on a worker thread; it holds a reference to the request.
struct SlowRequest {
  WebKitURISchemeRequest* request;
  std::string uri;
  SchemeHandler handler;
  std::shared_ptr<ViewLoads> loads;  // of the view that asked; null for none
  uint64_t loadsWhenAsked;
  SchemeResponse response;

  bool Wanted() const { return !loads || loads->started == loadsWhenAsked; }
};

// Answers the request whole, with the type the handler announced. The body is handed
// over, not copied: a decoded picture may be a hundred megabytes.
void Finish(WebKitURISchemeRequest* request, SchemeResponse response) {
  auto* body = new std::string(std::move(response.body));
  GBytes* bytes = g_bytes_new_with_free_func(
      body->data(), body->size(), [](gpointer owned) { delete static_cast<std::string*>(owned); }, body);
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  const char* mime = response.mimeType.empty() ? "text/html" : response.mimeType.c_str();
  webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(g_bytes_get_size(bytes)), mime);
  g_object_unref(stream);
  g_bytes_unref(bytes);
}

// On the window thread, once the worker has made the answer.
gboolean FinishSlowRequest(gpointer data) {
  auto* slow = static_cast<SlowRequest*>(data);
  Finish(slow->request, std::move(slow->response));
  g_object_unref(slow->request);
  delete slow;
  --g_inWork;
  return G_SOURCE_REMOVE;
}

// A request whose view has moved on while it waited is answered empty, unmade.
void AnswerSlowRequest(gpointer data, gpointer) {
  auto* slow = static_cast<SlowRequest*>(data);
  if (slow->Wanted()) slow->response = slow->handler(slow->uri);
  g_idle_add_full(G_PRIORITY_DEFAULT, FinishSlowRequest, slow, nullptr);
}

void OnSchemeRequest(WebKitURISchemeRequest* request, gpointer) {
  const char* uri = webkit_uri_scheme_request_get_uri(request);
  const std::string address = uri ? uri : "";
  SchemeHandler slowHandler = g_slow && g_workers ? (*g_slow)(address) : SchemeHandler();
  if (!slowHandler) {
    Finish(request, (*g_handler)(address));
    return;
  }
  ++g_inWork;
  auto* slow = new SlowRequest{WEBKIT_URI_SCHEME_REQUEST(g_object_ref(request)), address,
                               std::move(slowHandler), LoadsOf(webkit_uri_scheme_request_get_web_view(request)),
                               0, {}};
  if (slow->loads) slow->loadsWhenAsked = slow->loads->started;
  g_thread_pool_push(g_workers, slow, nullptr);
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

bool CreateWebEngine(const std::string& scheme, SchemeHandler handler, SlowSchemeHandler slow) {
  static bool attempted = false;
  if (attempted) return g_context != nullptr;
  attempted = true;
  if (!handler) return false;
  g_handler = new SchemeHandler(std::move(handler));
  if (slow) {
    g_slow = new SlowSchemeHandler(std::move(slow));
    g_workers = g_thread_pool_new(AnswerSlowRequest, nullptr, kSlowWorkers, FALSE, nullptr);
  }
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

int SlowSchemeRequestsInWork() { return g_inWork; }

}  // namespace kov
