#include "pages/PageText.h"

#include <glib.h>

#include "base/TextEscape.h"

namespace kov {

void CUtf8Text::Assign(const std::string& bytes) { text_ = DisplayName(bytes); }

std::string FileUrlOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return "";
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string out = uri ? uri : "";
  g_free(uri);
  return out;
}

std::string PictureUrlOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return "";
  if (g_utf8_validate(path.data(), static_cast<gssize>(path.size()), nullptr)) return FileUrlOf(path);
  return "kovp://picture/" + PercentEncodePath(path);
}

std::string FillTemplate(const std::string& templ, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(templ.size() + 256);
  size_t next = 0;
  for (size_t i = 0; i < templ.size(); ++i) {
    char c = templ[i];
    if (c == '%' && i + 1 < templ.size() && templ[i + 1] == 's') {
      if (next < args.size()) out += args[next];
      ++next;
      ++i;
    } else if (c == '%' && i + 1 < templ.size() && templ[i + 1] == '%') {
      out += '%';
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace kov
