#include "tests/gui/GuiTestSupport.h"

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>
#include <glib/gstdio.h>

#include "platform/gui/WidgetPicture.h"
#include "platform/gui/WindowRecord.h"

namespace kov {
namespace test {

bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
  gint64 end = g_get_monotonic_time() + timeoutMs * 1000LL;
  while (!done()) {
    if (g_get_monotonic_time() > end) return false;
    if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(2000);
  }
  return true;
}

void SpinFor(int ms) {
  gint64 end = g_get_monotonic_time() + ms * 1000LL;
  SpinUntil([&] { return g_get_monotonic_time() >= end; }, ms + 1000);
}

namespace {
GdkPixbuf* GrabWindow(GtkWidget* window) {
  GdkWindow* gdk = gtk_widget_get_window(window);
  if (gdk == nullptr) return nullptr;
  return gdk_pixbuf_get_from_window(gdk, 0, 0, gdk_window_get_width(gdk),
                                    gdk_window_get_height(gdk));
}
}  // namespace

namespace {
// Saves and releases the picture under <build>/screenshots; the path, or "".
std::string SaveInScreenshots(GdkPixbuf* pixbuf, const std::string& name) {
  if (pixbuf == nullptr) return "";
  std::string folder = std::string(KOV_BINARY_DIR) + "/screenshots";
  g_mkdir_with_parents(folder.c_str(), 0755);
  std::string path = folder + "/" + name + ".png";
  bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  return saved ? path : "";
}
}  // namespace

std::string SaveScreenshot(GtkWidget* window, const std::string& name) {
  return SaveInScreenshots(GrabWindow(window), name);
}

std::string SaveDrawnWindow(GtkWidget* window, const std::string& name) {
  return SaveInScreenshots(DrawWidgetPicture(window), name);
}

long PixelAt(GtkWidget* window, int x, int y) {
  GdkPixbuf* pixbuf = GrabWindow(window);
  if (pixbuf == nullptr) return -1;
  long rgb = -1;
  if (x >= 0 && y >= 0 && x < gdk_pixbuf_get_width(pixbuf) && y < gdk_pixbuf_get_height(pixbuf)) {
    const guchar* p = gdk_pixbuf_get_pixels(pixbuf) + y * gdk_pixbuf_get_rowstride(pixbuf) +
                      x * gdk_pixbuf_get_n_channels(pixbuf);
    rgb = (long(p[0]) << 16) | (long(p[1]) << 8) | p[2];
  }
  g_object_unref(pixbuf);
  return rgb;
}

void ClickAt(int x, int y, unsigned button) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XFlush(display);
}

// The server answers the sync only after it has processed the fake input before it,
// and the events that input made reach this client ahead of the answer. A bounded
// number of rounds: handling an event may queue work that queues more.
void HandleGivenInput() {
  gdk_display_sync(gdk_display_get_default());
  for (int round = 0; round < 1000 && g_main_context_pending(nullptr); ++round) {
    g_main_context_iteration(nullptr, FALSE);
  }
}

void MovePointerTo(int x, int y) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XFlush(display);
}

void PressKey(unsigned keysym) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  KeyCode code = XKeysymToKeycode(display, keysym);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
}

bool WritePng(const std::string& path, int width, int height, unsigned rgb) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  if (pixbuf == nullptr) return false;
  gdk_pixbuf_fill(pixbuf, (rgb << 8) | 0xff);
  bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  return saved;
}

GtkWindow* MakePaneWindow(CBrowserPane* pane, const Rect& rect, CommandTarget parent) {
  GtkWindow* window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  gtk_window_set_decorated(window, FALSE);
  PlaceWindow(window, rect);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window), fixed);
  gtk_widget_show(fixed);
  if (!pane->Create(GTK_FIXED(fixed), Rect{0, 0, rect.Width(), rect.Height()}, parent)) {
    gtk_widget_destroy(GTK_WIDGET(window));
    return nullptr;
  }
  gtk_widget_show(GTK_WIDGET(window));
  return window;
}

std::string ReadJson(CBrowserPane* pane, const std::string& expression) {
  // The answer may come after this function gave up waiting: it must not write into
  // a frame that has returned.
  struct Answer {
    bool done = false;
    std::string json;
  };
  auto answer = std::make_shared<Answer>();
  pane->ReadScriptJson(expression, [answer](bool ok, const std::string& json) {
    answer->done = true;
    if (ok) answer->json = json;
  });
  SpinUntil([&] { return answer->done; });
  return answer->json;
}

bool LoadAndWait(CBrowserPane* pane, const std::string& url) {
  pane->Navigate(url);
  return SpinUntil([&] {
    if (pane->GetLocationUrl() != url) return false;
    return webkit_web_view_is_loading(pane->View()) == FALSE;
  }) && ReadJson(pane, "document.readyState") == "\"complete\"";
}

}  // namespace test
}  // namespace kov
