#include "app/ToolbarButtons.h"

#include "skin/ButtonSkin.h"

namespace kov {

bool CToolbarButtons::Create(GtkFixed* fixed, int width, int height,
                             std::function<void(int)> onCommand) {
  if (!buttons_.empty() || fixed == nullptr) return false;
  for (const ToolbarButtonSpec& spec : ToolbarButtonSpecs()) {
    auto button = std::make_unique<CImageButton>();
    Rect place = ToolbarButtonRect(spec.id, width, height);
    GtkWidget* widget = button->Create(spec.id, place.Width(), place.Height());
    // Every toolbar button shows the same bitmap whether hovered or not.
    button->SetBitmaps(spec.bitmapId, spec.bitmapId);
    button->SetBackColor(spec.background);
    button->SetTooltip(spec.tooltipId);
    button->SetClickHandler(onCommand);
    gtk_fixed_put(fixed, widget, place.left, place.top);
    gtk_widget_show(widget);
    buttons_.push_back(std::move(button));
  }
  return true;
}

CImageButton* CToolbarButtons::Button(int id) {
  for (auto& button : buttons_) {
    if (button->ControlId() == id) return button.get();
  }
  return nullptr;
}

}  // namespace kov
