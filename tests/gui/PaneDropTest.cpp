// A file dropped on a pane never becomes its page: an SVG's script would run there
// with the pane's window.external and could open any picture, or quit.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/BrowserPane.h"

using namespace kov;
using namespace kov::test;

namespace {

struct DragWatch {
  std::string uri;
  GdkDragContext* context = nullptr;
  bool ended = false;
  bool failed = false;  // the drop was refused, or went nowhere
};

// A small window to drag the file's URI from, as a file manager would offer it.
GtkWidget* MakeDragSource(DragWatch* watch, int x, int y) {
  GtkWidget* window = gtk_window_new(GTK_WINDOW_POPUP);
  gtk_window_move(GTK_WINDOW(window), x, y);
  gtk_window_set_default_size(GTK_WINDOW(window), 100, 100);
  GtkWidget* box = gtk_event_box_new();
  gtk_container_add(GTK_CONTAINER(window), box);
  GtkTargetEntry uriList = {const_cast<gchar*>("text/uri-list"), 0, 0};
  gtk_drag_source_set(box, GDK_BUTTON1_MASK, &uriList, 1,
                      GdkDragAction(GDK_ACTION_COPY | GDK_ACTION_MOVE | GDK_ACTION_LINK));
  g_signal_connect(box, "drag-begin", G_CALLBACK(+[](GtkWidget*, GdkDragContext* context, gpointer data) {
                     static_cast<DragWatch*>(data)->context = context;
                   }),
                   watch);
  auto giveUri = +[](GtkWidget*, GdkDragContext*, GtkSelectionData* selection, guint, guint, gpointer data) {
    gchar* uris[] = {const_cast<gchar*>(static_cast<DragWatch*>(data)->uri.c_str()), nullptr};
    gtk_selection_data_set_uris(selection, uris);
  };
  g_signal_connect(box, "drag-data-get", G_CALLBACK(giveUri), watch);
  g_signal_connect(box, "drag-failed", G_CALLBACK(+[](GtkWidget*, GdkDragContext*, GtkDragResult, gpointer data) {
                     static_cast<DragWatch*>(data)->failed = true;
                     return FALSE;
                   }),
                   watch);
  g_signal_connect(box, "drag-end", G_CALLBACK(+[](GtkWidget*, GdkDragContext*, gpointer data) {
                     static_cast<DragWatch*>(data)->ended = true;
                   }),
                   watch);
  gtk_widget_show_all(window);
  return window;
}

void Button(bool down) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
  XFlush(display);
  HandleGivenInput();
}

}  // namespace

TEST(PaneDrop, ADroppedFileIsRefusedAndThePageStays) {
  TempFolder temp;
  const std::string svg = temp.WriteFile(
      "drop.svg",
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\">"
      "<script>window.external.ThumbnailListReport(99)</script><rect width=\"50\" height=\"50\"/></svg>");
  CBrowserPane pane;
  GtkWindow* window = MakePaneWindow(&pane, Rect{0, 0, 400, 300}, 0);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(LoadAndWait(&pane, "kovp://blank/"));
  DragWatch watch;
  gchar* uri = g_filename_to_uri(svg.c_str(), nullptr, nullptr);
  watch.uri = uri;
  g_free(uri);
  GtkWidget* source = MakeDragSource(&watch, 600, 100);
  ASSERT_TRUE(SpinUntil([&] { return gtk_widget_get_mapped(source) != FALSE; }));

  MovePointerTo(650, 150);
  HandleGivenInput();
  Button(true);
  for (int x = 640; x >= 200 && watch.context == nullptr; x -= 10) {  // past the drag threshold
    MovePointerTo(x, 150);
    HandleGivenInput();
  }
  ASSERT_NE(watch.context, nullptr) << "the drag did not start";
  // Over the pane: once its view has seen the motion, a script round trip to the
  // engine's process comes back after the engine's answer to that motion (one
  // connection, in order), and the answer then reaches the drag's source.
  static bool motionSeen = false;
  motionSeen = false;
  guint motion = g_signal_lookup("drag-motion", GTK_TYPE_WIDGET);
  gulong hook = g_signal_add_emission_hook(
      motion, 0, [](GSignalInvocationHint*, guint, const GValue*, gpointer) -> gboolean {
        motionSeen = true;
        return TRUE;
      },
      nullptr, nullptr);
  for (int x = 200; x >= 150 && !motionSeen; x -= 10) {
    MovePointerTo(x, 150);
    HandleGivenInput();
  }
  ASSERT_TRUE(SpinUntil([] { return motionSeen; }));
  g_signal_remove_emission_hook(motion, hook);
  ReadJson(&pane, "1");
  HandleGivenInput();
  Button(false);
  ASSERT_TRUE(SpinUntil([&] { return watch.ended; }));
  EXPECT_TRUE(watch.failed);
  EXPECT_EQ(pane.GetLocationUrl(), "kovp://blank/");
  gtk_widget_destroy(source);
  gtk_widget_destroy(GTK_WIDGET(window));
}
