#pragma once
// Reading back what a test's code wrote: a file's bytes, whether a name exists, a
// folder's names. Shared by the core and window tests.
#include <glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kovtest {

// path's bytes; "<missing>" when it cannot be read, so a missing file never equals
// an empty one.
inline std::string ReadFileText(const std::string& path) {
  gchar* text = nullptr;
  gsize size = 0;
  if (!g_file_get_contents(path.c_str(), &text, &size, nullptr)) return "<missing>";
  std::string out(text, size);
  g_free(text);
  return out;
}

// Whether the name is taken (a dangling link too).
inline bool PathExists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// The names in folder, sorted; none when it cannot be read.
inline std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  if (GDir* dir = g_dir_open(folder.c_str(), 0, nullptr)) {
    while (const gchar* name = g_dir_read_name(dir)) names.push_back(name);
    g_dir_close(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kovtest
