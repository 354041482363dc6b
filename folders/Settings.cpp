#include "folders/Settings.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "base/PathRules.h"

namespace kov {
namespace {

const char kGroup[] = "Settings";

struct KeyFileDeleter {
  void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

}  // namespace

bool IsSettingName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!g_ascii_isalnum(c) && c != '_' && c != '-' && c != '.') return false;
  return true;
}

namespace {

// Loads the file; missing counts as empty. false when it exists but cannot be read.
bool LoadSettings(GKeyFile* file, bool* exists) {
  GError* error = nullptr;
  std::string path = SettingsFilePath();
  *exists = g_key_file_load_from_file(file, path.c_str(), G_KEY_FILE_KEEP_COMMENTS, &error);
  bool missing = error && error->domain == G_FILE_ERROR && error->code == G_FILE_ERROR_NOENT;
  if (error) g_error_free(error);
  return *exists || missing;
}

// Values are paths, which need not be UTF-8, so they are escaped here with the key
// file's own escapes and stored raw rather than through its UTF-8 string calls.
std::string EscapeSettingValue(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c == ' ' && (i == 0 || i + 1 == value.size())) out += "\\s";  // kept at the ends
    else out.push_back(c);
  }
  return out;
}

std::string UnescapeSettingValue(const std::string& stored) {
  std::string out;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != '\\' || i + 1 == stored.size()) {
      out.push_back(stored[i]);
      continue;
    }
    char c = stored[++i];
    if (c == 's') out.push_back(' ');
    else if (c == 'n') out.push_back('\n');
    else if (c == 'r') out.push_back('\r');
    else if (c == 't') out.push_back('\t');
    else if (c == '\\') out.push_back('\\');
    else out += std::string("\\") + c;  // not an escape: kept as written
  }
  return out;
}

}  // namespace

std::string SettingsFilePath() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  std::string base = configHome && configHome[0] == '/' ? configHome : g_get_user_config_dir();
  return JoinPath(base, "NORVANE/KOV/settings.ini");
}

bool GetSetting(const std::string& name, std::string* value) {
  if (!value || !IsSettingName(name)) return false;
  KeyFile file(g_key_file_new());
  bool exists = false;
  if (!LoadSettings(file.get(), &exists) || !exists) return false;
  gchar* stored = g_key_file_get_value(file.get(), kGroup, name.c_str(), nullptr);
  if (!stored) return false;
  std::string text = UnescapeSettingValue(stored);
  g_free(stored);
  if (text.size() >= PATH_MAX) return false;
  *value = text;
  return true;
}

bool SetSetting(const std::string& name, const char* value) {
  if (!IsSettingName(name)) return false;
  KeyFile file(g_key_file_new());
  bool exists = false;
  if (!LoadSettings(file.get(), &exists)) return false;
  std::string path = SettingsFilePath();
  if (g_mkdir_with_parents(DirName(path).c_str(), 0700) != 0) return false;
  g_key_file_set_value(file.get(), kGroup, name.c_str(), EscapeSettingValue(value ? value : "").c_str());
  // Saving writes a temporary file beside the old one and renames it over it.
  return g_key_file_save_to_file(file.get(), path.c_str(), nullptr);
}

bool GetSwitchSetting(const std::string& name) {
  std::string value;
  return GetSetting(name, &value) && value == "1";
}

bool SetSwitchSetting(const std::string& name, bool on) { return SetSetting(name, on ? "1" : "0"); }

}  // namespace kov
