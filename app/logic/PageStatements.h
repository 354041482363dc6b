#pragma once
// The script statements the viewer runs in its pages (setInfo, setSnd, setBgImg).
// Every path or text put into a statement travels as an escaped JavaScript string
// literal, and every path as a file:// URL made by GLib, so no file name can break
// out of the statement.
#include <string>

#include "res/Resources.h"  // kBuiltInPictureUrl

namespace kov {

std::string FileUrl(const std::string& path);  // "" when the path is not absolute

std::string SetInfoStatement(const std::string& html);
std::string ClearInfoStatement();
std::string SetSoundStatement(const std::string& url);
std::string SetBackgroundStatement(const std::string& url);

// The information text for a folder without pictures; the folder's path shown as text.
std::string NoImagesStatement(const std::string& folder);

// The information page's music stopped (it stays stopped when setSnd gives it
// another), or playing again.
std::string MuteStatement(bool muted);

// The picture page's view statement for a zoom or turn command; "" for any other.
std::string PictureViewStatement(int command);

// setBgImg with the folder's own kovbgimg picture, or the built-in one.
std::string FolderBackgroundStatement(const std::string& folder);

// Chooses the background music of the current folder and remembers which folder's
// music was applied last, so walking within a folder never restarts the music.
class CFolderMusic {
 public:
  explicit CFolderMusic(std::string builtInMusicUrl) : builtInMusicUrl_(std::move(builtInMusicUrl)) {}
  // The setSnd statement for folder, or "" when folder's music was applied last.
  std::string StatementFor(const std::string& folder);
  // Forgets the last folder, so the next StatementFor a folder gives a statement.
  void Forget() { lastFolder_.clear(); }

 private:
  std::string builtInMusicUrl_;
  std::string lastFolder_;  // "" at start
};

}  // namespace kov
