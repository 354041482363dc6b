#pragma once
// The file-type filters of an open-file dialog, written as one string of
// "name|patterns|name|patterns||" (patterns separated by ';').
#include <string>
#include <vector>

namespace kov {

struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;
};

// The filters of text in order; a pair without a name or without patterns ends the
// list. "*.*" means every file, also those without a dot.
std::vector<FileFilter> ParseFileFilters(const std::string& text);

}  // namespace kov
