// Whole-file copies through a temporary file.
#include "files/FileCopy.h"

#include <errno.h>
#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <limits.h>
#include <string.h>
#include <unistd.h>

#include <mutex>
#include <set>
#include <vector>

#include "base/PathRules.h"
#include "base/RegularFile.h"
#include "base/StaleTemporaries.h"

namespace kov {
namespace {

constexpr size_t kChunk = 1 << 20;
const char kCopyTempPrefix[] = ".kov-copy-";
constexpr size_t kCopyTempRandomLength = 6;

// What a copy that was killed left in folder goes the first time this run copies
// into it; a partial that appears later is another live copy's, or one for the next
// run to remove.
void RemoveStaleCopiesOnce(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> swept;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (!swept.insert(folder).second) return;
  }
  RemoveStaleTemporaries(folder, kCopyTempPrefix, kCopyTempRandomLength);
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

std::string Reason(const std::string& what, const std::string& path, int error) {
  return what + " " + path + ": " + strerror(error);
}

// Writes all of data, retrying short writes and interruptions; 0 or the errno.
int WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

// Copies what is left of in into out; 0 or the errno.
int CopyBytes(int in, int out, GCancellable* cancellable) {
  std::vector<char> buffer(kChunk);
  for (;;) {
    if (g_cancellable_is_cancelled(cancellable)) return ECANCELED;
    ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    if (int error = WriteAll(out, buffer.data(), static_cast<size_t>(got))) return error;
  }
}

// Gives the copy keep's permission bits and times (where the file system keeps them),
// puts it on the disk and, with keep, checks that it holds the whole source.
int FinishCopy(int out, const struct stat* keep) {
  if (keep != nullptr) {
    (void)fchmod(out, keep->st_mode & 0777);
    const struct timespec times[2] = {keep->st_atim, keep->st_mtim};
    (void)futimens(out, times);
  }
  if (fsync(out) != 0) return errno;
  if (keep == nullptr) return 0;
  struct stat written;
  if (fstat(out, &written) != 0) return errno;
  return written.st_size == keep->st_size ? 0 : EIO;
}

}  // namespace

int WriteTemporaryCopy(int in, const std::string& folder, const TemporaryCopyRules& rules,
                       std::string* temp, CopyStep* failed) {
  CopyStep step = CopyStep::kCreate;
  RemoveStaleCopiesOnce(folder);
  std::string pattern = JoinPath(folder, std::string(kCopyTempPrefix) + "XXXXXX");
  int error = pattern.size() >= PATH_MAX ? ENAMETOOLONG : 0;
  int out = -1;
  if (error == 0) {
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // The file is created with mode less the umask, like any new file.
    out = g_mkstemp_full(name.data(), O_WRONLY | O_CLOEXEC, static_cast<int>(rules.mode));
    if (out < 0) error = errno;
    else *temp = name.data();
    // Held until the copy is closed: a copy being written is not a stale partial.
    LockTemporary(out);
  }
  if (out >= 0) {
    step = CopyStep::kCopy;
    error = CopyBytes(in, out, rules.cancellable);
    if (error == 0) step = CopyStep::kFinish;
    if (error == 0) error = FinishCopy(out, rules.keep);
    if (close(out) != 0 && error == 0) error = errno;
    if (error != 0) g_unlink(temp->c_str());
  }
  if (failed) *failed = error != 0 ? step : CopyStep::kNone;
  return error;
}

int ReplaceByTemporary(const std::string& temp, const std::string& to) {
  if (rename(temp.c_str(), to.c_str()) == 0) return 0;
  int error = errno;
  g_unlink(temp.c_str());
  return error;
}

bool CopyToTemporary(const std::string& from, const std::string& folder, mode_t mode, std::string* temp,
                     std::string* error) {
  int in = OpenRegularFile(from, error);
  if (in < 0) return false;
  TemporaryCopyRules rules;
  rules.mode = mode;
  std::string made;
  CopyStep failed = CopyStep::kNone;
  int code = WriteTemporaryCopy(in, folder, rules, &made, &failed);
  close(in);
  if (failed == CopyStep::kCreate) SetError(error, Reason("cannot create a file in", folder, code));
  if (failed == CopyStep::kCopy) SetError(error, Reason("cannot copy", from, code));
  if (failed == CopyStep::kFinish) SetError(error, Reason("cannot finish", made, code));
  if (code != 0) return false;
  *temp = made;
  return true;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && (info.st_mode & S_IWUSR) == 0;
}

bool MoveTemporaryInto(const std::string& temp, const std::string& to, std::string* error) {
  if (IsReadOnlyFile(to)) {
    g_unlink(temp.c_str());
    SetError(error, to + " is read-only");
    return false;
  }
  int code = ReplaceByTemporary(temp, to);
  if (code != 0) SetError(error, Reason("cannot replace", to, code));
  return code == 0;
}

bool CopyFileAtomically(const std::string& from, const std::string& to, mode_t mode, std::string* error) {
  std::string temp;
  if (IsReadOnlyFile(to)) {  // said before the copy is made in vain
    SetError(error, to + " is read-only");
    return false;
  }
  return CopyToTemporary(from, DirName(to), mode, &temp, error) && MoveTemporaryInto(temp, to, error);
}

}  // namespace kov
