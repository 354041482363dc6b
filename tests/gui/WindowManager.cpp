#include "tests/gui/WindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <glib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include "tests/gui/GuiTestSupport.h"

namespace kov {
namespace test {

namespace {

GPid g_manager = 0;

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

// The window the root's _NET_SUPPORTING_WM_CHECK names, when that window exists and
// names itself: a manager that has gone leaves the property behind, not the window.
bool HasManager(Display* display) {
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  auto named = [&](::Window window, ::Window* out) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                                    &after, &data) == Success &&
                 type == XA_WINDOW && count == 1;
    if (found) *out = *reinterpret_cast<::Window*>(data);
    if (data) XFree(data);
    return found;
  };
  XErrorHandler old = XSetErrorHandler(IgnoreErrors);
  ::Window child = 0, self = 0;
  bool running = named(DefaultRootWindow(display), &child) && named(child, &self) && self == child;
  XSync(display, False);
  XSetErrorHandler(old);
  return running;
}

}  // namespace

bool StartWindowManager(const std::string& command) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
  XSync(display, False);
  gchar** argv = nullptr;
  bool started = g_shell_parse_argv(command.c_str(), nullptr, &argv, nullptr) &&
                 g_spawn_async(nullptr, argv, nullptr, GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD), nullptr,
                               nullptr, &g_manager, nullptr);
  g_strfreev(argv);
  // Each change of a root property is a moment to look again; the manager has taken
  // the screen once the check window is there.
  gint64 limit = g_get_monotonic_time() + gint64(kEventLimitMs) * 1000;
  bool running = started && HasManager(display);
  while (started && !running && g_get_monotonic_time() < limit) {
    pollfd wait{ConnectionNumber(display), POLLIN, 0};
    if (XPending(display) == 0) poll(&wait, 1, int((limit - g_get_monotonic_time()) / 1000) + 1);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    running = HasManager(display);
  }
  XCloseDisplay(display);
  return running;
}

void StopWindowManager() {
  if (g_manager == 0) return;
  kill(g_manager, SIGTERM);
  waitpid(g_manager, nullptr, 0);
  g_spawn_close_pid(g_manager);
  g_manager = 0;
}

bool WindowManagerRunning() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  bool running = HasManager(display);
  XCloseDisplay(display);
  return running;
}

}  // namespace test
}  // namespace kov
