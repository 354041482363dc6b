// The photo-CD files.
#include "tools/PhotoCd.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>

#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "files/FileCopy.h"
#include "thumbs/UnsavedCaches.h"

namespace kov {

const char kAutorunInf[] = "[AUTORUN]\r\nOPEN=KOV.EXE\r\nICON=KOV.EXE,0";
const char kAutorunSh[] =
    "#!/bin/sh\n"
    "# Starts KOV from this medium; it opens at the medium's root.\n"
    "cd \"$(dirname \"$0\")\" && exec ./kov.exe \"$@\"\n";

const char kRunningProgram[] = "/proc/self/exe";

const char kOwnAutorunKeptText[] =
    "This folder already holds an autorun.sh of its own, which was kept. "
    "A Linux desktop will offer to run that script from the disc, not KOV.";

std::string FoldersLeftWithoutThumbnailsText(const std::vector<UnsavedCache>& folders) {
  if (folders.empty()) return "";
  return std::string(folders.size() == 1 ? "This folder cannot hold thumbnails of its own:\n"
                                         : "These folders cannot hold thumbnails of their own:\n") +
         ListedFoldersText(folders) +
         "\n\nThe disc will carry no thumbnails for them. Make them writable and prepare the disc again.";
}

static_assert(sizeof(kAutorunInf) - 1 == kAutorunInfSize, "AUTORUN.INF is 39 bytes");

namespace {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteWhole(const std::string& path, const std::string& bytes, int mode, std::string* error) {
  if (IsReadOnlyFile(path)) {
    if (error) *error = path + " is read-only";
    return false;
  }
  GError* gerror = nullptr;
  bool ok = g_file_set_contents_full(path.c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                     G_FILE_SET_CONTENTS_CONSISTENT, mode, &gerror);
  if (!ok && error) *error = gerror ? gerror->message : path + ": cannot write";
  g_clear_error(&gerror);
  return ok;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// Whether path is a file that holds exactly bytes.
bool Holds(const std::string& path, const std::string& bytes) {
  gchar* contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr)) return false;
  bool same = std::string(contents, length) == bytes;
  g_free(contents);
  return same;
}

void RemoveUnlessReadOnly(const std::string& path) {
  if (!IsReadOnlyFile(path)) g_unlink(path.c_str());  // a missing file is no error
}

}  // namespace

bool CanPreparePhotoCd(const std::string& root) {
  return !root.empty() && IsFolder(root) && GetPathDriveType(root) == kDriveFixed;
}

PhotoCdOutcome WritePhotoCdFiles(const std::string& root, bool autorun, const std::string& program,
                                 std::string* error, bool* ownScriptKept) {
  const std::string inf = JoinPath(root, "AUTORUN.INF");
  const std::string script = JoinPath(root, "autorun.sh");
  const bool ours = !Exists(script) || Holds(script, kAutorunSh);
  if (ownScriptKept) *ownScriptKept = autorun && !ours;
  if (autorun) {
    if (!WriteWhole(inf, std::string(kAutorunInf, kAutorunInfSize), 0666, error) ||
        (ours && !IsReadOnlyFile(script) && !WriteWhole(script, kAutorunSh, 0777, error)))
      return PhotoCdOutcome::kAutorunFailed;
  } else {
    RemoveUnlessReadOnly(inf);
    if (ours) RemoveUnlessReadOnly(script);
  }
  if (program.empty() || !CopyFileAtomically(program, JoinPath(root, "kov.exe"), 0777, error)) {
    if (program.empty() && error) *error = "the program's own file cannot be found";
    return PhotoCdOutcome::kProgramFailed;
  }
  return PhotoCdOutcome::kFilesWritten;
}

}  // namespace kov
