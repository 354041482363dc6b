// Default-handler launches through GIO.
#include "platform/UriLauncher.h"

#include <gio/gio.h>

namespace kov {
namespace {

IUriLauncher* g_installed = nullptr;

}  // namespace

void CDesktopUriLauncher::LaunchDefault(const std::string& uri) {
  if (uri.empty()) return;
  // The result only says whether a handler started; nothing is shown either way.
  g_app_info_launch_default_for_uri_async(uri.c_str(), nullptr, nullptr, nullptr, nullptr);
}

IUriLauncher& GetUriLauncher() {
  static CDesktopUriLauncher desktop;
  return g_installed != nullptr ? *g_installed : desktop;
}

void SetUriLauncher(IUriLauncher* launcher) { g_installed = launcher; }

}  // namespace kov
