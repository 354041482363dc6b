#include "app/WindowHints.h"

#include <string>


namespace kov {

namespace {
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
}  // namespace

bool UseProgramIcon() {
  GList* icons = nullptr;
  for (int size : kIconSizes) {
    std::string path = "/kov/icons/" + std::to_string(size) + ".png";
    if (GdkPixbuf* icon = gdk_pixbuf_new_from_resource(path.c_str(), nullptr)) icons = g_list_append(icons, icon);
  }
  if (icons == nullptr) return false;
  gtk_window_set_default_icon_list(icons);
  g_list_free_full(icons, g_object_unref);
  return true;
}

}  // namespace kov
