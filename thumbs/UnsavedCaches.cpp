#include "thumbs/UnsavedCaches.h"

#include <glib.h>

#include <set>

namespace kov {

namespace {
// Folders longer than this in one message are counted, not listed.
constexpr size_t kListedFolders = 5;

std::string DisplayName(const std::string& path) {
  gchar* shown = g_filename_display_name(path.c_str());
  std::string text = shown ? shown : path;
  g_free(shown);
  return text;
}
}  // namespace

std::vector<std::string> FoldersNotYetTold(const std::vector<std::string>& folders) {
  static std::set<std::string> told;
  std::vector<std::string> fresh;
  for (const std::string& folder : folders)
    if (told.insert(folder).second) fresh.push_back(folder);
  return fresh;
}

std::string ListedFoldersText(const std::vector<std::string>& folders) {
  std::string text;
  for (size_t i = 0; i < folders.size() && i < kListedFolders; ++i) text += "\n" + DisplayName(folders[i]);
  if (folders.size() > kListedFolders)
    text += "\n(and " + std::to_string(folders.size() - kListedFolders) + " more)";
  return text;
}

std::string UnsavedThumbnailsText(const std::vector<std::string>& folders) {
  if (folders.empty()) return "";
  std::string text = folders.size() == 1
                         ? "The thumbnails of this folder could not be saved:\n"
                         : "The thumbnails of these folders could not be saved:\n";
  text += ListedFoldersText(folders);
  text +=
      "\n\nNeither the folder nor the thumbnail folder in your cache folder can be written. "
      "They are left without thumbnails.";
  return text;
}

}  // namespace kov
