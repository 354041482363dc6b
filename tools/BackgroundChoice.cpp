// Choosing, previewing and writing a folder's background picture and music.
#include "tools/BackgroundChoice.h"

#include <glib/gstdio.h>
#include <sys/stat.h>

#include "base/PathRules.h"
#include "pages/FolderBackground.h"
#include "files/FileCopy.h"

namespace kov {
namespace {

// At most this many old files of one kind are removed, so a file that keeps being
// found (one that cannot be removed) cannot hold OK in a loop.
constexpr int kMaxRemovals = 16;

// ".PNG" for "/pics/sunset.PNG"; "" when the file name has no dot after its first
// character.
std::string ExtensionOf(const std::string& path) {
  std::string name = BaseName(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? "" : name.substr(dot);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

// Removes the folder's background files of one kind; a read-only one stays.
void RemoveOldFiles(const std::string& folder, bool picture) {
  std::string found;
  for (int removed = 0; removed < kMaxRemovals && FindFolderBackgroundFile(folder, &found, picture); ++removed) {
    if (IsReadOnlyFile(found) || g_unlink(found.c_str()) != 0) return;
  }
}

// Replaces the folder's background of one kind by a copy of chosen (none when
// chosen is empty or has no extension).
bool ReplaceKind(const std::string& folder, bool picture, const std::string& chosen, std::string* error) {
  std::string extension = ExtensionOf(chosen);
  if (chosen.empty() || extension.empty()) {
    RemoveOldFiles(folder, picture);
    return true;
  }
  std::string temp;
  if (!CopyToTemporary(chosen, folder, 0666, &temp, error)) return false;
  RemoveOldFiles(folder, picture);
  return MoveTemporaryInto(temp, JoinPath(folder, (picture ? "kovbgimg" : "kovbgsnd") + extension), error);
}

}  // namespace

CBackgroundChoice::CBackgroundChoice(std::string folder) : folder_(std::move(folder)) {
  if (!FindFolderBackgroundFile(folder_, &picturePath_, true)) picturePath_.clear();
  if (!FindFolderBackgroundFile(folder_, &musicPath_, false)) musicPath_.clear();
}

BackgroundPreview CBackgroundChoice::Choose(bool picture, const std::string& path) {
  std::string& current = picture ? picturePath_ : musicPath_;
  if (path.empty() || path == current) return BackgroundPreview::kNone;
  current = path;
  (picture ? pictureChanged_ : musicChanged_) = true;
  return picture ? BackgroundPreview::kChosenPicture : BackgroundPreview::kChosenMusic;
}

BackgroundPreview CBackgroundChoice::Clear(bool picture) {
  std::string& current = picture ? picturePath_ : musicPath_;
  if (current.empty()) return BackgroundPreview::kNone;
  current.clear();
  (picture ? pictureChanged_ : musicChanged_) = true;
  return picture ? BackgroundPreview::kBuiltInPicture : BackgroundPreview::kBuiltInMusic;
}

BackgroundPreview CBackgroundChoice::Cancel() const {
  return pictureChanged_ || musicChanged_ ? BackgroundPreview::kFolderOwn : BackgroundPreview::kNone;
}

bool CBackgroundChoice::Apply(std::string* error) const {
  if (!musicChanged_ && !pictureChanged_) return true;
  // Without a folder (no folder open) a join would name the file system's root.
  struct stat info {};
  if (folder_.empty() || stat(folder_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    if (error) *error = "no folder to write to: '" + folder_ + "'";
    return false;
  }
  bool ok = true;
  if (musicChanged_) ok = ReplaceKind(folder_, false, musicPath_, error) && ok;
  if (pictureChanged_) ok = ReplaceKind(folder_, true, picturePath_, error) && ok;
  return ok;
}

}  // namespace kov
