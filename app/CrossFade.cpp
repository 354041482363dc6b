#include "app/CrossFade.h"

#include <webkit2/webkit2.h>

#include "platform/Trace.h"

namespace kov {

CCrossFade::CCrossFade() : clock_([] { return g_get_monotonic_time(); }) {}

CCrossFade::~CCrossFade() {
  if (pending_ != nullptr) {
    g_cancellable_cancel(pending_);
    g_object_unref(pending_);
  }
  if (tick_ != 0 && cover_ != nullptr) gtk_widget_remove_tick_callback(cover_, tick_);
  if (kept_ != nullptr) cairo_surface_destroy(kept_);
  if (shown_ != nullptr) cairo_surface_destroy(shown_);
}

void CCrossFade::Attach(CPaneDlg& pane) {
  if (cover_ != nullptr || pane.content() == nullptr) return;
  pane_ = &pane;
  cover_ = gtk_drawing_area_new();
  g_signal_connect(cover_, "draw", G_CALLBACK(OnDraw), this);
  // The pane's window takes the cover with it.
  g_signal_connect_swapped(cover_, "destroy", G_CALLBACK(+[](CCrossFade* fade) {
                             fade->cover_ = nullptr;
                             fade->tick_ = 0;
                             fade->pane_ = nullptr;
                           }),
                           this);
  // The cover is added after the page, so it lies above it; it takes no input, so a
  // click during a fade reaches the page.
  gtk_fixed_put(pane.content(), cover_, 0, 0);
  g_signal_connect(cover_, "realize", G_CALLBACK(+[](GtkWidget* widget, gpointer) {
                     cairo_region_t* none = cairo_region_create();
                     gdk_window_input_shape_combine_region(gtk_widget_get_window(widget), none, 0, 0);
                     cairo_region_destroy(none);
                   }),
                   nullptr);
}

void CCrossFade::Resize() {
  if (pane_ == nullptr || pane_->page().View() == nullptr) return;
  GtkWidget* view = GTK_WIDGET(pane_->page().View());
  gtk_widget_set_size_request(cover_, gtk_widget_get_allocated_width(view), gtk_widget_get_allocated_height(view));
}

void CCrossFade::Keep() {
  if (pane_ == nullptr || pane_->page().View() == nullptr) return;
  if (pending_ != nullptr) {
    g_cancellable_cancel(pending_);
    g_object_unref(pending_);
  }
  pending_ = g_cancellable_new();
  webkit_web_view_get_snapshot(pane_->page().View(), WEBKIT_SNAPSHOT_REGION_VISIBLE, WEBKIT_SNAPSHOT_OPTIONS_NONE,
                               pending_, OnSnapshot, this);
}

void CCrossFade::OnSnapshot(GObject* view, GAsyncResult* result, gpointer self) {
  GError* error = nullptr;
  cairo_surface_t* surface = webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, &error);
  if (error != nullptr) {
    bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_error_free(error);
    if (cancelled) return;  // the fade may be gone: self is not touched
  }
  auto* fade = static_cast<CCrossFade*>(self);
  g_clear_object(&fade->pending_);
  if (surface == nullptr) return;
  if (fade->kept_ != nullptr) cairo_surface_destroy(fade->kept_);
  fade->kept_ = surface;
}

bool CCrossFade::Cover() {
  if (cover_ == nullptr || kept_ == nullptr) return false;
  if (shown_ != nullptr) cairo_surface_destroy(shown_);
  shown_ = kept_;
  kept_ = nullptr;
  fadeStart_ = 0;
  Resize();
  gtk_widget_show(cover_);
  gtk_widget_queue_draw(cover_);
  if (tick_ == 0) tick_ = gtk_widget_add_tick_callback(cover_, OnTick, this, nullptr);
  return true;
}

void CCrossFade::OnNextPainted() {
  if (shown_ == nullptr || fadeStart_ != 0) return;
  fadeStart_ = clock_();
  TraceLine("fade begins");
}

void CCrossFade::Drop() {
  if (cover_ != nullptr) gtk_widget_hide(cover_);
  if (tick_ != 0 && cover_ != nullptr) gtk_widget_remove_tick_callback(cover_, tick_);
  tick_ = 0;
  fadeStart_ = 0;
  if (shown_ != nullptr) cairo_surface_destroy(shown_);
  shown_ = nullptr;
}

void CCrossFade::Forget() {
  Drop();
  if (pending_ != nullptr) {
    g_cancellable_cancel(pending_);
    g_clear_object(&pending_);
  }
  if (kept_ != nullptr) cairo_surface_destroy(kept_);
  kept_ = nullptr;
}

double CCrossFade::Strength() const {
  if (shown_ == nullptr) return 0;
  if (fadeStart_ == 0) return 1;
  double left = 1.0 - double(clock_() - fadeStart_) / double(kFadeUs);
  return left < 0 ? 0 : left > 1 ? 1 : left;
}

gboolean CCrossFade::OnTick(GtkWidget*, GdkFrameClock*, gpointer self) {
  auto* fade = static_cast<CCrossFade*>(self);
  if (fade->cover_ == nullptr) return G_SOURCE_REMOVE;
  if (fade->Fading() && fade->Strength() <= 0) {
    fade->tick_ = 0;
    fade->Drop();
    TraceLine("fade ends");
    return G_SOURCE_REMOVE;
  }
  gtk_widget_queue_draw(fade->cover_);
  return G_SOURCE_CONTINUE;
}

gboolean CCrossFade::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* fade = static_cast<CCrossFade*>(self);
  if (fade->shown_ == nullptr) return FALSE;
  cairo_set_source_surface(cr, fade->shown_, 0, 0);
  cairo_paint_with_alpha(cr, fade->Strength());
  ++fade->draws_;
  return FALSE;
}

}  // namespace kov
