#include "base/NameOrder.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace kov {

namespace {

bool IsAscii(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

// Plain ASCII folds to its lower case, which spares most names the library's call.
std::string FoldCase(const std::string& text) {
  if (IsAscii(text)) return LowerAscii(text);
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    gchar* folded = g_utf8_casefold(text.data(), static_cast<gssize>(text.size()));
    std::string result = folded ? folded : text;
    g_free(folded);
    return result;
  }
  return LowerAscii(text);
}

bool NameLess(const std::string& a, const std::string& b) {
  int folded = FoldCase(a).compare(FoldCase(b));
  return folded != 0 ? folded < 0 : a < b;
}

void SortByName(std::vector<std::string>* names) {
  std::vector<std::pair<std::string, std::string>> keyed;  // folded, name
  keyed.reserve(names->size());
  for (std::string& name : *names) {
    std::string folded = FoldCase(name);
    keyed.emplace_back(std::move(folded), std::move(name));
  }
  std::sort(keyed.begin(), keyed.end());  // folded first, the bytes as tie-break
  for (size_t i = 0; i < keyed.size(); ++i) (*names)[i] = std::move(keyed[i].second);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a == b || FoldCase(a) == FoldCase(b);
}

}  // namespace kov
