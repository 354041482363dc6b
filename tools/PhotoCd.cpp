// The photo-CD files.
#include "tools/PhotoCd.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>

#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "files/FileCopy.h"

namespace kov {

const char kAutorunInf[] = "[AUTORUN]\r\nOPEN=KOV.EXE\r\nICON=KOV.EXE,0";
const char kAutorunSh[] =
    "#!/bin/sh\n"
    "# Starts KOV from this medium; it opens at the medium's root.\n"
    "cd \"$(dirname \"$0\")\" && exec ./kov.exe \"$@\"\n";

const char kRunningProgram[] = "/proc/self/exe";

static_assert(sizeof(kAutorunInf) - 1 == kAutorunInfSize, "AUTORUN.INF is 39 bytes");

namespace {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteWhole(const std::string& path, const std::string& bytes, int mode, std::string* error) {
  GError* gerror = nullptr;
  bool ok = g_file_set_contents_full(path.c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                     G_FILE_SET_CONTENTS_CONSISTENT, mode, &gerror);
  if (!ok && error) *error = gerror ? gerror->message : path + ": cannot write";
  g_clear_error(&gerror);
  return ok;
}

// Removes path when it holds exactly bytes.
void RemoveIfHolding(const std::string& path, const std::string& bytes) {
  gchar* contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr)) return;
  if (std::string(contents, length) == bytes) g_unlink(path.c_str());
  g_free(contents);
}

}  // namespace

bool CanPreparePhotoCd(const std::string& root) {
  return !root.empty() && IsFolder(root) && GetPathDriveType(root) == kDriveFixed;
}

PhotoCdOutcome WritePhotoCdFiles(const std::string& root, bool autorun, const std::string& program,
                                 std::string* error) {
  const std::string inf = JoinPath(root, "AUTORUN.INF");
  const std::string script = JoinPath(root, "autorun.sh");
  if (autorun) {
    if (!WriteWhole(inf, std::string(kAutorunInf, kAutorunInfSize), 0666, error) ||
        !WriteWhole(script, kAutorunSh, 0777, error))
      return PhotoCdOutcome::kAutorunFailed;
  } else {
    g_unlink(inf.c_str());  // a missing file is no error
    RemoveIfHolding(script, kAutorunSh);
  }
  if (program.empty() || !CopyFileAtomically(program, JoinPath(root, "kov.exe"), 0777, error)) {
    if (program.empty() && error) *error = "the program's own file cannot be found";
    return PhotoCdOutcome::kProgramFailed;
  }
  return PhotoCdOutcome::kFilesWritten;
}

}  // namespace kov
