#include "thumbs/NaturalSizeMemo.h"

#include <deque>
#include <mutex>

#include "thumbs/ThumbStrip.h"

namespace kov {

namespace {

// More than the builder can have under way at once: a strip and the next.
constexpr size_t kRemembered = 2 * kStripPictures;

struct Entry {
  std::string path;
  int32_t width;
  int32_t height;
};

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::deque<Entry>& Entries() {
  static std::deque<Entry> entries;
  return entries;
}

}  // namespace

void RememberNaturalSize(const std::string& path, int32_t width, int32_t height) {
  std::lock_guard<std::mutex> hold(Lock());
  std::deque<Entry>& entries = Entries();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->path == path) {
      entries.erase(it);
      break;
    }
  }
  entries.push_front({path, width, height});
  if (entries.size() > kRemembered) entries.pop_back();
}

bool RecallNaturalSize(const std::string& path, int32_t* width, int32_t* height) {
  std::lock_guard<std::mutex> hold(Lock());
  for (const Entry& entry : Entries()) {
    if (entry.path != path) continue;
    if (entry.width <= 0 || entry.height <= 0) return false;
    *width = entry.width, *height = entry.height;
    return true;
  }
  return false;
}

}  // namespace kov
