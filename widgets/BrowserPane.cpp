#include "widgets/BrowserPane.h"

#include <algorithm>
#include <vector>

#include "pages/PageMenuContext.h"
#include "pages/gui/ExternalBridge.h"
#include "platform/Trace.h"
#include "platform/gui/WebEngine.h"

namespace kov {

namespace {

struct ScriptRead {
  CBrowserPane::JsonCallback callback;
};

void AnswerScriptRead(ScriptRead* read, JSCValue* value, GError* error) {
  // A cancelled read belongs to a pane that is gone: its callback must not run.
  bool cancelled = error != nullptr && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
  if (!cancelled) {
    std::string json = "null";
    if (value != nullptr && jsc_value_is_string(value)) {
      char* text = jsc_value_to_string(value);
      json = text ? text : "null";
      g_free(text);
    }
    read->callback(value != nullptr, json);
  }
  if (value != nullptr) g_object_unref(value);
  if (error != nullptr) g_error_free(error);
  delete read;
}

void OnScriptRead(GObject* source, GAsyncResult* result, gpointer data) {
  GError* error = nullptr;
  JSCValue* value =
      webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
  AnswerScriptRead(static_cast<ScriptRead*>(data), value, error);
}

void OnAsyncScriptRead(GObject* source, GAsyncResult* result, gpointer data) {
  GError* error = nullptr;
  JSCValue* value = webkit_web_view_call_async_javascript_function_finish(
      WEBKIT_WEB_VIEW(source), result, &error);
  AnswerScriptRead(static_cast<ScriptRead*>(data), value, error);
}

// Every live pane's view. A new view is made related to one of them, so all panes
// share one web process instead of starting one each (each costs 40 to 150 MB).
std::vector<WebKitWebView*>& LiveViews() {
  static std::vector<WebKitWebView*> views;
  return views;
}

WebKitWebView* NewPaneView(WebKitUserContentManager* manager) {
  WebKitWebsitePolicies* policies =
      webkit_website_policies_new_with_policies("autoplay", WEBKIT_AUTOPLAY_ALLOW, nullptr);
  WebKitSettings* settings = webkit_settings_new_with_settings(
      "hardware-acceleration-policy", WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER, nullptr);
  // Drawn without the GPU: on a machine without one, composited drawing runs in
  // software GL and keeps a core busy for seconds after every page.
  WebKitWebView* related = LiveViews().empty() ? nullptr : LiveViews().front();
  // A related view takes its context from the view it is related to; naming the
  // context as well only earns a warning on stderr.
  GtkWidget* view = GTK_WIDGET(
      related ? g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", related, "user-content-manager", manager,
                             "website-policies", policies, "settings", settings, nullptr)
              : g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", WebEngineContext(), "user-content-manager",
                             manager, "website-policies", policies, "settings", settings, nullptr));
  LiveViews().push_back(WEBKIT_WEB_VIEW(view));
  g_object_unref(settings);
  g_object_unref(policies);
  return WEBKIT_WEB_VIEW(view);
}

// The engine would open a dropped file as the pane's page, where its script runs
// with the pane's window.external: the engine's own drop handlers go, and the view
// refuses every drop.
void RefuseDrops(GtkWidget* view) {
  for (const char* signal : {"drag-motion", "drag-leave", "drag-drop", "drag-data-received"})
    g_signal_handlers_disconnect_matched(view, G_SIGNAL_MATCH_ID, g_signal_lookup(signal, GTK_TYPE_WIDGET),
                                         0, nullptr, nullptr, nullptr);
  g_signal_connect(view, "drag-motion",
                   G_CALLBACK(+[](GtkWidget*, GdkDragContext* context, gint, gint, guint time, gpointer) {
                     gdk_drag_status(context, GdkDragAction(0), time);
                     return TRUE;
                   }),
                   nullptr);
  g_signal_connect(view, "drag-drop",
                   G_CALLBACK(+[](GtkWidget*, GdkDragContext* context, gint, gint, guint time, gpointer) {
                     gtk_drag_finish(context, FALSE, FALSE, time);
                     return TRUE;
                   }),
                   nullptr);
}

}  // namespace

CBrowserPane::~CBrowserPane() {
  if (pending_ != nullptr) {
    g_cancellable_cancel(pending_);
    g_object_unref(pending_);
  }
  if (view_ == nullptr) return;
  auto& live = LiveViews();
  live.erase(std::remove(live.begin(), live.end(), view_), live.end());
  g_signal_handlers_disconnect_by_data(view_, this);
  gtk_widget_destroy(GTK_WIDGET(view_));
  g_object_unref(view_);
  g_signal_handlers_disconnect_by_data(contentManager_, &bridge_);  // it names this pane
  g_object_unref(contentManager_);
}

