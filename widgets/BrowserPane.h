#pragma once
// A page view in a window rectangle: every kovp page the viewer shows is shown in
// one. Each pane has its own web view in the process's engine context, its own
// user content manager and its own window.external bridge; script dialogs are
// silenced, the engine's error page and context menu never show, and media may play
// on their own.
#include <webkit2/webkit2.h>

#include <deque>
#include <functional>
#include <string>

#include "pages/gui/ExternalBridge.h"
#include "platform/CommandQueue.h"
#include "platform/Screen.h"
#include "res/CommandIds.h"

namespace kov {

class CBrowserPane {
 public:
  // ok false when the page could not run the expression; json is JSON.stringify's text
  // ("null" when the value has no JSON form).
  using JsonCallback = std::function<void(bool ok, const std::string& json)>;

  CBrowserPane() = default;
  virtual ~CBrowserPane();
  CBrowserPane(const CBrowserPane&) = delete;
  CBrowserPane& operator=(const CBrowserPane&) = delete;

  // Makes the view at rect (parent coordinates) inside parent; parentTarget receives
  // the pane's notices. false when the engine or the view could not be made.
  bool Create(GtkFixed* parent, const Rect& rect, CommandTarget parentTarget);
  // The same with the view filling parent, at whatever size parent is given.
  bool Create(GtkContainer* parent, CommandTarget parentTarget);
  void Move(const Rect& rect);

  // Every operation below does nothing on a pane that was never created.
  void Navigate(const std::string& url);
  void Refresh();
  // Runs the statement in the page's global scope; nothing before a page is there.
  void RunScript(const std::string& statement);
  // Evaluates JSON.stringify(expression) in the page and calls back with the text.
  // Without a page it calls back at once with ok false, so a caller waiting for an
  // answer always gets one; never called when the pane is destroyed first.
  void ReadScriptJson(const std::string& expression, JsonCallback callback);
  // The same with the body of an async function that returns the JSON text itself;
  // the answer comes when the promises it awaits have settled.
  void ReadAsyncScriptJson(const std::string& body, JsonCallback callback);
  std::string GetLocationUrl() const;
  void FocusPage();

  // Where the page's window.external calls post their commands, and the folder whose
  // pictures its thumbnails name; until then the calls post nothing.
  void SetBridgeHost(CommandTarget target, std::function<std::string()> currentFolder) {
    bridge_.target = target;
    bridge_.currentFolder = std::move(currentFolder);
  }

  // When set, right-clicks in this pane show no menu at all.
  void SetNoContextMenu(bool noMenu) { noContextMenu_ = noMenu; }
  WebKitWebView* View() const { return view_; }

 protected:
  virtual void OnDocumentComplete(const std::string& url) {}
  // Whether the load whose finish is being reported failed (its page never came).
  bool LastFinishFailed() const { return lastFinishFailed_; }
  // A right-click that asks for a menu; onImage when it was over a picture; event is
  // the click (valid during the call only). The program's own menu is shown from here;
  // the plain pane shows nothing.
  virtual void OnContextMenu(bool onImage, const std::string& imageUri, GdkEvent* event) {}
  CommandTarget ParentTarget() const { return parentTarget_; }

 private:
  static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
  static gboolean OnDrawWhileHeld(GtkWidget*, cairo_t*, gpointer self);
  static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer);
  static gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer);
  static gboolean OnContextMenuSignal(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*,
                                      WebKitHitTestResult* hit, gpointer self);
  bool MakeView(CommandTarget parentTarget);
  void ConnectSignals();

  WebKitWebView* view_ = nullptr;  // our reference, held for the life of the pane
  WebKitUserContentManager* contentManager_ = nullptr;
  GCancellable* pending_ = nullptr;  // cancels script reads still running at destruction
  CommandTarget parentTarget_ = 0;
  BridgeHost bridge_;
  bool hasDocument_ = false;
  bool noContextMenu_ = false;
  // From the first navigation until the view's first page has loaded (or the view
  // loads nothing any more) its draws are skipped.
  bool drawsHeld_ = false;
  bool firstPageDone_ = false;
  // The address the load under way committed to, or failed at. Its finish can come
  // after a newer navigation has given the view the newer address.
  std::string committedUrl_;
  std::string failedUrl_;
  bool lastFinishFailed_ = false;
};

// A pane that tells its parent (kCmdPageLoaded) each time a page has finished loading;
// the parent checks for itself whether it is the page it waits for.
class CNotifyBrowserPane : public CBrowserPane {
 public:
  // The address of the page whose finish a kCmdPageLoaded reports, oldest first. The pane's
  // current address is no answer: by the time the posted command runs, another
  // navigation may have begun and the view already shows its address.
  std::string TakeFinishedUrl();
  // The same, with whether that load failed: its page never came, and the view still
  // shows the page before it.
  struct FinishedLoad {
    std::string url;
    bool failed = false;
  };
  FinishedLoad TakeFinishedLoad();

 protected:
  void OnDocumentComplete(const std::string& url) override;

 private:
  std::deque<FinishedLoad> finishedLoads_;
};

}  // namespace kov
