#include "tests/gui/ToolTestSupport.h"

#include <gtest/gtest.h>


#include "tests/gui/GuiTestSupport.h"

// X last: its Status macro would clash with names of the headers above.
#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

namespace kov {
namespace test {

void CentreOf(GtkWidget* widget, int* x, int* y) {
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  int inTopX = 0, inTopY = 0, originX = 0, originY = 0;
  gtk_widget_translate_coordinates(widget, top, 0, 0, &inTopX, &inTopY);
  gdk_window_get_origin(gtk_widget_get_window(top), &originX, &originY);
  *x = originX + inTopX + gtk_widget_get_allocated_width(widget) / 2;
  *y = originY + inTopY + gtk_widget_get_allocated_height(widget) / 2;
}

void ClickCentre(GtkWidget* widget) {
  int x = 0, y = 0;
  CentreOf(widget, &x, &y);
  ClickAt(x, y, 1);
  SpinFor(200);
}

void PressButton(bool down) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
  XFlush(display);
  SpinFor(150);
}

void ShowAndWait(GtkWidget* dialog) {
  gtk_widget_show(dialog);
  gtk_window_present(GTK_WINDOW(dialog));
  EXPECT_TRUE(SpinUntil([&] { return gtk_widget_get_mapped(dialog) != FALSE; }));
  SpinFor(300);
}

}  // namespace test
}  // namespace kov
