#include "app/SnapshotDriver.h"

#include <glib/gstdio.h>
#include <gtk/gtk.h>

#include "app/MainDlg.h"
#include "app/logic/Commands.h"
#include "platform/Trace.h"

namespace kov {

namespace {
// Time for the pictures of a drawn page to reach the X screen before it is saved.
constexpr unsigned kSettleMs = 1500;
constexpr unsigned kWatchdogMs = 60000;
}  // namespace

CSnapshotDriver::CSnapshotDriver(CMainDlg& main, std::string folder)
    : main_(main), folder_(std::move(folder)) {}

CSnapshotDriver::~CSnapshotDriver() {
  if (watchdog_ != 0) g_source_remove(watchdog_);
  if (pending_ != 0) g_source_remove(pending_);
}

void CSnapshotDriver::Start() {
  g_mkdir_with_parents(folder_.c_str(), 0755);
  main_.thumbList().SetPageNotices(nullptr, [this](const std::string& url) { OnListPainted(url); });
  main_.imageView().SetPageNotices(nullptr, [this](const std::string& url) { OnPicturePainted(url); });
  watchdog_ = g_timeout_add(kWatchdogMs, +[](gpointer self) -> gboolean {
    auto* driver = static_cast<CSnapshotDriver*>(self);
    driver->watchdog_ = 0;
    driver->Quit();
    return G_SOURCE_REMOVE;
  }, this);
}

void CSnapshotDriver::OnListPainted(const std::string& url) {
  if (listDone_ || url.rfind("kovp://thumblst/", 0) != 0) return;
  listDone_ = true;
  After(kSettleMs, &CSnapshotDriver::SaveListAndClick);
}

void CSnapshotDriver::OnPicturePainted(const std::string& url) {
  if (pictureDone_ || url.rfind("kovp://image/", 0) != 0) return;
  pictureDone_ = true;
  After(kSettleMs, &CSnapshotDriver::SavePictureAndQuit);
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

void CSnapshotDriver::SavePictureAndQuit() {
  SaveScreen("picture");
  Quit();
}

void CSnapshotDriver::Quit() { PostCommand(main_.toolbar().target(), kCmdQuitNow); }

bool CSnapshotDriver::SaveScreen(const std::string& name) {
  GdkWindow* root = gdk_get_default_root_window();
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root),
                                                 gdk_window_get_height(root));
  if (pixbuf == nullptr) return false;
  std::string path = folder_ + "/" + name + ".png";
  bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  TraceLine("screenshot " + path);
  return saved;
}

}  // namespace kov
