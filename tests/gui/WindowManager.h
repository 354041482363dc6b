#pragma once
// A real window manager for the window tests: started on the test's X display when
// KOV_TEST_WM names one (openbox in ctest), and stopped when the tests end.
#include <string>

namespace kov {
namespace test {

// Starts command on $DISPLAY and returns once it has taken the screen (the root
// window names its check window); false when it could not be started or did not
// take the screen within kEventLimitMs.
bool StartWindowManager(const std::string& command);
void StopWindowManager();
// Whether a window manager runs on the display now.
bool WindowManagerRunning();

}  // namespace test
}  // namespace kov
