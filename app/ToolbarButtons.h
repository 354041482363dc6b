#pragma once
// The toolbar's ten image buttons (kBtnSlideShow to kBtnMaximize) with their starting bitmaps,
// backgrounds and tooltips, placed in a GtkFixed as the toolbar lays them out.
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <vector>

#include "widgets/ImageButton.h"

namespace kov {

class CToolbarButtons {
 public:
  // Makes the buttons in a width x height toolbar whose children `fixed` holds; a
  // click runs onCommand with the button's id. False when they already exist.
  bool Create(GtkFixed* fixed, int width, int height, std::function<void(int)> onCommand);
  // The button with this id; nullptr for any other id.
  CImageButton* Button(int id);

 private:
  std::vector<std::unique_ptr<CImageButton>> buttons_;
};

}  // namespace kov
