#pragma once
// The folders the program remembers between runs: string values in the group
// [Settings] of $XDG_CONFIG_HOME/NORVANE/KOV/settings.ini. Callers read a value when
// they need it and write it when the user confirms a choice; there is no cache.
#include <string>

namespace kov {

// The names of the values the program keeps.
constexpr const char kImageFolderSetting[] = "imgfolder";
constexpr const char kWebThumbImageFolderSetting[] = "webthumbimgdir";
constexpr const char kCopyToSetting[] = "copytodir";
constexpr const char kMoveToSetting[] = "movetodir";
// Switches the viewer remembers: "1" on, anything else (or nothing stored) off.
constexpr const char kCaptionSetting[] = "caption";
constexpr const char kMuteSetting[] = "mute";
// The slide show's cross-fade is on unless this holds "0".
constexpr const char kCrossFadeSetting[] = "crossfade";

// The settings file. The config folder is looked up on every call ($XDG_CONFIG_HOME
// when it is an absolute path), so a changed environment takes effect at once.
std::string SettingsFilePath();

// true when name can be a setting's name: letters, digits, '_', '-' and '.'; other
// bytes could break the file's syntax.
bool IsSettingName(const std::string& name);

// true and the value when it is stored; false when the file, the group or the value
// is missing, the name is not a plain word, or the value is PATH_MAX bytes or
// longer. Reading never creates anything.
bool GetSetting(const std::string& name, std::string* value);

// Stores the value (null is stored as ""), keeping every other value and group.
// Creates the folders as needed and replaces the file atomically. false when the
// name is not a plain word or the file cannot be read or written; an existing file
// that cannot be read is left as it is.
bool SetSetting(const std::string& name, const char* value);
inline bool SetSetting(const std::string& name, const std::string& value) {
  return SetSetting(name, value.c_str());
}

// A switch: true only when the value stored is "1". Reading never creates anything.
bool GetSwitchSetting(const std::string& name);
bool SetSwitchSetting(const std::string& name, bool on);  // stores "1" or "0"

}  // namespace kov
