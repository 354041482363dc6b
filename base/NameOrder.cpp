#include "base/NameOrder.h"

#include <glib.h>

#include <cctype>

namespace kov {

std::string FoldCase(const std::string& text) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    gchar* folded = g_utf8_casefold(text.data(), static_cast<gssize>(text.size()));
    std::string result = folded ? folded : text;
    g_free(folded);
    return result;
  }
  std::string lowered = text;
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lowered;
}

bool NameLess(const std::string& a, const std::string& b) {
  int folded = FoldCase(a).compare(FoldCase(b));
  return folded != 0 ? folded < 0 : a < b;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a == b || FoldCase(a) == FoldCase(b);
}

}  // namespace kov
