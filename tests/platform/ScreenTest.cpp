#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Screen.h"

using namespace kov;

TEST(Screen, InstalledSourceThenEnvironmentThenDefault) {
  unsetenv("KOV_SCREEN");
  Rect rect = GetScreenRect();
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.Width(), 1024);
  EXPECT_EQ(rect.Height(), 768);

  setenv("KOV_SCREEN", "1920x1080", 1);
  EXPECT_EQ(GetScreenRect().Width(), 1920);
  EXPECT_EQ(GetScreenRect().Height(), 1080);
  for (const char* bad : {"0x600", "800x-1", "wide", "", "800"}) {
    setenv("KOV_SCREEN", bad, 1);
    EXPECT_EQ(GetScreenRect().Width(), 1024) << bad;
  }

  SetScreenRectSource([] { return Rect{0, 0, 640, 480}; });
  EXPECT_EQ(GetScreenRect().Height(), 480);
  SetScreenRectSource(nullptr);
  unsetenv("KOV_SCREEN");
  EXPECT_EQ(GetScreenRect().Height(), 768);
}
