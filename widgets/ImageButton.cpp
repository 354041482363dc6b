#include "widgets/ImageButton.h"

#include "res/StringTable.h"
#include "skin/ButtonSkin.h"
#include "widgets/SkinSurface.h"

namespace kov {

CHoverButton::~CHoverButton() {
  StopTimers();
  if (widget_ != nullptr) {
    g_signal_handlers_disconnect_by_data(widget_, this);
    gtk_widget_destroy(widget_);
  }
}

GtkWidget* CHoverButton::Create(int controlId, int width, int height) {
  if (widget_ != nullptr) return nullptr;
  controlId_ = controlId;
  widget_ = gtk_drawing_area_new();
  gtk_widget_set_size_request(widget_, width, height);
  gtk_widget_add_events(widget_, GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK |
                                     GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                     GDK_BUTTON_RELEASE_MASK);
  g_signal_connect(widget_, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(widget_, "enter-notify-event", G_CALLBACK(OnEnter), this);
  g_signal_connect(widget_, "leave-notify-event", G_CALLBACK(OnLeave), this);
  g_signal_connect(widget_, "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(widget_, "button-press-event", G_CALLBACK(OnPress), this);
  g_signal_connect(widget_, "button-release-event", G_CALLBACK(OnRelease), this);
  g_signal_connect(widget_, "destroy", G_CALLBACK(OnDestroyed), this);
  // The button's own arrow: a window without a cursor shows its parent's, and the
  // toolbar's is the move cursor while the pointer is on its drag rows.
  g_signal_connect(widget_, "realize", G_CALLBACK(+[](GtkWidget* widget, gpointer) {
                     GdkCursor* arrow = gdk_cursor_new_from_name(gtk_widget_get_display(widget), "default");
                     gdk_window_set_cursor(gtk_widget_get_window(widget), arrow);
                     if (arrow != nullptr) g_object_unref(arrow);
                   }),
                   nullptr);
  return widget_;
}

void CHoverButton::SetTooltip(StringId stringId) {
  const char* text = LoadString(stringId);
  if (text != nullptr) SetTooltipText(text);
}

void CHoverButton::SetTooltipText(const std::string& text) {
  tooltipText_ = text;
  // A tip on show follows the new text at once (the quit button's changes with the view).
  if (tooltip_.IsShown()) tooltip_.ShowAt(SplitTooltipLines(tooltipText_), cursorX_, cursorY_);
}

void CHoverButton::SetBackColor(PackedRgb colour) {
  backColour_ = colour;
  Redraw();
}

void CHoverButton::SetEnabled(bool enabled) {
  if (widget_ == nullptr) return;
  if (!enabled) {
    held_ = heldInside_ = false;
    HideTooltip();
  }
  gtk_widget_set_sensitive(widget_, enabled);
  Redraw();
}

bool CHoverButton::IsEnabled() const {
  return widget_ != nullptr && gtk_widget_get_sensitive(widget_);
}

void CHoverButton::Redraw() {
  if (widget_ != nullptr) gtk_widget_queue_draw(widget_);
}

bool CHoverButton::Inside(double x, double y) const {
  return x >= 0 && y >= 0 && x < gtk_widget_get_allocated_width(widget_) &&
         y < gtk_widget_get_allocated_height(widget_);
}

gboolean CHoverButton::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  int w = gtk_widget_get_allocated_width(widget), h = gtk_widget_get_allocated_height(widget);
  SetSourceColour(cr, self->backColour_);
  cairo_paint(cr);
  cairo_save(cr);
  self->DrawContent(cr, w, h, self->IsPressed());
  cairo_restore(cr);
  return TRUE;
}

void CHoverButton::Enter(double rootX, double rootY) {
  if (!hovering_) {
    hovering_ = true;
    OnMouseEntered();
  }
  RestartTooltipDelay(rootX, rootY);
}

void CHoverButton::Leave() {
  hovering_ = false;
  HideTooltip();
  OnMouseLeft();
}

gboolean CHoverButton::OnEnter(GtkWidget*, GdkEventCrossing* event, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  if (self->held_) self->heldInside_ = true;  // back over the held button: pressed again
  self->Enter(event->x_root, event->y_root);
  return FALSE;
}

gboolean CHoverButton::OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  if (self->held_) {
    self->heldInside_ = false;  // a held button pops up while the cursor is away
  }
  self->Leave();
  return FALSE;
}

gboolean CHoverButton::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  if (self->held_) {
    bool inside = self->Inside(event->x, event->y);
    if (inside != self->heldInside_) {
      self->heldInside_ = inside;
      self->Redraw();
    }
    return TRUE;
  }
  self->Enter(event->x_root, event->y_root);
  return TRUE;
}

