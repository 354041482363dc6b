// The link label's window: an event box around an underlined label.
#include "tools/gui/HyperlinkLabel.h"

#include "platform/UriLauncher.h"

namespace kov {
namespace {

constexpr char kNormalColour[] = "#000000";
constexpr char kHoverColour[] = "#0000ff";

void SetCursor(GtkWidget* widget, const char* name) {
  GdkWindow* window = gtk_widget_get_window(widget);
  if (window == nullptr) return;
  GdkCursor* cursor = gdk_cursor_new_from_name(gtk_widget_get_display(widget), name);
  gdk_window_set_cursor(window, cursor);  // a missing cursor name leaves the default
  if (cursor != nullptr) g_object_unref(cursor);
}

}  // namespace

GtkWidget* CHyperlinkLabel::Create(const std::string& text) {
  text_ = text;
  box_ = gtk_event_box_new();
  label_ = GTK_LABEL(gtk_label_new(nullptr));
  gtk_container_add(GTK_CONTAINER(box_), GTK_WIDGET(label_));
  // Only the text takes clicks: the box never grows beyond its label.
  gtk_widget_set_halign(box_, GTK_ALIGN_CENTER);
  gtk_widget_set_valign(box_, GTK_ALIGN_CENTER);
  gtk_widget_add_events(box_, GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK | GDK_BUTTON_PRESS_MASK |
                                  GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
  g_signal_connect(box_, "realize", G_CALLBACK(OnRealize), nullptr);
  g_signal_connect(box_, "enter-notify-event", G_CALLBACK(OnEnterNotify), this);
  g_signal_connect(box_, "leave-notify-event", G_CALLBACK(OnLeaveNotify), this);
  g_signal_connect(box_, "button-press-event", G_CALLBACK(OnButtonPress), this);
  g_signal_connect(box_, "button-release-event", G_CALLBACK(OnButtonRelease), this);
  g_signal_connect(box_, "motion-notify-event", G_CALLBACK(OnMotion), this);
  Paint();
  return box_;
}

void CHyperlinkLabel::OpenLink() { GetUriLauncher().LaunchDefault(GetLinkTarget(text_)); }

// Blue while the pointer is over the label, black otherwise; always underlined.
void CHyperlinkLabel::Paint() {
  gchar* markup = g_markup_printf_escaped("<span underline=\"single\" foreground=\"%s\">%s</span>",
                                          hovering() ? kHoverColour : kNormalColour, text_.c_str());
  gtk_label_set_markup(label_, markup);
  g_free(markup);
}

bool CHyperlinkLabel::IsInside(double x, double y) const {
  GtkAllocation box;
  gtk_widget_get_allocation(box_, &box);
  return x >= 0 && y >= 0 && x < box.width && y < box.height;
}

// The pointing hand is the box's own cursor, so X shows it exactly over the text.
void CHyperlinkLabel::OnRealize(GtkWidget* widget, gpointer) { SetCursor(widget, "pointer"); }

gboolean CHyperlinkLabel::OnEnterNotify(GtkWidget*, GdkEventCrossing* event, gpointer self) {
  auto* label = static_cast<CHyperlinkLabel*>(self);
  if (label->pressed()) return FALSE;  // coming back during a press only changes the cursor
  label->OnEnter(label->text_);
  label->Paint();
  return FALSE;
}

gboolean CHyperlinkLabel::OnLeaveNotify(GtkWidget*, GdkEventCrossing* event, gpointer self) {
  auto* label = static_cast<CHyperlinkLabel*>(self);
  // An inferior crossing (into the label's own text window) is not leaving.
  if (event->detail == GDK_NOTIFY_INFERIOR) return FALSE;
  label->OnLeave();
  label->Paint();
  return FALSE;
}

gboolean CHyperlinkLabel::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  if (event->button != 1 || event->type != GDK_BUTTON_PRESS) return FALSE;
  static_cast<CHyperlinkLabel*>(self)->OnPress();
  return TRUE;  // the press grabs the pointer until the release
}

// While the press lasts the pointer may wander: the hand shows only over the label.
gboolean CHyperlinkLabel::OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self) {
  auto* label = static_cast<CHyperlinkLabel*>(self);
  if (label->pressed()) SetCursor(widget, label->IsInside(event->x, event->y) ? "pointer" : "default");
  return FALSE;
}

gboolean CHyperlinkLabel::OnButtonRelease(GtkWidget* widget, GdkEventButton* event, gpointer self) {
  if (event->button != 1) return FALSE;
  auto* label = static_cast<CHyperlinkLabel*>(self);
  bool open = label->OnRelease(label->IsInside(event->x, event->y));
  SetCursor(widget, "pointer");
  label->Paint();
  if (open) label->OpenLink();
  return TRUE;
}

}  // namespace kov
