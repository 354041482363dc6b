// Parsing "name|patterns|...||" filter strings.
#include "files/FileFilter.h"

#include <sstream>

namespace kov {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

}  // namespace

std::vector<FileFilter> ParseFileFilters(const std::string& text) {
  std::vector<FileFilter> filters;
  std::vector<std::string> fields = Split(text, '|');
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    if (fields[i].empty() || fields[i + 1].empty()) break;
    FileFilter filter{fields[i], {}};
    for (const std::string& pattern : Split(fields[i + 1], ';'))
      if (!pattern.empty()) filter.patterns.push_back(pattern == "*.*" ? "*" : pattern);
    filters.push_back(filter);
  }
  return filters;
}

}  // namespace kov
