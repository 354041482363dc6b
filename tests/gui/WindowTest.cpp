// The layers of one window follow the record's stacking, keys reach the window
// before its page, and posted commands run in order, also inside a nested loop.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <vector>

#include "pages/gui/KovpScheme.h"
#include "platform/CommandQueue.h"
#include "platform/gui/WindowRecord.h"
#include "tests/gui/GuiTestSupport.h"

using namespace kov;
using namespace kov::test;

namespace {

// A layer of one colour.
GtkWidget* ColourLayer(GtkWindow* host, const Rect& rect, unsigned rgb, bool topmost = false) {
  GtkWidget* layer = CreateLayer(host, rect, topmost);
  GtkWidget* area = gtk_drawing_area_new();
  g_signal_connect(area, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer data) -> gboolean {
                     unsigned c = GPOINTER_TO_UINT(data);
                     cairo_set_source_rgb(cr, (c >> 16) / 255.0, ((c >> 8) & 0xff) / 255.0, (c & 0xff) / 255.0);
                     cairo_paint(cr);
                     return TRUE;
                   }),
                   GUINT_TO_POINTER(rgb));
  gtk_container_add(GTK_CONTAINER(layer), area);
  gtk_widget_show(area);
  ShowLayer(layer, true);
  return layer;
}

}  // namespace

// The pixels follow the record: the raised layer is seen where layers overlap, the
// topmost one stays above, and a layer moved to an empty rectangle is out of sight.
TEST(Windows, LayersAreSeenInTheRecordsOrder) {
  constexpr unsigned kRed = 0xff0000, kBlue = 0x0000ff, kGreen = 0x00ff00;
  GtkWindow* host = CreateLayerHost(Rect{0, 0, 400, 300});
  gtk_window_set_decorated(host, FALSE);
  GtkWidget* a = ColourLayer(host, Rect{0, 0, 300, 200}, kRed);
  GtkWidget* b = ColourLayer(host, Rect{100, 100, 400, 300}, kBlue);
  GtkWidget* bar = ColourLayer(host, Rect{120, 120, 170, 140}, kGreen, /*topmost=*/true);
  RaiseLayer(b);
  gtk_widget_show(GTK_WIDGET(host));
  WindowId ia = WindowIdOf(a), ib = WindowIdOf(b);
  ASSERT_NE(ia, 0u);
  EXPECT_EQ(LayerOfId(ib), b);
  EXPECT_EQ(HostOf(bar), host);
  GtkWidget* seen = GTK_WIDGET(host);
  ASSERT_TRUE(SpinUntil([&] { return PixelAt(seen, 150, 150) == kBlue && PixelAt(seen, 130, 130) == kGreen; }));
  EXPECT_EQ(PixelAt(seen, 50, 50), kRed);
  EXPECT_EQ(TopLevelWindows().FrontMost({ia, ib}), ib);

  RaiseLayer(a);
  EXPECT_EQ(TopLevelWindows().FrontMost({ia, ib}), ia);
  EXPECT_TRUE(SpinUntil([&] { return PixelAt(seen, 150, 150) == kRed; }));
  EXPECT_EQ(PixelAt(seen, 130, 130), kGreen);  // the topmost layer stays above

  MoveLayer(a, Rect{});
  EXPECT_TRUE(TopLevelWindows().IsVisible(ia));
  EXPECT_TRUE(SpinUntil([&] { return PixelAt(seen, 150, 150) == kBlue; }));
  EXPECT_NE(PixelAt(seen, 50, 50), kRed);
  EXPECT_EQ(LayerHostRect(host).Width(), 400);
  EXPECT_EQ(GetScreenRect().Width(), PrimaryMonitorRect().Width());  // installed as the screen source

  gtk_widget_destroy(a);
  EXPECT_FALSE(TopLevelWindows().Contains(ia));
  EXPECT_EQ(LayerOfId(ia), nullptr);
  gtk_widget_destroy(GTK_WIDGET(host));
  EXPECT_FALSE(TopLevelWindows().Contains(ib));
}

