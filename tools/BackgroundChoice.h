#pragma once
// The folder background dialog's state and decisions, without any window: the
// picture and music shown, which of them the user changed, which preview each
// change asks for, and what OK writes into the folder.
#include <string>

namespace kov {

// The preview the panes behind the dialog are asked to show after a change.
enum class BackgroundPreview {
  kNone,
  kBuiltInMusic,    // music cleared
  kBuiltInPicture,  // picture cleared
  kChosenMusic,     // music chosen: play musicPath()
  kChosenPicture,   // picture chosen: show picturePath()
  kFolderOwn,       // cancelled after a change: the folder's own background again
};

class CBackgroundChoice {
 public:
  // Starts with the folder's own kovbgimg / kovbgsnd files, or none.
  explicit CBackgroundChoice(std::string folder);

  const std::string& folder() const { return folder_; }
  const std::string& picturePath() const { return picturePath_; }
  const std::string& musicPath() const { return musicPath_; }
  bool pictureChanged() const { return pictureChanged_; }
  bool musicChanged() const { return musicChanged_; }

  // The user chose path (a picture when picture is true, else music). The current
  // path again is no change: kNone. Paths compare exactly, as names do here.
  BackgroundPreview Choose(bool picture, const std::string& path);
  // The "X" button: kNone when there was nothing to clear.
  BackgroundPreview Clear(bool picture);
  // What Cancel asks for: the folder's own background when anything was previewed.
  BackgroundPreview Cancel() const;

  // OK: for each kind the user changed, the chosen file is copied in full under a
  // temporary name, the folder's old files of that kind are removed, and the copy
  // is renamed to kovbgsnd / kovbgimg with the chosen file's extension. A cleared
  // kind only loses its old files. A failed copy leaves that kind as it was and
  // gives false with the reason in *error; the other kind is still done. Without an
  // existing folder nothing is written.
  bool Apply(std::string* error) const;

 private:
  std::string folder_;
  std::string picturePath_;
  std::string musicPath_;
  bool pictureChanged_ = false;
  bool musicChanged_ = false;
};

}  // namespace kov
