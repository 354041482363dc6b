#include "widgets/TooltipWindow.h"

#include "platform/Screen.h"
#include "skin/ButtonSkin.h"
#include "widgets/SkinSurface.h"

namespace kov {

namespace {

constexpr PackedRgb kTipBackColour = 0xFFFFE1;
constexpr PackedRgb kTipBorderColour = 0x000000;

gboolean DrawTipBackground(GtkWidget* widget, cairo_t* cr, gpointer) {
  int w = gtk_widget_get_allocated_width(widget), h = gtk_widget_get_allocated_height(widget);
  SetSourceColour(cr, kTipBorderColour);
  cairo_paint(cr);
  SetSourceColour(cr, kTipBackColour);
  cairo_rectangle(cr, 1, 1, w - 2, h - 2);
  cairo_fill(cr);
  return FALSE;  // the label draws itself over this
}

// Labels take UTF-8; texts of the program are ASCII, anything else is made valid.
std::string JoinedForLabel(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  gchar* valid = g_utf8_make_valid(text.c_str(), gssize(text.size()));
  std::string result = valid;
  g_free(valid);
  return result;
}

}  // namespace

CTooltipWindow::~CTooltipWindow() {
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

void CTooltipWindow::Build() {
  window_ = gtk_window_new(GTK_WINDOW_POPUP);
  gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_TOOLTIP);
  gtk_widget_set_app_paintable(window_, TRUE);
  g_signal_connect(window_, "draw", G_CALLBACK(DrawTipBackground), nullptr);
  g_signal_connect(window_, "destroy", G_CALLBACK(gtk_widget_destroyed), &window_);
  label_ = gtk_label_new("");
  gtk_label_set_line_wrap(GTK_LABEL(label_), TRUE);
  // About the tip's widest extent in characters of the default font.
  gtk_label_set_max_width_chars(GTK_LABEL(label_), kTooltipMaxWidth / 7);
  gtk_widget_set_margin_start(label_, 4);
  gtk_widget_set_margin_end(label_, 4);
  gtk_widget_set_margin_top(label_, 2);
  gtk_widget_set_margin_bottom(label_, 2);
  gtk_container_add(GTK_CONTAINER(window_), label_);
  gtk_widget_show(label_);
}

// The tip takes no input: a click where it covers a button, or the page, reaches
// what lies under it. Set on the X window each time it is shown, since the toolkit
// sets a window's shape again when it maps and sizes it.
void CTooltipWindow::TakeNoInput() {
  GdkWindow* gdk = window_ != nullptr ? gtk_widget_get_window(window_) : nullptr;
  if (gdk == nullptr) return;
  cairo_region_t* none = cairo_region_create();
  gdk_window_input_shape_combine_region(gdk, none, 0, 0);
  cairo_region_destroy(none);
}

void CTooltipWindow::ShowAt(const std::vector<std::string>& lines, int cursorX, int cursorY) {
  if (window_ == nullptr) Build();
  gtk_label_set_text(GTK_LABEL(label_), JoinedForLabel(lines).c_str());
  // A wrapping label asks at least for its narrowest form, a word a line, and the
  // window would take that height: the label is held at its natural width (long
  // lines still wrap at the tip's widest), so the tip is as tall as its lines.
  int minWidth = 0, labelWidth = 0;
  gtk_widget_set_size_request(label_, -1, -1);
  gtk_widget_get_preferred_width(label_, &minWidth, &labelWidth);
  gtk_widget_set_size_request(label_, labelWidth, -1);
  int width = 0, minHeight = 0, height = 0;
  gtk_widget_get_preferred_width(window_, &minWidth, &width);
  gtk_widget_get_preferred_height_for_width(window_, width, &minHeight, &height);
  Rect place = PlaceTooltip({cursorX, cursorY}, width, height, GetScreenRect());
  gtk_window_move(GTK_WINDOW(window_), place.left, place.top);
  gtk_window_resize(GTK_WINDOW(window_), place.Width(), place.Height());
  gtk_widget_show(window_);
  TakeNoInput();
}

void CTooltipWindow::Hide() {
  if (window_ != nullptr) gtk_widget_hide(window_);
}

bool CTooltipWindow::IsShown() const {
  return window_ != nullptr && gtk_widget_get_visible(window_);
}

std::string CTooltipWindow::ShownText() const {
  if (!IsShown()) return "";
  return gtk_label_get_text(GTK_LABEL(label_));
}

}  // namespace kov
