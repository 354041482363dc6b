#include "platform/Screen.h"

#include <cstdio>
#include <cstdlib>

namespace kov {
namespace {
std::function<Rect()>& Source() {
  static std::function<Rect()> source;
  return source;
}
}  // namespace

void SetScreenRectSource(std::function<Rect()> source) { Source() = std::move(source); }

Rect GetScreenRect() {
  if (Source()) return Source()();
  Rect rect{0, 0, 1024, 768};
  int w = 0, h = 0;
  const char* env = std::getenv("KOV_SCREEN");
  if (env && std::sscanf(env, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) rect = Rect{0, 0, w, h};
  return rect;
}

}  // namespace kov
