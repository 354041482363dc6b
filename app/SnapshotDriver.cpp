#include "app/SnapshotDriver.h"

#include <glib/gstdio.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "app/MainDlg.h"
#include "platform/Trace.h"
#include "platform/gui/WidgetPicture.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "thumbs/gui/ThumbBuilderDlg.h"

namespace kov {

namespace {
// Time for the pictures of a drawn page to reach the X screen before it is saved.
constexpr unsigned kSettleMs = 1500;
// The same during the show: well inside its 1 s interval, so the picture that was
// drawn is still the one shown.
constexpr unsigned kShowSettleMs = 400;
constexpr int kToolbarMargin = 24;  // screen around the toolbar in its close-up
constexpr int kCloseUpScale = 4;
constexpr unsigned kWatchdogMs = 60000;
// Saves and releases the picture; false when there is none or it cannot be written.
bool SavePixbuf(GdkPixbuf* pixbuf, const std::string& path) {
  if (pixbuf == nullptr) return false;
  bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  TraceLine("screenshot " + path);
  return saved;
}

}  // namespace

CSnapshotDriver::CSnapshotDriver(CMainDlg& main, std::string folder)
    : main_(main), folder_(std::move(folder)) {}

CSnapshotDriver::~CSnapshotDriver() {
  if (watchdog_ != 0) g_source_remove(watchdog_);
  if (pending_ != 0) g_source_remove(pending_);
  CThumbBuilderDlg::SetStatusObserver(nullptr);
}

void CSnapshotDriver::Start() {
  g_mkdir_with_parents(folder_.c_str(), 0755);
  main_.thumbList().SetPageNotices(nullptr, [this](const std::string& url) { OnListPainted(url); });
  main_.imageView().SetPageNotices(nullptr, [this](const std::string& url) { OnPicturePainted(url); });
  // A folder without current thumbnails is built first: the builder at work, once.
  // Its window is drawn the moment the count first shows, as it is then; waiting for
  // the screen to show it could outlast a fast build.
  CThumbBuilderDlg::SetStatusObserver([this](const std::string& status, GtkWidget* window) {
    if (builderSaved_ || status == kScanningStatus) return;
    builderSaved_ = true;
    SaveBuilder(window);
  });
  watchdog_ = g_timeout_add(kWatchdogMs, +[](gpointer self) -> gboolean {
    auto* driver = static_cast<CSnapshotDriver*>(self);
    driver->watchdog_ = 0;
    driver->Quit();
    return G_SOURCE_REMOVE;
  }, this);
}

void CSnapshotDriver::SaveBuilder(GtkWidget* window) {
  SavePixbuf(DrawWidgetPicture(window), folder_ + "/thumb-builder.png");
}

void CSnapshotDriver::OnListPainted(const std::string& url) {
  if (listDone_ || url.rfind("kovp://thumblst/", 0) != 0) return;
  listDone_ = true;
  After(kSettleMs, &CSnapshotDriver::SaveListAndClick);
}

void CSnapshotDriver::OnPicturePainted(const std::string& url) {
  if (url.rfind("kovp://image/", 0) != 0) return;
  if (!pictureDone_) {
    pictureDone_ = true;
    After(kSettleMs, &CSnapshotDriver::SavePictureAndStartShow);
    return;
  }
  // The show's start shows one picture at once; its first tick brings the second.
  if (showStarted_ && ++picturesInShow_ == 2) After(kShowSettleMs, &CSnapshotDriver::SaveShowStepAndQuit);
}

void CSnapshotDriver::After(unsigned ms, void (CSnapshotDriver::*step)()) {
  struct Call {
    CSnapshotDriver* driver;
    void (CSnapshotDriver::*step)();
  };
  if (pending_ != 0) g_source_remove(pending_);
  pending_ = g_timeout_add_full(G_PRIORITY_DEFAULT, ms, +[](gpointer data) -> gboolean {
    auto* call = static_cast<Call*>(data);
    call->driver->pending_ = 0;
    (call->driver->*call->step)();
    return G_SOURCE_REMOVE;
  }, new Call{this, step}, +[](gpointer data) { delete static_cast<Call*>(data); });
}

// The click goes to the thumbnail's cell through the page's own handler, the path a
// mouse click takes.
void CSnapshotDriver::SaveListAndClick() {
  SaveScreen("thumbnails");
  TraceLine("click first thumbnail");
  main_.thumbList().RunScript("if(document.images.length)document.images[0].click();");
}

void CSnapshotDriver::SavePictureAndStartShow() {
  SaveScreen("picture");
  SaveToolbar("toolbar-in-place");
  showStarted_ = true;
  TraceLine("start slide show at 1 s");
  PostCommand(main_.viewer().target(), kCmdInterval1);
}

void CSnapshotDriver::SaveShowStepAndQuit() {
  CImageButton* play = main_.toolbar().imageButton(kBtnSlideShow);
  TraceLine("slide show button bitmap " + std::to_string(play ? static_cast<int>(play->NormalBitmapId()) : 0));
  SaveScreen("slideshow-step");
  Quit();
}

void CSnapshotDriver::Quit() { PostCommand(main_.viewer().target(), kCmdQuitNow); }

bool CSnapshotDriver::SaveScreen(const std::string& name) {
  GdkWindow* root = gdk_get_default_root_window();
  return SavePixbuf(gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root),
                                               gdk_window_get_height(root)),
                    folder_ + "/" + name + ".png");
}

// The screen around the toolbar, as it is seen over the pane, and the same enlarged
// with whole pixels so that the frame and the shape's corners can be checked.
bool CSnapshotDriver::SaveToolbar(const std::string& name) {
  Rect bar = LayerOnScreen(main_.toolbar().window());
  Rect screen = GetScreenRect();
  Rect crop{std::max(screen.left, bar.left - kToolbarMargin), std::max(screen.top, bar.top - kToolbarMargin),
            std::min(screen.right, bar.right + kToolbarMargin),
            std::min(screen.bottom, bar.bottom + kToolbarMargin)};
  if (crop.Width() <= 0 || crop.Height() <= 0) return false;
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), crop.left, crop.top,
                                               crop.Width(), crop.Height());
  if (shot == nullptr) return false;
  GdkPixbuf* big = gdk_pixbuf_scale_simple(shot, crop.Width() * kCloseUpScale,
                                           crop.Height() * kCloseUpScale, GDK_INTERP_NEAREST);
  bool saved = SavePixbuf(shot, folder_ + "/" + name + ".png");
  return SavePixbuf(big, folder_ + "/" + name + "-" + std::to_string(kCloseUpScale) + "x.png") && saved;
}

}  // namespace kov
