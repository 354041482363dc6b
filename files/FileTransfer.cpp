#include "files/FileTransfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "base/Fail.h"
#include "base/PathRules.h"
#include "base/RegularFile.h"
#include "files/FileCopy.h"

namespace kov {

namespace {

// kFailed, with why in error (when the caller asked).
FileOutcome Failed(std::string* error, const char* why) {
  Fail(error, why);
  return FileOutcome::kFailed;
}
FileOutcome Failed(std::string* error, int code) { return Failed(error, g_strerror(code)); }

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the name is taken (by anything, a dangling link too).
bool NameTaken(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// A descriptor closed when it goes out of scope.
class ScopedFd {
 public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ~ScopedFd() {
    if (fd_ >= 0) close(fd_);
  }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Writes in's bytes to a new hidden file in folder that takes source's permission
// bits and times; its name in *temp. 0 or the errno, and then no file is left behind.
int WriteCopyKeeping(int in, const struct stat& source, const std::string& folder,
                     std::string* temp, GCancellable* cancellable) {
  TemporaryCopyRules rules;
  rules.keep = &source;
  rules.cancellable = cancellable;
  return WriteTemporaryCopy(in, folder, rules, temp, nullptr);
}

// Renames from to `to` only while `to` does not exist: 0, EEXIST or another errno.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int error = errno;
  if (error != EINVAL && error != ENOSYS && error != ENOTSUP) return error;
  // A file system without the flag: a hard link fails when the name is taken.
  if (link(from.c_str(), to.c_str()) == 0) {
    unlink(from.c_str());
    return 0;
  }
  error = errno;
  if (error == EEXIST || error == EXDEV) return error;
  // Nor hard links (FAT): look, then rename.
  if (NameTaken(to)) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)fsync(fd);
  close(fd);
}

// Copies source to target, which must not exist; *copied gets the source's state as
// it was copied.
FileOutcome CopyToTarget(const std::string& source, const std::string& target,
                         GCancellable* cancellable, struct stat* copied, std::string* error) {
  ScopedFd in(OpenRegularFile(source, error));
  if (in.get() < 0) return FileOutcome::kFailed;
  if (fstat(in.get(), copied) != 0) return Failed(error, errno);
  struct stat there;
  if (stat(target.c_str(), &there) == 0 && SameFile(*copied, there))
    return FileOutcome::kAlreadyThere;
  if (NameTaken(target)) return FileOutcome::kAlreadyThere;
  std::string temp;
  if (int code = WriteCopyKeeping(in.get(), *copied, DirName(target), &temp, cancellable))
    return Failed(error, code);
  if (int code = RenameNoReplace(temp, target)) {
    unlink(temp.c_str());
    return code == EEXIST ? FileOutcome::kAlreadyThere : Failed(error, code);
  }
  SyncFolder(DirName(target));
  return FileOutcome::kDone;
}

// The copy is on the disk and whole; the original goes only if it is still the file
// that was copied. Otherwise the copy goes and the original stays.
FileOutcome MoveAcrossFileSystems(const std::string& source, const std::string& target,
                                  GCancellable* cancellable, std::string* error) {
  struct stat copied;
  FileOutcome result = CopyToTarget(source, target, cancellable, &copied, error);
  if (result != FileOutcome::kDone) return result;
  struct stat now;
  const char* why = nullptr;
  if (stat(source.c_str(), &now) != 0 || !SameFile(now, copied) || now.st_size != copied.st_size ||
      now.st_mtim.tv_sec != copied.st_mtim.tv_sec || now.st_mtim.tv_nsec != copied.st_mtim.tv_nsec)
    why = "the file changed while it was copied";
  int code = why == nullptr && unlink(source.c_str()) != 0 ? errno : 0;
  if (why == nullptr && code == 0) return result;
  unlink(target.c_str());
  return why != nullptr ? Failed(error, why) : Failed(error, code);
}

}  // namespace

bool TransferTargetPath(const std::string& source, const std::string& destFolder,
                        std::string* target) {
  std::string name = BaseName(source);
  if (destFolder.empty() || name.empty() || name == "." || name == "..") return false;
  std::string joined = JoinPath(destFolder, name);
  if (joined.size() >= PATH_MAX) return false;
  *target = joined;
  return true;
}

FileOutcome CopyFileInto(const std::string& source, const std::string& destFolder,
                         GCancellable* cancellable, std::string* error) {
  std::string target;
  if (!TransferTargetPath(source, destFolder, &target)) return Failed(error, ENAMETOOLONG);
  struct stat copied;
  return CopyToTarget(source, target, cancellable, &copied, error);
}

FileOutcome MoveFileInto(const std::string& source, const std::string& destFolder,
                         GCancellable* cancellable, std::string* error) {
  std::string target;
  if (!TransferTargetPath(source, destFolder, &target)) return Failed(error, ENAMETOOLONG);
  struct stat st;
  if (stat(source.c_str(), &st) != 0) return Failed(error, errno);
  if (!S_ISREG(st.st_mode)) return Failed(error, "not a regular file");
  if (NameTaken(target)) return FileOutcome::kAlreadyThere;
  int code = RenameNoReplace(source, target);
  if (code == 0) return FileOutcome::kDone;
  if (code == EEXIST) return FileOutcome::kAlreadyThere;
  if (code != EXDEV) return Failed(error, code);
  return MoveAcrossFileSystems(source, target, cancellable, error);
}

FileOutcome TrashFile(const std::string& path, GCancellable* cancellable, std::string* error) {
  struct stat st, target;
  if (lstat(path.c_str(), &st) != 0) return Failed(error, errno);
  // A FIFO, a device or a link to one is no picture of the folder's.
  if (stat(path.c_str(), &target) != 0 || !S_ISREG(target.st_mode))
    return Failed(error, "not a regular file");
  if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return FileOutcome::kReadOnly;
  GFile* file = g_file_new_for_path(path.c_str());
  GError* refusal = nullptr;
  bool trashed = g_file_trash(file, cancellable, &refusal);
  g_object_unref(file);
  FileOutcome result = trashed ? FileOutcome::kDone : Failed(error, refusal ? refusal->message : "");
  if (refusal != nullptr) g_error_free(refusal);
  return result;
}

FileOutcome SaveFileCopy(const std::string& source, const std::string& target, std::string* error) {
  ScopedFd in(OpenRegularFile(source, error));
  struct stat st, there;
  if (in.get() < 0) return FileOutcome::kFailed;
  if (fstat(in.get(), &st) != 0) return Failed(error, errno);
  if (stat(target.c_str(), &there) == 0) {
    if (SameFile(st, there)) return FileOutcome::kDone;
    if (!S_ISREG(there.st_mode)) return Failed(error, "not a file");
    if ((there.st_mode & S_IWUSR) == 0) return FileOutcome::kReadOnly;
  }
  std::string temp;
  if (int code = WriteCopyKeeping(in.get(), st, DirName(target), &temp, nullptr)) return Failed(error, code);
  if (int code = ReplaceByTemporary(temp, target)) return Failed(error, code);
  SyncFolder(DirName(target));
  return FileOutcome::kDone;
}

}  // namespace kov
