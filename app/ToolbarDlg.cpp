// The toolbar's layer: its frame, its buttons and their pictures and tooltips.
#include "app/ToolbarDlg.h"

#include "platform/Screen.h"
#include "platform/gui/WindowRecord.h"
#include "res/CommandIds.h"
#include "skin/ToolbarSkin.h"

namespace kov {

CToolbarDlg::~CToolbarDlg() { Destroy(); }

bool CToolbarDlg::Create(GtkWindow* host) {
  if (window_ != nullptr) return false;
  window_ = CreateLayer(host, ToolbarHome(GetScreenRect(), kSize), true);
  if (window_ == nullptr) return false;
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);
  frame_.Attach(window_);
  // A click posts the button's id, so the command runs after the click has finished.
  buttons_.Create(GTK_FIXED(fixed), kSize.width, kSize.height,
                  [this](int id) { PostCommand(target_, id); });
  gtk_widget_show(fixed);
  return true;
}

void CToolbarDlg::Destroy() {
  if (window_ == nullptr) return;
  GtkWidget* window = window_;
  window_ = nullptr;
  gtk_widget_destroy(window);
}

void CToolbarDlg::Show(bool show) {
  if (window_ != nullptr) ShowLayer(window_, show);
}

bool CToolbarDlg::IsVisible() const {
  return window_ != nullptr && TopLevelWindows().IsVisible(WindowIdOf(window_));
}

GtkWidget* CToolbarDlg::button(int id) {
  CImageButton* b = imageButton(id);
  return b == nullptr ? nullptr : b->Widget();
}

void CToolbarDlg::SetTooltip(int buttonId, StringId stringId) {
  if (CImageButton* b = imageButton(buttonId)) b->SetTooltip(stringId);
}

void CToolbarDlg::SetButtonBitmap(int buttonId, BitmapId bitmapId) {
  if (CImageButton* b = imageButton(buttonId)) b->SetBitmaps(bitmapId, bitmapId);
}

void CToolbarDlg::ShowLayout(const LayoutPlan& plan) {
  SetButtonBitmap(kBtnMinimize, plan.minimizeBitmap);
  SetTooltip(kBtnMinimize, plan.minimizeTooltip);
  SetButtonBitmap(kBtnMaximize, plan.maximizeBitmap);
  SetTooltip(kBtnMaximize, plan.maximizeTooltip);
  for (int id : ButtonsDisabledWhenMinimized())
    if (CImageButton* b = imageButton(id)) b->SetEnabled(plan.buttonsEnabled);
}

Rect CToolbarDlg::Place() const { return TopLevelWindows().GetRect(WindowIdOf(window_)); }

Rect CToolbarDlg::ButtonPlace(int id) {
  Rect toolbar = Place();
  GtkWidget* widget = button(id);
  if (widget == nullptr) return toolbar;
  GtkAllocation a;
  gtk_widget_get_allocation(widget, &a);
  return Rect{toolbar.left + a.x, toolbar.top + a.y, toolbar.left + a.x + a.width, toolbar.top + a.y + a.height};
}

void CToolbarDlg::MoveTo(const Rect& place) {
  if (window_ != nullptr) MoveLayer(window_, place);
}

}  // namespace kov
