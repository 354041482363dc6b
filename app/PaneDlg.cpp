#include "app/PaneDlg.h"

#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "platform/gui/WindowRecord.h"
#include "thumbs/CacheLocation.h"

namespace kov {

void CPanePage::SetNotices(const char* traceName, PageNotice onLoaded, PageNotice onPainted) {
  traceName_ = traceName;
  onLoaded_ = std::move(onLoaded);
  onPainted_ = std::move(onPainted);
}

void CPanePage::WatchPaint() {
  if (View() != nullptr) g_signal_connect_after(View(), "draw", G_CALLBACK(OnDrawn), this);
}

void CPanePage::RunOrHold(const std::string& statement) {
  if (firstPageDone_)
    RunScript(statement);
  else
    held_.push_back(statement);
}

void CPanePage::RunAfterLoadOf(const std::string& url, const std::string& statement) {
  afterUrl_ = url;
  afterStatement_ = statement;
}

void CPanePage::OnDocumentComplete(const std::string& url) {
  TraceEvent("loaded", traceName_, url);
  if (!firstPageDone_) {
    firstPageDone_ = true;
    for (const std::string& statement : held_) RunScript(statement);
    held_.clear();
  }
  if (!afterUrl_.empty() && url == afterUrl_ && !LastFinishFailed()) {
    if (TraceEnabled()) TraceLine(std::string("script ") + traceName_ + " " + afterStatement_);
    RunScript(afterStatement_);
    afterUrl_.clear();
    afterStatement_.clear();
  }
  paintPending_ = url;
  // The page may have been drawn bit by bit already; one more frame shows it whole.
  if (View() != nullptr) gtk_widget_queue_draw(GTK_WIDGET(View()));
  if (onLoaded_) onLoaded_(url);
}

gboolean CPanePage::OnDrawn(GtkWidget*, cairo_t*, gpointer self) {
  auto* page = static_cast<CPanePage*>(self);
  if (page->paintPending_.empty()) return FALSE;
  std::string url;
  url.swap(page->paintPending_);
  TraceEvent("painted", page->traceName_, url);
  if (page->onPainted_) page->onPainted_(url);
  if (page->paintWatcher_) page->paintWatcher_(url);
  if (page->onceShown_ && url.rfind(kBlankPageUrl, 0) != 0) {
    std::function<void()> once = std::move(page->onceShown_);
    page->onceShown_ = nullptr;
    once();
  }
  return FALSE;
}

CPaneDlg::CPaneDlg(const char* traceName, const char* startUrl)
    : traceName_(traceName), startUrl_(startUrl) {
  page_.SetNotices(traceName, nullptr, nullptr);
}

CPaneDlg::~CPaneDlg() { Destroy(); }

bool CPaneDlg::Create(GtkWindow* host, const Rect& rect) {
  if (window_ != nullptr) return false;
  window_ = CreateLayer(host, rect);
  if (window_ == nullptr) return false;
  if (mapOnceInSight_) MapOnceInSight(window_);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);
  gtk_widget_show(fixed);
  content_ = GTK_FIXED(fixed);
  // A pane whose page could not be made stays an empty layer.
  if (page_.Create(GTK_FIXED(fixed), Rect{0, 0, rect.Width(), rect.Height()}, 0)) {
    page_.WatchPaint();
    if (startUrl_ != nullptr) Navigate(startUrl_);
  }
  return true;
}

void CPaneDlg::Destroy() {
  if (window_ == nullptr) return;
  GtkWidget* window = window_;
  window_ = nullptr;
  content_ = nullptr;
  gtk_widget_destroy(window);
}

void CPaneDlg::Move(const Rect& rect) {
  if (window_ == nullptr) return;
  MoveLayer(window_, rect);
  // Out of sight the page keeps its size, so it is not laid out for a size nobody sees.
  if (rect.Width() > 0 && rect.Height() > 0) page_.Move(Rect{0, 0, rect.Width(), rect.Height()});
}

void CPaneDlg::Show(bool show) {
  if (window_ != nullptr) ShowLayer(window_, show);
}

void CPaneDlg::Activate() {
  if (window_ == nullptr) return;
  ShowLayer(window_, true);
  page_.FocusPage();
}

GtkWindow* CPaneDlg::dialogParent() const { return HostOf(window_); }

bool CPaneDlg::IsVisible() const {
  return window_ != nullptr && TopLevelWindows().IsVisible(WindowIdOf(window_));
}

void CPaneDlg::Navigate(const std::string& url) {
  TraceNavigate(traceName_, url);
  navigated_ = url;
  page_.Navigate(url);
}

void CPaneDlg::RunScript(const std::string& statement) {
  if (TraceEnabled()) TraceLine(std::string("script ") + traceName_ + " " + statement);
  page_.RunOrHold(statement);
}

void CPaneDlg::FocusPage() {
  if (window_ == nullptr) return;
  RaiseLayer(window_);
  page_.FocusPage();
}

void CInfoDlg::LoadBackground() {
  if (backgroundAsked_) return;
  backgroundAsked_ = true;
  Navigate("kovp://background/");
}

void CThumbListDlg::ShowFolder(const std::string& folder) {
  folder_ = folder;
  Navigate("kovp://thumblst/" + PercentEncodePath(GetCachePath(folder, true)));
}

}  // namespace kov
