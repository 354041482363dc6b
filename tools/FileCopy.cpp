// Whole-file copies through a temporary file.
#include "tools/FileCopy.h"

#include <errno.h>
#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "base/PathRules.h"

namespace kov {
namespace {

constexpr size_t kChunk = 1 << 16;

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

std::string Reason(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + strerror(errno);
}

// Writes all of data, retrying short writes and interruptions.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Copies every byte of in to out; false at the first read or write error.
bool CopyBytes(int in, int out) {
  std::vector<char> buffer(kChunk);
  for (;;) {
    ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(out, buffer.data(), static_cast<size_t>(got))) return false;
  }
}

}  // namespace

bool CopyToTemporary(const std::string& from, const std::string& folder, mode_t mode, std::string* temp,
                     std::string* error) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    SetError(error, Reason("cannot read", from));
    return false;
  }
  struct stat info {};
  if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
    SetError(error, from + ": not a file");
    close(in);
    return false;
  }
  std::string pattern = JoinPath(folder, ".kov-copy-XXXXXX");
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int out = g_mkstemp_full(name.data(), O_WRONLY | O_CLOEXEC, static_cast<int>(mode));
  if (out < 0) {
    SetError(error, Reason("cannot create a file in", folder));
    close(in);
    return false;
  }
  bool copied = CopyBytes(in, out);
  if (!copied) SetError(error, Reason("cannot copy", from));
  // The file was created with mode less the umask, like any new file.
  if (copied && fsync(out) != 0) {
    SetError(error, Reason("cannot finish", name.data()));
    copied = false;
  }
  close(in);
  if (close(out) != 0 && copied) {
    SetError(error, Reason("cannot finish", name.data()));
    copied = false;
  }
  if (!copied) {
    g_unlink(name.data());
    return false;
  }
  *temp = name.data();
  return true;
}

bool MoveTemporaryInto(const std::string& temp, const std::string& to, std::string* error) {
  if (rename(temp.c_str(), to.c_str()) == 0) return true;
  SetError(error, Reason("cannot replace", to));
  g_unlink(temp.c_str());
  return false;
}

bool CopyFileAtomically(const std::string& from, const std::string& to, mode_t mode, std::string* error) {
  std::string temp;
  return CopyToTemporary(from, DirName(to), mode, &temp, error) && MoveTemporaryInto(temp, to, error);
}

}  // namespace kov
