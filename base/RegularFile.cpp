#include "base/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/Fail.h"

namespace kov {

int OpenRegularFile(const std::string& path, std::string* error) {
  // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is taken off
  // again once the file is known to be a regular one.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    Fail(error, path + ": " + std::strerror(errno));
    return -1;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    Fail(error, path + ": not a regular file");
    close(fd);
    return -1;
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

}  // namespace kov
