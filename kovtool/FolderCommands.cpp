// kovtool subcommands for volumes and settings: drive-type PATH.
#include <cstdio>

#include "kovtool/Subcommand.h"
#include "pages/ContentTypes.h"

namespace kovtool {
namespace {

int RunDriveType(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) return Usage("drive-type");
  std::printf("%d\n", kov::GetPathDriveType(args[0]));
  return 0;
}

Registration driveType{{"drive-type", "PATH", &RunDriveType}};

}  // namespace
}  // namespace kovtool
