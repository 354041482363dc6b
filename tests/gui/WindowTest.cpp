// Top-level windows placed by the program: X stacking follows the record, maximise
// covers the monitor, keys reach the window before its page, and posted commands run
// in order, also inside a nested loop.
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

// Position of the window among the root's children, bottom to top; -1 when absent.
int XStackIndex(GtkWindow* window) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  ::Window root, parent, *children = nullptr;
  unsigned count = 0;
  XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
  ::Window xid = gdk_x11_window_get_xid(gtk_widget_get_window(GTK_WIDGET(window)));
  int index = -1;
  for (unsigned i = 0; i < count; ++i) {
    if (children[i] == xid) index = static_cast<int>(i);
  }
  if (children) XFree(children);
  return index;
}

}  // namespace

TEST(Windows, XStackingFollowsTheRecordAndMaximiseCoversTheMonitor) {
  GtkWindow* a = CreateTopLevel(Rect{0, 0, 300, 200});
  GtkWindow* b = CreateTopLevel(Rect{100, 100, 400, 300});
  GtkWindow* bar = CreateTopLevel(Rect{0, 0, 50, 20}, /*topmost=*/true);
  WindowId ia = WindowIdOf(a), ib = WindowIdOf(b);
  ASSERT_NE(ia, 0u);
  EXPECT_EQ(WindowOfId(ib), b);
  ShowTopLevel(bar, true);
  ShowTopLevel(a, true);
  ShowTopLevel(b, true);
  SpinFor(200);
  EXPECT_EQ(TopLevelWindows().FrontMost({ia, ib}), ib);
  EXPECT_LT(XStackIndex(a), XStackIndex(b));
  EXPECT_LT(XStackIndex(b), XStackIndex(bar));  // the topmost window stays above

  RaiseTopLevel(a);
  SpinFor(100);
  EXPECT_EQ(TopLevelWindows().FrontMost({ia, ib}), ia);
  EXPECT_GT(XStackIndex(a), XStackIndex(b));
  EXPECT_LT(XStackIndex(a), XStackIndex(bar));

  MaximiseTopLevel(b);
  Rect screen = PrimaryMonitorRect();
  EXPECT_EQ(TopLevelWindows().GetRect(ib).Width(), screen.Width());
  EXPECT_TRUE(SpinUntil([&] {
    GdkWindow* gdk = gtk_widget_get_window(GTK_WIDGET(b));
    int x, y, w, h;
    gdk_window_get_geometry(gdk, &x, &y, &w, &h);
    return x == 0 && y == 0 && w == screen.Width() && h == screen.Height();
  }));
  EXPECT_EQ(GetScreenRect().Width(), screen.Width());  // installed as the screen source

  ShowTopLevel(a, false);
  EXPECT_FALSE(TopLevelWindows().IsVisible(ia));
  EXPECT_EQ(TopLevelWindows().FrontMost({ia, ib}), ib);
  gtk_widget_destroy(GTK_WIDGET(a));
  EXPECT_FALSE(TopLevelWindows().Contains(ia));
  EXPECT_EQ(WindowOfId(ia), nullptr);
  gtk_widget_destroy(GTK_WIDGET(b));
  gtk_widget_destroy(GTK_WIDGET(bar));
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
  FocusTopLevel(window);
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
  target = RegisterCommandTarget([&](int id) {
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
