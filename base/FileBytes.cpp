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
#include "base/RegularFile.h"

namespace kov {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* error) {
  int fd = OpenRegularFile(path, error);
  if (fd < 0) return false;
  std::unique_ptr<FILE, FileCloser> file(fdopen(fd, "rb"));
  if (!file) {
    close(fd);
    return Fail(error, path + ": cannot be read");
  }
  // A file too large is refused by its size, before a byte of it is read; a file
  // that grows while it is read is still stopped at the limit.
  struct stat info;
  if (fstat(fd, &info) != 0 || uint64_t(info.st_size) > kMaxPictureFileBytes)
    return Fail(error, path + ": file too large");
  bytes->clear();
  bytes->reserve(size_t(info.st_size));
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    if (bytes->size() + got > kMaxPictureFileBytes) return Fail(error, path + ": file too large");
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) return Fail(error, path + ": read error");
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
