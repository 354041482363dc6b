#pragma once
// The three panes of the viewer, each a layer of the viewer's window filled by one
// browser pane: the thumbnail list, the single picture and the information page
// (which also plays the background music and shows the no-images text).
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "widgets/BrowserPane.h"

namespace kov {

// The empty page a pane shows when it has nothing else to show.
inline constexpr char kBlankPageUrl[] = "kovp://blank/";

// A browser pane that tells its dialog when a page has finished loading and again
// when the finished page has been drawn to the window.
class CPanePage : public CBrowserPane {
 public:
  using PageNotice = std::function<void(const std::string& url)>;
  void SetNotices(const char* traceName, PageNotice onLoaded, PageNotice onPainted);
  // Told of every finished page once drawn, beside the notices above.
  void SetPaintWatcher(PageNotice watcher) { paintWatcher_ = std::move(watcher); }
  void WatchPaint();
  // Called once, when a page other than the blank one has first been drawn.
  void CallOnceShown(std::function<void()> callback) { onceShown_ = std::move(callback); }
  // Runs the statement, or holds it until the first page has finished loading (a
  // statement given to a page that is not there yet would be lost).
  void RunOrHold(const std::string& statement);
  // Runs the statement once the page at url has finished loading; a later call
  // replaces it.
  void RunAfterLoadOf(const std::string& url, const std::string& statement);
  // Right-clicks that ask for a menu go to handler; without one nothing shows.
  using ContextMenuHandler = std::function<void(bool onImage, const std::string& imageUrl, GdkEvent* event)>;
  void SetContextMenuHandler(ContextMenuHandler handler) { contextMenu_ = std::move(handler); }

 protected:
  void OnDocumentComplete(const std::string& url) override;
  void OnContextMenu(bool onImage, const std::string& imageUri, GdkEvent* event) override {
    if (contextMenu_) contextMenu_(onImage, imageUri, event);
  }

 private:
  static gboolean OnDrawn(GtkWidget*, cairo_t*, gpointer self);

  const char* traceName_ = "";
  PageNotice onLoaded_, onPainted_, paintWatcher_;
  std::function<void()> onceShown_;
  std::string paintPending_;  // the finished page's URL until it has been drawn
  bool firstPageDone_ = false;
  std::vector<std::string> held_;
  std::string afterUrl_, afterStatement_;
  ContextMenuHandler contextMenu_;
};

class CPaneDlg {
 public:
  // A pane without a start URL (nullptr) loads nothing until it is navigated.
  CPaneDlg(const char* traceName, const char* startUrl);
  virtual ~CPaneDlg();
  CPaneDlg(const CPaneDlg&) = delete;
  CPaneDlg& operator=(const CPaneDlg&) = delete;

  // Makes the hidden layer in host at rect, its page filling it, and loads the start page.
  bool Create(GtkWindow* host, const Rect& rect);
  void Destroy();
  // Moves the layer and fits the page to it.
  void Move(const Rect& rect);
  void Show(bool show);
  // Shows the layer in front of the other panes and gives its page the keyboard.
  void Activate();
  bool IsVisible() const;

  void Navigate(const std::string& url);
  // The address of the last navigation ("" before the first).
  const std::string& navigatedUrl() const { return navigated_; }
  void RunScript(const std::string& statement);
  void FocusPage();
  // Called when a page has finished loading, and when it has then been drawn.
  void SetPageNotices(CPanePage::PageNotice onLoaded, CPanePage::PageNotice onPainted) {
    page_.SetNotices(traceName_, std::move(onLoaded), std::move(onPainted));
  }

  // The pane's layer in the viewer's window.
  GtkWidget* window() const { return window_; }
  // What the layer holds: the page, and anything laid over it.
  GtkFixed* content() const { return content_; }
  // The viewer's window, which the pane's dialogs are transient for.
  GtkWindow* dialogParent() const;
  CPanePage& page() { return page_; }
  const char* traceName() const { return traceName_; }

 protected:
  // The layer is to stay unmapped, its page undrawn, until it is first in sight.
  void MapOnceInSightOnCreate() { mapOnceInSight_ = true; }

 private:
  const char* traceName_;
  const char* startUrl_;
  bool mapOnceInSight_ = false;
  GtkWidget* window_ = nullptr;
  GtkFixed* content_ = nullptr;
  std::string navigated_;
  CPanePage page_;
};

class CThumbListDlg : public CPaneDlg {
 public:
  CThumbListDlg() : CPaneDlg("thumbs", kBlankPageUrl) {}
  // Navigates to the list page of the folder's thumbnail cache.
  void ShowFolder(const std::string& folder);
  const std::string& shownFolder() const { return folder_; }

 private:
  std::string folder_;
};

// The picture pane loads nothing until its first picture: a blank start page would be
// made by the one web process before the list page, and one still loading when the
// first picture is asked for would be cut short by it.
class CImageViewDlg : public CPaneDlg {
 public:
  CImageViewDlg() : CPaneDlg("image", nullptr) {}
};

// The information pane's background page is loaded once the first view has been
// drawn (or a view that waits, such as the builder, comes up): at start the one web
// process has the first thumbnail page to make, and this page and its music would
// only hold it back. Statements run before then wait for the page.
// The pane mostly lies under the others, playing the music; until it is first
// brought to the front its page is not drawn, which spares the viewer a
// window-sized picture of it (about 5 MB at 1280 x 1024).
class CInfoDlg : public CPaneDlg {
 public:
  CInfoDlg() : CPaneDlg("info", nullptr) {
    page().SetNoContextMenu(true);
    MapOnceInSightOnCreate();
  }
  // Loads the background page the first time; later calls do nothing.
  void LoadBackground();

 private:
  bool backgroundAsked_ = false;
};

}  // namespace kov
