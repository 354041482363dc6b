// kovtool subcommands for volumes and settings:
//   drive-type PATH       the drive type number of the volume holding PATH
//   setting NAME [VALUE]  prints a stored setting (exit 1 when absent) or stores one
#include <cstdio>

#include "kovtool/Subcommand.h"
#include "platform/DriveTypes.h"
#include "folders/Settings.h"

namespace kovtool {
namespace {

int RunDriveType(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) return Usage("drive-type");
  std::printf("%d\n", kov::GetPathDriveType(args[0]));
  return 0;
}

int RunSetting(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || !kov::IsSettingName(args[0])) return Usage("setting");
  if (args.size() == 2) {
    if (kov::SetSetting(args[0], args[1])) return 0;
    std::fprintf(stderr, "kovtool: cannot store setting '%s' in %s\n", args[0].c_str(),
                 kov::SettingsFilePath().c_str());
    return 1;
  }
  std::string value;
  if (!kov::GetSetting(args[0], &value)) return 1;
  std::printf("%s\n", value.c_str());
  return 0;
}

Registration driveType{{"drive-type", "PATH", &RunDriveType}};
Registration setting{{"setting", "NAME [VALUE]", &RunSetting}};

}  // namespace
}  // namespace kovtool
