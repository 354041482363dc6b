#pragma once
// The built-in music (BinId::kBackgroundMusic) as a private file. The web engine's
// media player cannot read the kovp scheme, so pages and statements that name
// "kovp://bin/153.mid" are given the URL of this file instead.
#include <string>

namespace kov {

// The address pages and statements use for the built-in music.
extern const char kBuiltInMusicUrl[];

struct BuiltInMusicFile {
  std::string path;  // absolute file path
  std::string url;   // its file:// URL, every byte outside A-Z a-z 0-9 - . _ ~ / $ escaped
};

// Writes the music to <folder>/kov-music.mid (creating folder, mode 0700)
// unless a file with the same bytes is already there. The file is written to
// a temporary name and renamed, so a reader never sees half of it. false when
// the resource is missing, folder is not absolute, or the folder or file
// cannot be made.
bool WriteBuiltInMusic(const std::string& folder, BuiltInMusicFile* out);

// The music file of this process: written on the first call under the user's
// runtime folder (or, failing that, the cache folder) in a "kov" subfolder,
// then remembered. false when neither folder can take it.
bool GetBuiltInMusicFile(BuiltInMusicFile* out);

// text with every occurrence of kBuiltInMusicUrl (letter case ignored)
// replaced by fileUrl.
std::string ReplaceBuiltInMusicUrl(const std::string& text, const std::string& fileUrl);

}  // namespace kov
