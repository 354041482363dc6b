#include "app/logic/CommandLine.h"

#include <sys/stat.h>

#include "app/logic/KeyHelp.h"
#include "base/PathRules.h"
#include "platform/MediaTypes.h"
#include "res/Version.h"

namespace kov {

namespace {

// A path as it may stand in one line of text: control bytes (a newline in a name)
// would break the line, so they show as '?'.
std::string Printable(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return out;
}

StartRequest UsageError(const std::string& message) {
  StartRequest request;
  request.action = StartAction::kUsageError;
  request.error = "kov: " + message;
  return request;
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

}  // namespace

std::string AbsolutePath(const std::string& path, const std::string& folder) {
  return ResolveDotSegments(!path.empty() && path[0] == '/' ? path : folder + "/" + path);
}

StartRequest RequestForPath(const std::string& path) {
  struct stat info;
  if (path.empty() || stat(path.c_str(), &info) != 0)
    return UsageError("no such folder or picture: " + Printable(path));
  StartRequest request;
  if (S_ISDIR(info.st_mode)) {
    request.folder = path;
  } else if (S_ISREG(info.st_mode) && IsImageFile(BaseName(path))) {
    request.folder = DirName(path);
    request.picture = path;
  } else {
    return UsageError("not a folder or a picture: " + Printable(path));
  }
  return request;
}

StartRequest ParseCommandLine(const std::vector<std::string>& args, const std::string& workingFolder) {
  bool optionsEnd = false;
  std::vector<std::string> paths;
  StartRequest answer;
  for (const std::string& arg : args) {
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && (arg == "--help" || arg == "-h")) {
      if (answer.action == StartAction::kRun) answer.action = StartAction::kHelp;
    } else if (!optionsEnd && arg == "--version") {
      if (answer.action == StartAction::kRun) answer.action = StartAction::kVersion;
    } else if (!optionsEnd && IsOption(arg)) {
      return UsageError("unknown option: " + Printable(arg) + " (try kov --help)");
    } else {
      paths.push_back(arg);
    }
  }
  if (answer.action != StartAction::kRun || paths.empty()) return answer;
  StartRequest firstError;
  bool opened = false;
  std::vector<std::string> skipped;
  for (const std::string& path : paths) {
    StartRequest request = path.empty() ? UsageError("an empty path names no folder or picture")
                                        : RequestForPath(AbsolutePath(path, workingFolder));
    if (request.action == StartAction::kUsageError) {
      if (firstError.error.empty()) firstError = request;
      skipped.push_back(request.error + " (skipped)");
    } else if (!opened) {
      answer = request;
      opened = true;
    }
  }
  if (!opened) return firstError;
  answer.skipped = std::move(skipped);
  return answer;
}

std::string UsageText() {
  return "usage: kov [FOLDER | PICTURE]\n"
         "A full-screen image browser.\n"
         "  kov            opens the folder chosen last in the folder tree\n"
         "  kov FOLDER     opens FOLDER and the folders below it\n"
         "  kov PICTURE    opens the picture's folder and shows the picture\n"
         "  -h, --help     shows this text\n"
         "  --version      shows the version\n"
         "A KOV already running shows the folder or picture instead of a second one.\n"
         "\n" + KeyHelpText();
}

std::string VersionText() { return std::string(kProgramName) + " " + ProgramVersion() + "\n"; }

}  // namespace kov