gboolean CHoverButton::OnPress(GtkWidget*, GdkEventButton* event, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS) return TRUE;
  if (!self->IsEnabled()) return TRUE;
  self->HideTooltip();
  self->held_ = true;
  self->heldInside_ = true;
  self->Redraw();
  return TRUE;
}

gboolean CHoverButton::OnRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  if (event->button != GDK_BUTTON_PRIMARY || !self->held_) return TRUE;
  bool clicked = self->Inside(event->x, event->y) && self->IsEnabled();
  self->held_ = self->heldInside_ = false;
  self->hovering_ = self->Inside(event->x, event->y);
  self->Redraw();
  // Last: the handler may change or destroy this button.
  if (clicked && self->onClick_) {
    auto onClick = self->onClick_;
    onClick(self->controlId_);
  }
  return TRUE;
}

void CHoverButton::OnDestroyed(GtkWidget*, gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  self->StopTimers();
  self->tooltip_.Hide();
  self->widget_ = nullptr;
}

void CHoverButton::RestartTooltipDelay(double rootX, double rootY) {
  cursorX_ = int(rootX);
  cursorY_ = int(rootY);
  if (tooltip_.IsShown() || held_ || tooltipText_.empty() || !IsEnabled()) return;
  if (delayTimer_ != 0) g_source_remove(delayTimer_);
  restStart_ = g_get_monotonic_time();
  delayTimer_ = g_timeout_add(kTooltipDelayMs, OnTooltipDelay, this);
}

gboolean CHoverButton::OnTooltipDelay(gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  self->delayTimer_ = 0;
  if (!self->hovering_ || self->held_ || self->widget_ == nullptr) return G_SOURCE_REMOVE;
  self->tooltip_.ShowAt(SplitTooltipLines(self->tooltipText_), self->cursorX_, self->cursorY_);
  self->tooltipShownAt_ = g_get_monotonic_time();
  if (self->autoPopTimer_ != 0) g_source_remove(self->autoPopTimer_);
  self->autoPopTimer_ = g_timeout_add(kTooltipAutoPopMs, OnTooltipAutoPop, self);
  return G_SOURCE_REMOVE;
}

gboolean CHoverButton::OnTooltipAutoPop(gpointer data) {
  auto* self = static_cast<CHoverButton*>(data);
  self->autoPopTimer_ = 0;
  self->tooltip_.Hide();
  return G_SOURCE_REMOVE;
}

void CHoverButton::HideTooltip() {
  StopTimers();
  tooltip_.Hide();
}

void CHoverButton::StopTimers() {
  if (delayTimer_ != 0) g_source_remove(delayTimer_);
  if (autoPopTimer_ != 0) g_source_remove(autoPopTimer_);
  delayTimer_ = autoPopTimer_ = 0;
}

void CImageButton::SetBitmaps(BitmapId normalId, BitmapId hoverId) {
  normalId_ = normalId;
  normal_ = SkinBitmap{};
  LoadSkinBitmap(normalId, &normal_);
  hoverId_ = hoverId;
  hover_ = SkinBitmap{};
  LoadSkinBitmap(hoverId, &hover_);
  Redraw();
}

void CImageButton::DrawContent(cairo_t* cr, int width, int height, bool pressed) {
  const SkinBitmap& picture = IsHovering() ? hover_ : normal_;
  cairo_surface_t* surface = MakeSkinSurface(picture);
  if (surface == nullptr) return;
  Point at = ButtonContentOrigin(width, height, picture.width, picture.height, pressed);
  cairo_set_source_surface(cr, surface, at.x, at.y);
  cairo_rectangle(cr, at.x, at.y, picture.width, picture.height);
  cairo_fill(cr);
  cairo_surface_destroy(surface);
}

}  // namespace kov
