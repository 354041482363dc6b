#include "thumbs/ThumbStrip.h"

#include <deque>
#include <mutex>
#include <utility>

namespace kov {

namespace {

// The strip being shown and the ones just before, whose late requests may still come.
constexpr size_t kStripsKept = 4;

struct Strip {
  std::string name;
  std::vector<std::string> paths;
};

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::deque<Strip>& Strips() {
  static std::deque<Strip> strips;
  return strips;
}

}  // namespace

std::string ThumbStripUrl(const std::vector<std::string>& paths) {
  static unsigned long made = 0;
  std::lock_guard<std::mutex> hold(Lock());
  std::string name = std::to_string(++made);
  Strips().push_back({name, paths});
  if (Strips().size() > kStripsKept) Strips().pop_front();
  return "kovp://thumbstrip/" + name;
}

bool ThumbStripPictures(const std::string& name, std::vector<std::string>* paths) {
  std::lock_guard<std::mutex> hold(Lock());
  for (const Strip& strip : Strips()) {
    if (strip.name != name) continue;
    *paths = strip.paths;
    return true;
  }
  return false;
}

}  // namespace kov
