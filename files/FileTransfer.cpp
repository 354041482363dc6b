#include "files/FileTransfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "base/PathRules.h"
#include "files/FileCopy.h"

namespace kov {

namespace {

FileResult Outcome(FileOutcome outcome) { return FileResult{outcome, ""}; }
FileResult Failed(int error) { return FileResult{FileOutcome::kFailed, g_strerror(error)}; }
FileResult Failed(const char* why) { return FileResult{FileOutcome::kFailed, why}; }

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
FileResult CopyToTarget(const std::string& source, const std::string& target,
                        GCancellable* cancellable, struct stat* copied) {
  ScopedFd in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return Failed(errno);
  if (fstat(in.get(), copied) != 0) return Failed(errno);
  if (!S_ISREG(copied->st_mode)) return Failed("not a file");
  struct stat there;
  if (stat(target.c_str(), &there) == 0 && SameFile(*copied, there))
    return Outcome(FileOutcome::kAlreadyThere);
  if (NameTaken(target)) return Outcome(FileOutcome::kAlreadyThere);
  std::string temp;
  if (int error = WriteCopyKeeping(in.get(), *copied, DirName(target), &temp, cancellable))
    return Failed(error);
  if (int error = RenameNoReplace(temp, target)) {
    unlink(temp.c_str());
    return error == EEXIST ? Outcome(FileOutcome::kAlreadyThere) : Failed(error);
  }
  SyncFolder(DirName(target));
  return Outcome(FileOutcome::kDone);
}

// The copy is on the disk and whole; the original goes only if it is still the file
// that was copied. Otherwise the copy goes and the original stays.
FileResult MoveAcrossFileSystems(const std::string& source, const std::string& target,
                                 GCancellable* cancellable) {
  struct stat copied;
  FileResult result = CopyToTarget(source, target, cancellable, &copied);
  if (result.outcome != FileOutcome::kDone) return result;
  struct stat now;
  const char* why = nullptr;
  if (stat(source.c_str(), &now) != 0 || !SameFile(now, copied) || now.st_size != copied.st_size ||
      now.st_mtim.tv_sec != copied.st_mtim.tv_sec || now.st_mtim.tv_nsec != copied.st_mtim.tv_nsec)
    why = "the file changed while it was copied";
  int error = why == nullptr && unlink(source.c_str()) != 0 ? errno : 0;
  if (why == nullptr && error == 0) return result;
  unlink(target.c_str());
  return why != nullptr ? Failed(why) : Failed(error);
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

FileResult CopyFileInto(const std::string& source, const std::string& destFolder,
                        GCancellable* cancellable) {
  std::string target;
  if (!TransferTargetPath(source, destFolder, &target)) return Failed(ENAMETOOLONG);
  struct stat copied;
  return CopyToTarget(source, target, cancellable, &copied);
}

FileResult MoveFileInto(const std::string& source, const std::string& destFolder,
                        GCancellable* cancellable) {
  std::string target;
  if (!TransferTargetPath(source, destFolder, &target)) return Failed(ENAMETOOLONG);
  struct stat st;
  if (stat(source.c_str(), &st) != 0) return Failed(errno);
  if (!S_ISREG(st.st_mode)) return Failed("not a file");
  if (NameTaken(target)) return Outcome(FileOutcome::kAlreadyThere);
  int error = RenameNoReplace(source, target);
  if (error == 0) return Outcome(FileOutcome::kDone);
  if (error == EEXIST) return Outcome(FileOutcome::kAlreadyThere);
  if (error != EXDEV) return Failed(error);
  return MoveAcrossFileSystems(source, target, cancellable);
}

FileResult TrashFile(const std::string& path, GCancellable* cancellable) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return Failed(errno);
  if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return Outcome(FileOutcome::kReadOnly);
  GFile* file = g_file_new_for_path(path.c_str());
  GError* error = nullptr;
  bool trashed = g_file_trash(file, cancellable, &error);
  g_object_unref(file);
  FileResult result = trashed ? Outcome(FileOutcome::kDone) : Failed(error ? error->message : "");
  if (error != nullptr) g_error_free(error);
  return result;
}

FileResult SaveFileCopy(const std::string& source, const std::string& target) {
  ScopedFd in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st, there;
  if (in.get() < 0 || fstat(in.get(), &st) != 0) return Failed(errno);
  if (!S_ISREG(st.st_mode)) return Failed("not a file");
  if (stat(target.c_str(), &there) == 0) {
    if (SameFile(st, there)) return Outcome(FileOutcome::kDone);
    if (!S_ISREG(there.st_mode)) return Failed("not a file");
    if ((there.st_mode & S_IWUSR) == 0) return Outcome(FileOutcome::kReadOnly);
  }
  std::string temp;
  if (int error = WriteCopyKeeping(in.get(), st, DirName(target), &temp, nullptr)) return Failed(error);
  if (int error = ReplaceByTemporary(temp, target)) return Failed(error);
  SyncFolder(DirName(target));
  return Outcome(FileOutcome::kDone);
}

}  // namespace kov
