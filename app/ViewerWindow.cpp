#include "app/ViewerWindow.h"

#include "platform/gui/WindowRecord.h"
#include "res/Version.h"

namespace kov {

CViewerWindow::~CViewerWindow() { Destroy(); }

bool CViewerWindow::Create() {
  if (window_ != nullptr) return false;
  window_ = CreateLayerHost(GetScreenRect());
  gtk_window_set_title(window_, kProgramName);
  GtkWidget* content = gtk_bin_get_child(GTK_BIN(window_));
  g_signal_connect(content, "size-allocate", G_CALLBACK(OnAllocated), this);
  Maximise();
  return true;
}

void CViewerWindow::Destroy() {
  if (resizeSource_ != 0) g_source_remove(resizeSource_);
  resizeSource_ = 0;
  if (window_ == nullptr) return;
  GtkWidget* window = GTK_WIDGET(window_);
  window_ = nullptr;
  gtk_widget_destroy(window);
}

void CViewerWindow::Show() {
  if (window_ != nullptr) gtk_widget_show(GTK_WIDGET(window_));
}

void CViewerWindow::Maximise() {
  if (window_ == nullptr) return;
  mode_ = LayoutMode::kMaximized;
  gtk_window_set_decorated(window_, TRUE);
  PlaceWindow(window_, GetScreenRect());
  gtk_window_fullscreen_on_monitor(window_, gtk_window_get_screen(window_), PrimaryMonitorNumber());
}

void CViewerWindow::Restore(const Rect& rect) {
  if (window_ == nullptr) return;
  mode_ = LayoutMode::kRestored;
  gtk_window_unfullscreen(window_);
  gtk_window_set_decorated(window_, TRUE);
  PlaceWindow(window_, rect);
}

void CViewerWindow::Minimise(const Rect& rect) {
  if (window_ == nullptr) return;
  mode_ = LayoutMode::kMinimized;
  gtk_window_unfullscreen(window_);
  gtk_window_set_decorated(window_, FALSE);
  PlaceWindow(window_, rect);
}

Rect CViewerWindow::ContentRect() const {
  if (window_ == nullptr) return Rect{};
  if (width_ > 0) return Rect{0, 0, width_, height_};
  return LayerHostRect(window_);
}

void CViewerWindow::Present() {
  if (window_ == nullptr) return;
  gtk_window_present(window_);
  // Without a window manager nobody raises the window or hands it the keyboard.
  if (GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(window_))) {
    gdk_window_raise(surface);
    gdk_window_focus(surface, GDK_CURRENT_TIME);
  }
}

void CViewerWindow::OnAllocated(GtkWidget*, GdkRectangle* allocation, gpointer data) {
  auto* self = static_cast<CViewerWindow*>(data);
  if (allocation->width == self->width_ && allocation->height == self->height_) return;
  self->width_ = allocation->width;
  self->height_ = allocation->height;
  // The layers are moved once the allocation is over: a layer moved during it would
  // keep the place it has just been given.
  if (self->resizeSource_ != 0) return;
  self->resizeSource_ = g_idle_add_full(G_PRIORITY_HIGH_IDLE, +[](gpointer data) -> gboolean {
    auto* self = static_cast<CViewerWindow*>(data);
    self->resizeSource_ = 0;
    if (self->onResize_) self->onResize_(Rect{0, 0, self->width_, self->height_});
    return G_SOURCE_REMOVE;
  }, self, nullptr);
}

}  // namespace kov
