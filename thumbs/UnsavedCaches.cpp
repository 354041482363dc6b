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

// A reason names paths as the file system spells them; shown as valid UTF-8.
std::string DisplayReason(const std::string& reason) {
  gchar* shown = g_utf8_make_valid(reason.c_str(), -1);
  std::string text = shown;
  g_free(shown);
  return text;
}
}  // namespace

std::vector<UnsavedCache> FoldersNotYetTold(const std::vector<UnsavedCache>& folders) {
  static std::set<std::string> told;
  std::vector<UnsavedCache> fresh;
  for (const UnsavedCache& unsaved : folders)
    if (told.insert(unsaved.folder).second) fresh.push_back(unsaved);
  return fresh;
}

std::string ListedFoldersText(const std::vector<UnsavedCache>& folders) {
  std::string text;
  for (size_t i = 0; i < folders.size() && i < kListedFolders; ++i) {
    text += "\n" + DisplayName(folders[i].folder);
    if (!folders[i].reason.empty()) text += "\n    " + DisplayReason(folders[i].reason);
  }
  if (folders.size() > kListedFolders)
    text += "\n(and " + std::to_string(folders.size() - kListedFolders) + " more)";
  return text;
}

std::string UnsavedThumbnailsText(const std::vector<UnsavedCache>& folders) {
  if (folders.empty()) return "";
  std::string text = folders.size() == 1
                         ? "The thumbnails of this folder could not be saved:\n"
                         : "The thumbnails of these folders could not be saved:\n";
  text += ListedFoldersText(folders);
  text += "\n\nThey are left without thumbnails.";
  return text;
}

}  // namespace kov
