#include "tests/gui/ViewerTestSupport.h"

#include <glib/gstdio.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/PathRules.h"
#include "platform/Trace.h"
#include "res/CommandIds.h"
#include "res/CommandNames.h"
#include "platform/gui/WindowRecord.h"
#include "tests/gui/GuiTestSupport.h"

// X last: its macros (None, Bool, Status) clash with names in the headers above.
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

namespace kov {
namespace test {

namespace {

// Whether X sends a key pressed now to window, as X itself answers: the window holds
// the input focus, or the focus follows the pointer and the pointer is over it. The
// toolkit's own idea of the active window lags behind, and without a window manager
// a window that had the focus taken by a dialog is never told it is active again.
bool KeysGoTo(GtkWindow* window) {
  GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(window));
  if (surface == nullptr) return false;
  GdkDisplay* gdkDisplay = gdk_window_get_display(surface);
  Display* display = GDK_WINDOW_XDISPLAY(surface);
  const ::Window root = DefaultRootWindow(display), top = GDK_WINDOW_XID(surface);
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  if (focus == 0) return false;  // None: keys go nowhere
  if (focus == PointerRoot || focus == root) {
    GdkSeat* seat = gdk_display_get_default_seat(gdkDisplay);
    GdkWindow* under = gdk_device_get_window_at_position(gdk_seat_get_pointer(seat), nullptr, nullptr);
    return under != nullptr && gdk_window_get_toplevel(under) == surface;
  }
  // The focus window may be gone by the time it is asked about (a dialog closing, a
  // frame the window manager drops): that is an answer, not an error.
  gdk_x11_display_error_trap_push(gdkDisplay);
  bool inside = false;
  for (::Window at = focus; at != 0 && at != root && !inside;) {
    inside = at == top;
    ::Window rootOf = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, at, &rootOf, &parent, &children, &count)) break;
    if (children != nullptr) XFree(children);
    at = parent;
  }
  gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
  return inside;
}

void RemoveTree(const std::string& path) {
  GDir* dir = g_dir_open(path.c_str(), 0, nullptr);
  if (dir != nullptr) {
    while (const char* name = g_dir_read_name(dir)) {
      std::string child = path + "/" + name;
      if (g_file_test(child.c_str(), G_FILE_TEST_IS_DIR) && !g_file_test(child.c_str(), G_FILE_TEST_IS_SYMLINK))
        RemoveTree(child);
      else
        g_remove(child.c_str());
    }
    g_dir_close(dir);
  }
  g_rmdir(path.c_str());
}

bool RunKovtool(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string tool = std::string(KOV_BINARY_DIR) + "/kovtool";
  argv.push_back(const_cast<char*>(tool.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  gint status = -1;
  bool ran = g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_STDOUT_TO_DEV_NULL, nullptr,
                          nullptr, nullptr, nullptr, &status, nullptr);
  return ran && g_spawn_check_wait_status(status, nullptr);
}

bool ReadJsonInts(CBrowserPane* pane, const std::string& expression, int* a, int* b) {
  std::string json = ReadJson(pane, expression);
  return std::sscanf(json.c_str(), "[%d,%d]", a, b) == 2;
}

}  // namespace

TempTree::TempTree() {
  char* made = g_dir_make_tmp("kov-viewer-XXXXXX", nullptr);
  path_ = made ? made : "";
  g_free(made);
}

TempTree::~TempTree() {
  if (!path_.empty()) RemoveTree(path_);
}

std::string TempTree::Folder(const std::string& relative) const {
  std::string folder = path_ + "/" + relative;
  g_mkdir_with_parents(folder.c_str(), 0755);
  return folder;
}

bool AddPictureWithThumbnail(const std::string& path, unsigned rgb, int width, int height) {
  if (!WritePng(path, width, height, rgb)) return false;
  std::string bmp = path + ".thumb.bmp", gif = path + ".thumb.gif";
  GdkPixbuf* thumb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 120, 90);
  gdk_pixbuf_fill(thumb, (rgb << 8) | 0xff);
  bool saved = gdk_pixbuf_save(thumb, bmp.c_str(), "bmp", nullptr, nullptr);
  g_object_unref(thumb);
  std::string cache = DirName(path) + "/kovthumb.$$$";
  bool ok = saved && RunKovtool({"thumb-gif", bmp, gif}) &&
            RunKovtool({"cache", "add", cache, path, gif, std::to_string(height), std::to_string(width)});
  g_remove(bmp.c_str());
  g_remove(gif.c_str());
  return ok;
}

