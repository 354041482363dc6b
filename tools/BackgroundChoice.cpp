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

// Removes the folder's background files of one kind; a read-only one stays, and is
// then named in *error.
bool RemoveOldFiles(const std::string& folder, bool picture, std::string* error) {
  std::string found;
  for (int removed = 0; removed < kMaxRemovals && FindFolderBackgroundFile(folder, &found, picture); ++removed) {
    if (IsReadOnlyFile(found) || g_unlink(found.c_str()) != 0) {
      if (error) *error = found + (IsReadOnlyFile(found) ? " is read-only" : " cannot be removed");
      return false;
    }
  }
  return true;
}

// Replaces the folder's background of one kind by a copy of chosen (none when
// chosen is empty or has no extension). A read-only background is the user's to
// keep: the kind is left as it is, or the folder would show the old one still, or
// lose it to a rename.
bool ReplaceKind(const std::string& folder, bool picture, const std::string& chosen, std::string* error) {
  std::string old;
  if (FindFolderBackgroundFile(folder, &old, picture) && IsReadOnlyFile(old)) {
    if (error) *error = old + " is read-only";
    return false;
  }
  std::string extension = ExtensionOf(chosen);
  if (chosen.empty() || extension.empty()) return RemoveOldFiles(folder, picture, error);
  std::string temp;
  if (!CopyToTemporary(chosen, folder, 0666, &temp, error)) return false;
  if (!RemoveOldFiles(folder, picture, error)) {
    g_unlink(temp.c_str());
    return false;
  }
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
