#include "platform/gui/WidgetPicture.h"

namespace kov {

GdkPixbuf* DrawWidgetPicture(GtkWidget* widget) {
  if (widget == nullptr || !gtk_widget_get_realized(widget)) return nullptr;
  // A change just made (a new label text) leaves a layout pending until the next
  // frame; it is done now, so the picture shows the change.
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  if (GTK_IS_CONTAINER(top)) gtk_container_check_resize(GTK_CONTAINER(top));
  const int width = gtk_widget_get_allocated_width(widget);
  const int height = gtk_widget_get_allocated_height(widget);
  // A widget that was never laid out reports 1 x 1.
  if (width <= 1 || height <= 1) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_t* cr = cairo_create(surface);
  gtk_widget_draw(widget, cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  GdkPixbuf* picture = gdk_pixbuf_get_from_surface(surface, 0, 0, width, height);
  cairo_surface_destroy(surface);
  return picture;
}

}  // namespace kov
