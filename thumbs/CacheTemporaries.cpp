#include "thumbs/CacheTemporaries.h"

#include "base/StaleTemporaries.h"

namespace kov {

const char kCacheTempPrefix[] = ".kovthumb-";

namespace {
constexpr size_t kRandomPartLength = 6;  // the XXXXXX of the template
}  // namespace

bool IsCacheTempName(const std::string& name) {
  return IsTemporaryName(name, kCacheTempPrefix, kRandomPartLength);
}

bool LockCacheTemp(int fd) { return LockTemporary(fd); }

int RemoveStaleCacheTemps(const std::string& folder) {
  return RemoveStaleTemporaries(folder, kCacheTempPrefix, kRandomPartLength);
}

}  // namespace kov
