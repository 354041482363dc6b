#include "base/StaleTemporaries.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/PathRules.h"

namespace kov {

bool IsTemporaryName(const std::string& name, const std::string& prefix, size_t randomLength) {
  return name.size() == prefix.size() + randomLength && name.compare(0, prefix.size(), prefix) == 0;
}

bool LockTemporary(int fd) { return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0; }

int RemoveStaleTemporaries(const std::string& folder, const std::string& prefix,
                           size_t randomLength) {
  GDir* dir = g_dir_open(folder.c_str(), 0, nullptr);
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const char* name = g_dir_read_name(dir)) {
    if (!IsTemporaryName(name, prefix, randomLength)) continue;
    const std::string path = JoinPath(folder, name);
    // Only a plain file: a link or folder of that name is not ours.
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st;
    // The lock is taken and kept while the name is removed: a writer that died let
    // go of its lock, a live one still holds it.
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && LockTemporary(fd) && unlink(path.c_str()) == 0)
      ++removed;
    close(fd);
  }
  g_dir_close(dir);
  return removed;
}

}  // namespace kov
