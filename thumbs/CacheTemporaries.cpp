#include "thumbs/CacheTemporaries.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "base/PathRules.h"

namespace kov {

const char kCacheTempPrefix[] = ".kovthumb-";

namespace {
constexpr size_t kRandomPartLength = 6;  // the XXXXXX of the template
}  // namespace

bool IsCacheTempName(const std::string& name) {
  const size_t prefixLength = std::strlen(kCacheTempPrefix);
  return name.size() == prefixLength + kRandomPartLength &&
         name.compare(0, prefixLength, kCacheTempPrefix) == 0;
}

bool LockCacheTemp(int fd) { return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0; }

int RemoveStaleCacheTemps(const std::string& folder) {
  GDir* dir = g_dir_open(folder.c_str(), 0, nullptr);
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const char* name = g_dir_read_name(dir)) {
    if (!IsCacheTempName(name)) continue;
    const std::string path = JoinPath(folder, name);
    // Only a plain file: a link or folder of that name is not ours.
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st;
    // The lock is taken and kept while the name is removed: a writer that died let
    // go of its lock, a live one still holds it.
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && LockCacheTemp(fd) && unlink(path.c_str()) == 0) ++removed;
    close(fd);
  }
  g_dir_close(dir);
  return removed;
}

}  // namespace kov
