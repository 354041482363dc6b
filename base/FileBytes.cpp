#include "base/FileBytes.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/Fail.h"

namespace kov {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// Opens regular files only. O_NONBLOCK keeps the open of a FIFO from waiting for a
// writer; it changes nothing for a regular file.
FILE* OpenRegularFile(const std::string& path, std::string* error) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    Fail(error, path + ": " + std::strerror(errno));
    return nullptr;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    Fail(error, path + ": not a regular file");
    close(fd);
    return nullptr;
  }
  FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* error) {
  std::unique_ptr<FILE, FileCloser> file(OpenRegularFile(path, error));
  if (!file) return false;
  bytes->clear();
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    if (bytes->size() + got > kMaxPictureFileBytes) {
      Fail(error, path + ": file too large");
      return false;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) {
    Fail(error, path + ": read error");
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error) {
  GError* gerror = nullptr;
  // CONSISTENT: temporary file in the same folder, then rename over the target.
  bool ok = g_file_set_contents_full(path.c_str(), reinterpret_cast<const char*>(bytes.data()),
                                     static_cast<gssize>(bytes.size()),
                                     G_FILE_SET_CONTENTS_CONSISTENT, 0666, &gerror);
  if (!ok) {
    Fail(error, gerror ? gerror->message : path + ": cannot write");
    g_clear_error(&gerror);
  }
  return ok;
}

}  // namespace kov
