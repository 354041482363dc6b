// Default-handler launches through GIO.
#include "platform/UriLauncher.h"

#include <gio/gio.h>

#include "platform/DrawingEnvironment.h"
#include "platform/EngineProcessPreload.h"
#include "platform/MediaBufferHeap.h"

namespace kov {
namespace {

IUriLauncher* g_installed = nullptr;

constexpr char kOwnDesktopId[] = "com.norvane.kov.desktop";
constexpr char kOwnCommand[] = "kov";

DesktopHandler FactsOf(GAppInfo* app) {
  const char* id = g_app_info_get_id(app);
  const char* executable = g_app_info_get_executable(app);
  return {id ? id : "", executable ? executable : ""};
}

// Starts app on uri; the launch's own outcome arrives later and is not waited for.
// The program gets the user's environment, without what the viewer set for its own
// drawing (a browser started from here draws with the GPU as it always does),
// without the preload it set for the engine's processes and without its choice of
// heap for the media buffers.
bool LaunchWith(GAppInfo* app, const std::string& uri) {
  if (app == nullptr) return false;
  GAppLaunchContext* context = g_app_launch_context_new();
  for (const std::string& name : DrawingVariablesSet()) g_app_launch_context_unsetenv(context, name.c_str());
  if (EngineProcessPreloadSet()) g_app_launch_context_unsetenv(context, "LD_PRELOAD");
  if (const char* heap = MediaBufferHeapVariableSet()) g_app_launch_context_unsetenv(context, heap);
  GList uris = {const_cast<char*>(uri.c_str()), nullptr, nullptr};
  g_app_info_launch_uris_async(app, &uris, context, nullptr, nullptr, nullptr);
  g_object_unref(context);
  return true;
}

// The desktop's handler for uri: by the file's type for a local file, else by its scheme.
GAppInfo* DefaultHandlerFor(const std::string& uri) {
  GFile* file = g_file_new_for_uri(uri.c_str());
  GAppInfo* app = nullptr;
  if (g_file_is_native(file)) {
    app = g_file_query_default_handler(file, nullptr, nullptr);
  } else if (char* scheme = g_uri_parse_scheme(uri.c_str())) {
    app = g_app_info_get_default_for_uri_scheme(scheme);
    g_free(scheme);
  }
  g_object_unref(file);
  return app;
}

}  // namespace

bool IsOwnProgram(const DesktopHandler& handler) {
  if (handler.id == kOwnDesktopId) return true;
  const std::string& command = handler.executable;
  size_t slash = command.rfind('/');
  return command.substr(slash == std::string::npos ? 0 : slash + 1) == kOwnCommand;
}

int ChooseFolderHandler(const std::vector<DesktopHandler>& handlers) {
  for (size_t i = 0; i < handlers.size(); ++i) {
    if (!handlers[i].id.empty() && !IsOwnProgram(handlers[i])) return static_cast<int>(i);
  }
  return -1;
}

bool CDesktopUriLauncher::LaunchDefault(const std::string& uri) {
  if (uri.empty()) return false;
  GAppInfo* app = DefaultHandlerFor(uri);
  bool started = LaunchWith(app, uri);
  if (app != nullptr) g_object_unref(app);
  return started;
}

bool CDesktopUriLauncher::OpenFolder(const std::string& folder) {
  gchar* uri = g_filename_to_uri(folder.c_str(), nullptr, nullptr);
  if (uri == nullptr) return false;
  GAppInfo* preferred = g_app_info_get_default_for_type("inode/directory", FALSE);
  GList* all = g_app_info_get_all_for_type("inode/directory");
  std::vector<GAppInfo*> apps;
  if (preferred != nullptr) apps.push_back(preferred);
  for (GList* item = all; item != nullptr; item = item->next) apps.push_back(G_APP_INFO(item->data));
  std::vector<DesktopHandler> handlers;
  for (GAppInfo* app : apps) handlers.push_back(FactsOf(app));
  int chosen = ChooseFolderHandler(handlers);
  bool started = chosen >= 0 && LaunchWith(apps[chosen], uri);
  if (preferred != nullptr) g_object_unref(preferred);
  g_list_free_full(all, g_object_unref);
  g_free(uri);
  return started;
}

IUriLauncher& GetUriLauncher() {
  static CDesktopUriLauncher desktop;
  return g_installed != nullptr ? *g_installed : desktop;
}

void SetUriLauncher(IUriLauncher* launcher) { g_installed = launcher; }

}  // namespace kov
