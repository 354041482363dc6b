#include "res/BuiltInMusic.h"

#include <glib.h>
#include <glib/gstdio.h>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "res/Resources.h"

namespace kov {

const char kBuiltInMusicUrl[] = "kovp://bin/153.mid";

namespace {

const char kMusicFileName[] = "kov-music.mid";

// True when path holds exactly bytes.
bool FileHasBytes(const std::string& path, const std::string& bytes) {
  gchar* contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr)) return false;
  const bool same = length == bytes.size() && bytes.compare(0, length, contents, length) == 0;
  g_free(contents);
  return same;
}

bool TryFolder(const char* base, BuiltInMusicFile* out) {
  if (!base || !*base) return false;
  return WriteBuiltInMusic(JoinPath(base, "kov"), out);
}

}  // namespace

bool WriteBuiltInMusic(const std::string& folder, BuiltInMusicFile* out) {
  std::string music;
  if (!out || folder.empty() || folder[0] != '/') return false;
  if (!LoadResourceBytes(BinId::kBackgroundMusic, &music)) return false;
  if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) return false;
  const std::string path = JoinPath(folder, kMusicFileName);
  if (!FileHasBytes(path, music)) {
    // g_file_set_contents writes a temporary file in the same folder and
    // renames it over the old one.
    if (!g_file_set_contents(path.c_str(), music.data(), static_cast<gssize>(music.size()), nullptr)) {
      return false;
    }
  }
  out->path = path;
  out->url = "file://" + PercentEncodePath(path);
  return true;
}

bool GetBuiltInMusicFile(BuiltInMusicFile* out) {
  // Written once per process; later calls return the remembered file.
  static BuiltInMusicFile cached;
  static bool ready = false;
  if (!out) return false;
  if (!ready) {
    ready = TryFolder(g_get_user_runtime_dir(), &cached) || TryFolder(g_get_user_cache_dir(), &cached);
    if (!ready) return false;
  }
  *out = cached;
  return true;
}

std::string ReplaceBuiltInMusicUrl(const std::string& text, const std::string& fileUrl) {
  const size_t n = sizeof(kBuiltInMusicUrl) - 1;
  std::string result;
  size_t i = 0;
  while (i < text.size()) {
    if (text.size() - i >= n && g_ascii_strncasecmp(text.c_str() + i, kBuiltInMusicUrl, n) == 0) {
      result += fileUrl;
      i += n;
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace kov