bool CBrowserPane::MakeView(CommandTarget parentTarget) {
  if (view_ != nullptr || WebEngineContext() == nullptr) return false;
  contentManager_ = webkit_user_content_manager_new();
  if (!AttachExternalBridge(contentManager_, &bridge_)) {
    g_clear_object(&contentManager_);
    return false;
  }
  view_ = NewPaneView(contentManager_);
  g_object_ref_sink(view_);

  pending_ = g_cancellable_new();
  parentTarget_ = parentTarget;
  ConnectSignals();
  return true;
}

bool CBrowserPane::Create(GtkFixed* parent, const Rect& rect, CommandTarget parentTarget) {
  if (parent == nullptr || !MakeView(parentTarget)) return false;
  gtk_fixed_put(parent, GTK_WIDGET(view_), rect.left, rect.top);
  Move(rect);
  gtk_widget_show(GTK_WIDGET(view_));
  return true;
}

bool CBrowserPane::Create(GtkContainer* parent, CommandTarget parentTarget) {
  if (parent == nullptr || !MakeView(parentTarget)) return false;
  gtk_container_add(parent, GTK_WIDGET(view_));
  gtk_widget_show(GTK_WIDGET(view_));
  return true;
}

void CBrowserPane::ConnectSignals() {
  // Ahead of every other draw handler and the engine's own.
  g_signal_connect(view_, "draw", G_CALLBACK(OnDrawWhileHeld), this);
  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
  // The engine restarts a page's process by itself; the trace says it happened.
  g_signal_connect(view_, "web-process-terminated",
                   G_CALLBACK(+[](WebKitWebView*, WebKitWebProcessTerminationReason reason, gpointer) {
                     if (TraceEnabled()) TraceLine("web process ended, reason " + std::to_string(int(reason)));
                   }),
                   nullptr);
  RefuseDrops(GTK_WIDGET(view_));
  g_signal_connect(view_, "script-dialog", G_CALLBACK(OnScriptDialog), this);
  g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenuSignal), this);
}

void CBrowserPane::Move(const Rect& rect) {
  if (view_ == nullptr) return;
  GtkWidget* parent = gtk_widget_get_parent(GTK_WIDGET(view_));
  if (GTK_IS_FIXED(parent)) gtk_fixed_move(GTK_FIXED(parent), GTK_WIDGET(view_), rect.left, rect.top);
  gtk_widget_set_size_request(GTK_WIDGET(view_), rect.Width() > 0 ? rect.Width() : 1,
                              rect.Height() > 0 ? rect.Height() : 1);
}

void CBrowserPane::Navigate(const std::string& url) {
  if (view_ == nullptr) return;
  if (!firstPageDone_) drawsHeld_ = true;
  webkit_web_view_load_uri(view_, url.c_str());
}

void CBrowserPane::Refresh() {
  if (view_ != nullptr) webkit_web_view_reload(view_);
}

void CBrowserPane::RunScript(const std::string& statement) {
  if (view_ == nullptr || !hasDocument_) return;
  webkit_web_view_evaluate_javascript(view_, statement.c_str(), -1, nullptr, nullptr, nullptr,
                                      nullptr, nullptr);
}

void CBrowserPane::ReadScriptJson(const std::string& expression, JsonCallback callback) {
  if (!callback) return;
  if (view_ == nullptr || !hasDocument_) {
    callback(false, "");
    return;
  }
  std::string script = "JSON.stringify(" + expression + ")";
  webkit_web_view_evaluate_javascript(view_, script.c_str(), -1, nullptr, nullptr, pending_,
                                      OnScriptRead, new ScriptRead{std::move(callback)});
}

void CBrowserPane::ReadAsyncScriptJson(const std::string& body, JsonCallback callback) {
  if (!callback) return;
  if (view_ == nullptr || !hasDocument_) {
    callback(false, "");
    return;
  }
  webkit_web_view_call_async_javascript_function(view_, body.c_str(), -1, nullptr, nullptr,
                                                 nullptr, pending_, OnAsyncScriptRead,
                                                 new ScriptRead{std::move(callback)});
}

std::string CBrowserPane::GetLocationUrl() const {
  const char* uri = view_ ? webkit_web_view_get_uri(view_) : nullptr;
  return uri ? uri : "";
}

void CBrowserPane::FocusPage() {
  if (view_ != nullptr) gtk_widget_grab_focus(GTK_WIDGET(view_));
}