ViewerRun::ViewerRun(const std::string& pictures, const std::string& startFolder,
                     const std::string& startPicture)
    : settings_(std::make_shared<std::map<std::string, std::string>>()) {
  traceFile_ = scratch_.path() + "/trace.log";
  OpenTrace(traceFile_);
  MainDlgOptions options;
  auto settings = settings_;
  options.treeSources.documents = pictures;
  options.treeSources.settings.get = [settings](const std::string& name, std::string* value) {
    auto found = settings->find(name);
    if (found == settings->end()) return false;
    *value = found->second;
    return true;
  };
  options.treeSources.settings.set = [settings](const std::string& name, const std::string& value) {
    (*settings)[name] = value;
    return true;
  };
  options.treeSources.initialFacts = [pictures] {
    InitialFolderFacts facts;
    facts.pictures = pictures;
    facts.documents = pictures;
    return facts;
  };
  options.builtInMusicUrl = "file:///nonexistent/kov-music.mid";
  options.onEnded = [this] { ended_ = true; };
  options.startFolder = startFolder;
  options.startPicture = startPicture;
  main_ = std::make_unique<CMainDlg>(std::move(options));
  main_->Create();
}

ViewerRun::~ViewerRun() {
  main_.reset();
  SpinFor(50);  // lets the destroyed windows' notices drain
  CloseTrace();
  // A failed test shows what the viewer did, so a failure seen once can be read.
  if (testing::Test::HasFailure()) {
    std::ifstream in(traceFile_);
    std::fprintf(stderr, "viewer trace:\n%s\n",
                 std::string(std::istreambuf_iterator<char>(in), {}).c_str());
  }
}

std::vector<std::string> ViewerRun::Trace() const {
  std::vector<std::string> lines;
  std::ifstream in(traceFile_);
  for (std::string line; std::getline(in, line);) lines.push_back(TraceText(line));
  return lines;
}

int ViewerRun::CountTrace(const std::string& prefix) const {
  int count = 0;
  for (const std::string& line : Trace())
    if (line.rfind(prefix, 0) == 0) ++count;
  return count;
}

bool ViewerRun::WaitForTrace(const std::string& prefix, int count, int timeoutMs) const {
  return SpinUntil([&] { return CountTrace(prefix) >= count; }, timeoutMs);
}

int ViewerRun::CountCommand(int id) const {
  const std::string line = "command " + CommandName(id);
  int count = 0;
  for (const std::string& seen : Trace())
    if (seen == line || seen.rfind(line + " ", 0) == 0) ++count;
  return count;
}

bool ViewerRun::WaitForCommand(int id, int count, int timeoutMs) const {
  return SpinUntil([&] { return CountCommand(id) >= count; }, timeoutMs);
}

bool ViewerRun::DrainCommands() {
  const int seen = CountCommand(kCmdRefreshState);
  return PostCommand(main_->viewer().target(), kCmdRefreshState) && WaitForCommand(kCmdRefreshState, seen + 1);
}

bool ViewerRun::WaitUntilKeysReachViewer() {
  GtkWindow* window = main_->viewerWindow().window();
  return SpinUntil([&] { return main_->toolbar().IsVisible() && KeysGoTo(window); });
}

bool FirstPictureCentre(CBrowserPane* pane, int* x, int* y) {
  return ReadJsonInts(pane,
                      "(function(){var r=document.images[0].getBoundingClientRect();"
                      "return [Math.round(r.left+r.width/2),Math.round(r.top+r.height/2)];})()",
                      x, y);
}

bool WaitUntilLayerInPlace(GtkWidget* layer) {
  return layer != nullptr && SpinUntil([&] {
           Rect placed = LayerOnScreen(layer);
           GdkWindow* window = gtk_widget_get_window(layer);
           int left = 0, top = 0;
           if (window != nullptr) gdk_window_get_origin(window, &left, &top);
           return window != nullptr && gtk_widget_get_mapped(layer) && left == placed.left && top == placed.top;
         });
}

bool CentreInLayer(GtkWidget* layer, GtkWidget* widget, int* x, int* y) {
  if (widget == nullptr || !WaitUntilLayerInPlace(layer)) return false;
  const Rect placed = LayerOnScreen(layer);
  int inLayerX = 0, inLayerY = 0;
  if (!gtk_widget_translate_coordinates(widget, layer, 0, 0, &inLayerX, &inLayerY)) return false;
  *x = placed.left + inLayerX + gtk_widget_get_allocated_width(widget) / 2;
  *y = placed.top + inLayerY + gtk_widget_get_allocated_height(widget) / 2;
  return true;
}

bool ButtonCentre(CToolbarDlg& toolbar, int id, int* x, int* y) {
  return CentreInLayer(toolbar.window(), toolbar.button(id), x, y);
}

bool ClickToolbarButton(CToolbarDlg& toolbar, int id) {
  int x = 0, y = 0;
  CImageButton* button = toolbar.imageButton(id);
  if (button == nullptr || !ButtonCentre(toolbar, id, &x, &y)) return false;
  MovePointerTo(x, y);
  if (!SpinUntil([&] { return button->IsHovering(); })) return false;
  ClickAt(x, y, 1);
  return true;
}

}  // namespace test
}  // namespace kov
