#include <gio/gio.h>
#include <strings.h>

#include <cctype>

#include "base/PathRules.h"
#include "platform/MediaTypes.h"

namespace kov {
namespace {

bool EqualsNoCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// The MIME type shared-mime-info gives a name by its extension alone (no file read).
std::string GuessMimeType(const std::string& extension) {
  std::string probe = "file" + extension;
  gboolean uncertain = FALSE;
  gchar* type = g_content_type_guess(probe.c_str(), nullptr, 0, &uncertain);
  gchar* mime = type ? g_content_type_get_mime_type(type) : nullptr;
  std::string result = mime ? mime : "";
  g_free(mime);
  g_free(type);
  return result;
}

}  // namespace

bool IsFileOfMediaType(const std::string& name, const std::string& type) {
  if (name.empty() || type.empty()) return false;
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = name.substr(dot);
  if (extension.find('/') != std::string::npos) return false;  // the dot is in a folder name
  if (EqualsNoCase(type, "image")) {
    for (const char* known : {".gif", ".bmp", ".ico", ".wmf", ".jpg"})
      if (EqualsNoCase(extension, known)) return true;
  }
  std::string mime = GuessMimeType(extension);
  if (mime.empty() || mime == "application/octet-stream") return false;
  std::string media = mime.substr(0, mime.find('/'));
  return EqualsNoCase(media, type.c_str());
}

bool IsImageFile(const std::string& name) { return IsFileOfMediaType(name, "image"); }
bool IsAudioFile(const std::string& name) { return IsFileOfMediaType(name, "audio"); }

int GetSpecialFileKind(const std::string& path) {
  std::string base = BaseName(path);
  size_t dot = base.rfind('.');
  if (base.empty() || dot == std::string::npos) return kNotSpecial;
  base.resize(dot);
  if (EqualsNoCase(base, "kovbgimg")) return kFolderBackgroundPicture;
  if (EqualsNoCase(base, "kovbgsnd")) return kFolderBackgroundMusic;
  while (!base.empty() && std::isdigit(static_cast<unsigned char>(base.back()))) base.pop_back();
  if (EqualsNoCase(base, "kovtn")) return kWebThumbnail;
  return kNotSpecial;
}

}  // namespace kov