// A layer asked to wait for sight is left unmapped under a full cover while it has
// never been drawn, so a page in it keeps no picture of itself; uncovered it is
// drawn, and covered again it stays mapped to come back at once.
TEST(Windows, ALayerIsMappedOnceItIsFirstInSight) {
  constexpr unsigned kRed = 0xff0000, kBlue = 0x0000ff, kGreen = 0x00ff00;
  const Rect whole{0, 0, 400, 300};
  GtkWindow* host = CreateLayerHost(whole);
  gtk_window_set_decorated(host, FALSE);
  GtkWidget* plain = ColourLayer(host, whole, kGreen);  // lowest, waits for nothing
  GtkWidget* under = ColourLayer(host, whole, kRed);
  MapOnceInSight(under);
  GtkWidget* cover = ColourLayer(host, whole, kBlue);
  gtk_widget_show(GTK_WIDGET(host));
  GtkWidget* seen = GTK_WIDGET(host);
  ASSERT_TRUE(SpinUntil([&] { return PixelAt(seen, 200, 150) == kBlue; }));
  EXPECT_FALSE(gtk_widget_get_mapped(under));
  EXPECT_TRUE(gtk_widget_get_mapped(plain));

  ShowLayer(cover, false);
  EXPECT_TRUE(SpinUntil([&] { return PixelAt(seen, 200, 150) == kRed; }));
  ShowLayer(cover, true);
  EXPECT_TRUE(SpinUntil([&] { return PixelAt(seen, 200, 150) == kBlue; }));
  EXPECT_TRUE(gtk_widget_get_mapped(under));
  gtk_widget_destroy(GTK_WIDGET(host));
}

TEST(Windows, KeysReachTheWindowBeforeThePage) {
  SetPageSource([](const std::string&) {
    return PageResponse{"<html><body><script>window.keys = 0;"
                        "addEventListener('keydown', function(){ ++window.keys; });"
                        "</script></body></html>", "text/html"};
  });
  CBrowserPane pane;
  GtkWindow* window = MakePaneWindow(&pane, Rect{0, 0, 300, 200}, 0);
  ASSERT_NE(window, nullptr);
  std::vector<unsigned> windowKeys;
  g_signal_connect(window, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* event, gpointer data) -> gboolean {
                     static_cast<std::vector<unsigned>*>(data)->push_back(event->keyval);
                     return event->keyval == GDK_KEY_F5;  // consumed, as an accelerator
                   }),
                   &windowKeys);
  ASSERT_TRUE(LoadAndWait(&pane, "kovp://t/keys"));
  gdk_window_focus(gtk_widget_get_window(GTK_WIDGET(window)), GDK_CURRENT_TIME);
  pane.FocusPage();
  SpinFor(200);
  PressKey(XK_F5);
  ASSERT_TRUE(SpinUntil([&] { return windowKeys.size() == 1; }));
  EXPECT_EQ(windowKeys[0], unsigned(GDK_KEY_F5));
  SpinFor(200);
  EXPECT_EQ(ReadJson(&pane, "window.keys"), "0");  // the page never saw it
  PressKey(XK_a);
  EXPECT_TRUE(SpinUntil([&] { return ReadJson(&pane, "window.keys") == "1"; }));
  // A key the window lets pass reaches it first (the engine may hand an unused key back
  // once more); the consumed F5 never came again.
  ASSERT_GE(windowKeys.size(), 2u);
  EXPECT_EQ(windowKeys[1], unsigned(GDK_KEY_a));
  EXPECT_EQ(std::count(windowKeys.begin(), windowKeys.end(), unsigned(GDK_KEY_F5)), 1);
  SetPageSource(nullptr);
  gtk_widget_destroy(GTK_WIDGET(window));
}

TEST(PostedCommands, RunLaterInOrderAlsoInsideANestedLoop) {
  std::vector<int> seen;
  bool ranInsideDialog = false;
  GMainLoop* nested = g_main_loop_new(nullptr, FALSE);
  CommandTarget target = 0;
  target = RegisterCommandTarget([&](const Command& command) {
    const int id = command.id;
    seen.push_back(id);
    if (id == 1) {
      // A modal dialog run by a command: what is posted inside it must run inside it.
      PostCommand(target, 3);
      guint guard = g_timeout_add(kEventLimitMs, +[](gpointer loop) -> gboolean {
        g_main_loop_quit(static_cast<GMainLoop*>(loop));
        return G_SOURCE_REMOVE;
      }, nested);
      g_main_loop_run(nested);
      if (seen.back() == 3) g_source_remove(guard);
      PostCommand(target, 4);
    }
    if (id == 3) {
      ranInsideDialog = g_main_loop_is_running(nested);
      g_main_loop_quit(nested);
    }
  });
  PostCommand(target, 1);
  PostCommand(target, 2);
  EXPECT_TRUE(seen.empty());
  ASSERT_TRUE(SpinUntil([&] { return seen.size() >= 4; }));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(ranInsideDialog);
  g_main_loop_unref(nested);
  UnregisterCommandTarget(target);
}
