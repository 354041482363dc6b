#pragma once
// The floating toolbar: a small layer above the panes in the viewer's window, with its
// skinned frame, its drag grip and ten buttons with their tooltips. A click posts the
// button's id to the viewer, which decides what it does and sets the buttons' pictures.
#include <gtk/gtk.h>

#include "app/ToolbarButtons.h"
#include "app/ToolbarFrame.h"
#include "app/logic/Layout.h"
#include "platform/CommandQueue.h"

namespace kov {

class CToolbarDlg {
 public:
  // The skinned window's size: its frame bitmaps and button rows are laid out for it.
  static constexpr Size kSize = {kToolbarWidth, kToolbarHeight};

  CToolbarDlg() = default;
  ~CToolbarDlg();
  CToolbarDlg(const CToolbarDlg&) = delete;
  CToolbarDlg& operator=(const CToolbarDlg&) = delete;

  // Makes the hidden layer in host at its home position.
  bool Create(GtkWindow* host);
  // Where the buttons' clicks are posted (nowhere until set).
  void SetCommandTarget(CommandTarget target) { target_ = target; }
  void Destroy();
  void Show(bool show);
  bool IsVisible() const;
  // The toolbar's layer in the viewer's window.
  GtkWidget* window() const { return window_; }
  // The button's widget and the button itself; nullptr for an id that is not one.
  GtkWidget* button(int id);
  CImageButton* imageButton(int id) { return buttons_.Button(id); }

  // A picture shown whether or not the button is hovered, as the show's state and
  // direction are seen at once.
  void SetButtonBitmap(int buttonId, BitmapId bitmapId);
  void SetTooltip(int buttonId, StringId stringId);
  // The minimise and maximise buttons' pictures and tooltips of the layout, and the
  // buttons that work in it.
  void ShowLayout(const LayoutPlan& plan);
  // The toolbar's place in the window and a button's place in it.
  Rect Place() const;
  Rect ButtonPlace(int id);
  void MoveTo(const Rect& place);

 private:
  GtkWidget* window_ = nullptr;
  CommandTarget target_ = 0;
  CToolbarFrame frame_;
  CToolbarButtons buttons_;
};

}  // namespace kov
