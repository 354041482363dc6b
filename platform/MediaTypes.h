#pragma once
// Which files are pictures and sounds, and which names the program keeps for its own
// files in an image folder. The folder walker, the builder and the pages all ask here.
#include <string>

namespace kov {

// Reserved names in an image folder (last path component, any letter case).
enum SpecialFileKind {
  kNotSpecial = 0,
  kFolderBackgroundPicture = 1,  // kovbgimg.*
  kFolderBackgroundMusic = 2,    // kovbgsnd.*
  kWebThumbnail = 3,             // kovtn[digits].*
};

// TRUE when the extension (from the last '.' of the whole name) belongs to the media
// type word "image" or "audio": a fixed picture list first, then the MIME type that
// shared-mime-info guesses from the name alone.
bool IsFileOfMediaType(const std::string& name, const std::string& type);
bool IsImageFile(const std::string& name);
bool IsAudioFile(const std::string& name);
int GetSpecialFileKind(const std::string& path);

}  // namespace kov
