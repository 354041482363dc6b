#pragma once
// The primary display's rectangle (origin 0,0). The window library installs the
// real source at start-up; without one (kovtool, headless tests) it is 1024 x 768,
// or $KOV_SCREEN given as WIDTHxHEIGHT.
#include <functional>

namespace kov {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

Rect GetScreenRect();
void SetScreenRectSource(std::function<Rect()> source);

}  // namespace kov
