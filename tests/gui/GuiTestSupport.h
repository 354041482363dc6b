#pragma once
// Helpers for tests that need real windows: spinning the main loop, screenshots,
// XTest input, and a window holding one browser pane whose script can be read back.
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/support/TempFolder.h"
#include "widgets/BrowserPane.h"

namespace kov {
namespace test {

// A limit for waiting on an event that must come: generous, because a shared or
// loaded machine can be many times slower than an idle one. A passing test never
// waits this long; only a failing one does.
constexpr int kEventLimitMs = 60000;

// Runs the default main context until done() holds; false when timeoutMs passed first.
bool SpinUntil(const std::function<bool()>& done, int timeoutMs = kEventLimitMs);
void SpinFor(int ms);

// Saves what X shows of the window to <build>/screenshots/<name>.png; the path, or ""
// when the window has no pixels yet.
std::string SaveScreenshot(GtkWidget* window, const std::string& name);
// The same with the window as GTK draws it at this moment: for a picture taken when
// something happens, which a grab of the screen would show one paint late.
std::string SaveDrawnWindow(GtkWidget* window, const std::string& name);
// The colour at (x, y) of what X shows of the window, as 0xRRGGBB; -1 when unreadable.
long PixelAt(GtkWidget* window, int x, int y);

// Input through XTest, as a user would give it (screen coordinates).
void ClickAt(int x, int y, unsigned button);
void PressKey(unsigned keysym);
void MovePointerTo(int x, int y);
// Returns once X has turned the input given so far into events and they have been
// handled: what a click did, or did not do, can then be checked at once.
void HandleGivenInput();

// Writes a width x height PNG of one colour; false on failure.
bool WritePng(const std::string& path, int width, int height, unsigned rgb);

// A temporary folder removed with everything in it at destruction.
using kovtest::TempFolder;

// An undecorated window at rect with the pane filling it, shown; nullptr on failure.
GtkWindow* MakePaneWindow(CBrowserPane* pane, const Rect& rect, CommandTarget parent);

// Navigates and waits until the location is url and the document is complete.
bool LoadAndWait(CBrowserPane* pane, const std::string& url);
// The JSON text of the expression, "" when it could not be read in time.
std::string ReadJson(CBrowserPane* pane, const std::string& expression);

}  // namespace test
}  // namespace kov
