#pragma once
// A text that behaves like a link in a web page: underlined, the pointing-hand
// cursor over it, blue while the pointer is over it, and a click that opens its
// target with the desktop's default handler without waiting for it. The rules live
// in CHyperlinkBehaviour; this class is its window.
#include <gtk/gtk.h>

#include <string>

#include "tools/HyperlinkBehaviour.h"

namespace kov {

class CHyperlinkLabel : public CHyperlinkBehaviour {
 public:
  CHyperlinkLabel() = default;
  ~CHyperlinkLabel() override = default;
  CHyperlinkLabel(const CHyperlinkLabel&) = delete;
  CHyperlinkLabel& operator=(const CHyperlinkLabel&) = delete;

  // Makes the widget showing text; it is exactly as large as the text, so the
  // clickable area is the text. The caller packs widget() (owned by its parent).
  GtkWidget* Create(const std::string& text);
  GtkWidget* widget() const { return box_; }
  GtkLabel* label() const { return label_; }

  // Opens GetLinkTarget() through the program's launcher.
  virtual void OpenLink();

 private:
  void Paint();
  static gboolean OnEnterNotify(GtkWidget*, GdkEventCrossing* event, gpointer self);
  static gboolean OnLeaveNotify(GtkWidget*, GdkEventCrossing* event, gpointer self);
  static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
  static void OnRealize(GtkWidget* widget, gpointer);
  bool IsInside(double x, double y) const;

  GtkWidget* box_ = nullptr;
  GtkLabel* label_ = nullptr;
  std::string text_;
};

}  // namespace kov
