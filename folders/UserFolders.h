#pragma once
// The user's own folders and volumes as the folder tree needs them: Documents and
// Pictures (XDG user directories, the home folder when one is not set), the mounted
// volumes a user would see, the program's own file, and the settings access through
// which the tree reads and writes "imgfolder".
#include <functional>
#include <string>
#include <vector>

#include "folders/FolderTreeModel.h"

namespace kov {

std::string DocumentsFolder();
std::string PicturesFolder();

// Mount points of the volumes a user would see, in mount-table order ("/" included
// when it is one of them).
std::vector<std::string> UserVisibleMountPoints();

// The running program's file (/proc/self/exe); "" when it cannot be read.
std::string ProgramFilePath();

// Reading and writing one named setting. Tests give their own; the program's reads
// and writes the settings store.
struct SettingAccess {
  std::function<bool(const std::string& name, std::string* value)> get;
  std::function<bool(const std::string& name, const std::string& value)> set;
};
SettingAccess ProgramSettings();

// The facts of the start-up choice, read from the mount table, the settings and the
// user folders.
InitialFolderFacts GatherInitialFolderFacts(const SettingAccess& settings);

// Where the folder tree's top level, start-up choice and remembered folder come from.
struct FolderTreeSources {
  std::string documents;                 // shown first when it exists
  std::vector<std::string> mountPoints;  // volumes shown after "/"
  SettingAccess settings;                // "imgfolder"
  std::function<InitialFolderFacts()> initialFacts;
};
// The running program's: user folders, visible volumes, the settings store.
FolderTreeSources ProgramFolderTreeSources();

}  // namespace kov
