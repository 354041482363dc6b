// Finding the user guide for the About box's link.
#include "tools/UserGuide.h"

#include <glib.h>
#include <sys/stat.h>

#include "base/PathRules.h"

#ifndef KOV_SOURCE_DIR
#define KOV_SOURCE_DIR ""
#endif
#ifndef KOV_INSTALLED_GUIDE
#define KOV_INSTALLED_GUIDE ""
#endif

namespace kov {
namespace {

bool IsFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ProgramPath() {
  gchar* target = g_file_read_link("/proc/self/exe", nullptr);
  std::string path = target ? target : "";
  g_free(target);
  return path;
}

}  // namespace

std::string FindUserGuide(const std::string& programPath, const std::string& sourceDir,
                          const std::string& installedGuide) {
  if (!programPath.empty()) {
    std::string beside = JoinPath(DirName(programPath), "../share/doc/kov/USING.md");
    if (IsFile(beside)) return beside;
  }
  if (IsFile(installedGuide)) return installedGuide;
  std::string inSource = JoinPath(sourceDir, "docs/USING.md");
  if (!sourceDir.empty() && IsFile(inSource)) return inSource;
  return "";
}

std::string UserGuideUri() {
  std::string guide = FindUserGuide(ProgramPath(), KOV_SOURCE_DIR, KOV_INSTALLED_GUIDE);
  if (guide.empty()) return "";
  gchar* uri = g_filename_to_uri(guide.c_str(), nullptr, nullptr);
  std::string text = uri ? uri : "";
  g_free(uri);
  return text;
}

}  // namespace kov