// Until the engine has given a view its first frame, every draw of the view waits for
// one, up to half a second. While the view's first page loads the engine gives none:
// the page waits for this thread, which hands the engine the page's answer a piece
// at a time between draws, and a draw that came in between stood still for the half
// second. So the view is not drawn (its area shows what lies beneath it) until that
// page has loaded; the loaded page is then drawn in full.
gboolean CBrowserPane::OnDrawWhileHeld(GtkWidget*, cairo_t*, gpointer self) {
  return static_cast<CBrowserPane*>(self)->drawsHeld_;
}

void CBrowserPane::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
  auto* pane = static_cast<CBrowserPane*>(self);
  if (event == WEBKIT_LOAD_COMMITTED) pane->hasDocument_ = true;
  // The view's address is the newest navigation's; a finish can belong to an older
  // one, so each load's own address is kept from its commit (or failure) on.
  if (event == WEBKIT_LOAD_COMMITTED) pane->committedUrl_ = pane->GetLocationUrl();
  if (event != WEBKIT_LOAD_FINISHED) return;
  std::string url = !pane->failedUrl_.empty()      ? pane->failedUrl_
                    : !pane->committedUrl_.empty() ? pane->committedUrl_
                                                   : pane->GetLocationUrl();
  pane->lastFinishFailed_ = !pane->failedUrl_.empty();
  // A first load cut short by a newer one keeps the draws held for the newer one.
  if (!pane->lastFinishFailed_ || !webkit_web_view_is_loading(view)) {
    pane->firstPageDone_ = true;
    // The frames that came meanwhile asked for draws that were skipped.
    if (pane->drawsHeld_) gtk_widget_queue_draw(GTK_WIDGET(view));
    pane->drawsHeld_ = false;
  }
  pane->committedUrl_.clear();
  pane->failedUrl_.clear();
  pane->OnDocumentComplete(url);
}

// TRUE: the engine's own error page never shows; the last page stays.
gboolean CBrowserPane::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* failingUri,
                                    GError* error, gpointer self) {
  static_cast<CBrowserPane*>(self)->failedUrl_ = failingUri ? failingUri : "";
  if (TraceEnabled())
    TraceLine(std::string("load failed ") + (failingUri ? failingUri : "") + ": " +
              (error ? error->message : ""));
  return TRUE;
}

// Pages run silently: alert, confirm and prompt show nothing.
gboolean CBrowserPane::OnScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer) {
  return TRUE;
}

gboolean CBrowserPane::OnContextMenuSignal(WebKitWebView*, WebKitContextMenu* menu, GdkEvent* event,
                                           WebKitHitTestResult* hit, gpointer self) {
  auto* pane = static_cast<CBrowserPane*>(self);
  // A menu without items carries a stale hit test: it is not a real request.
  if (webkit_context_menu_get_n_items(menu) == 0 || pane->noContextMenu_) return TRUE;
  PageHitFacts facts;
  facts.image = webkit_hit_test_result_context_is_image(hit);
  facts.link = webkit_hit_test_result_context_is_link(hit);
  facts.selection = webkit_hit_test_result_context_is_selection(hit);
  facts.editable = webkit_hit_test_result_context_is_editable(hit);
  facts.media = webkit_hit_test_result_context_is_media(hit);
  facts.scrollbar = webkit_hit_test_result_context_is_scrollbar(hit);
  if (!ShowsPageMenu(facts)) return TRUE;  // nor the engine's own
  bool onImage = facts.image;
  const char* imageUri = onImage ? webkit_hit_test_result_get_image_uri(hit) : nullptr;
  pane->OnContextMenu(onImage, imageUri ? imageUri : "", event);
  return TRUE;
}

void CNotifyBrowserPane::OnDocumentComplete(const std::string& url) {
  // A parent that never asks keeps only the latest few.
  constexpr size_t kKeptFinishes = 16;
  if (finishedLoads_.size() == kKeptFinishes) finishedLoads_.pop_front();
  finishedLoads_.push_back(FinishedLoad{url, LastFinishFailed()});
  PostCommand(ParentTarget(), kCmdPageLoaded);
}

CNotifyBrowserPane::FinishedLoad CNotifyBrowserPane::TakeFinishedLoad() {
  if (finishedLoads_.empty()) return FinishedLoad{GetLocationUrl(), false};
  FinishedLoad load = std::move(finishedLoads_.front());
  finishedLoads_.pop_front();
  return load;
}

std::string CNotifyBrowserPane::TakeFinishedUrl() { return TakeFinishedLoad().url; }

}  // namespace kov
