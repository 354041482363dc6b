#include "platform/SingleInstance.h"

#include "platform/Trace.h"

namespace kov {

namespace {

// Whether a session bus may be there: an address given, the user's bus socket, or
// the program that starts a bus for an X display. Without any of them asking fails
// anyway, after starting a process to look for the program (several milliseconds of
// every start).
bool SessionBusMayExist() {
  if (g_getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return true;
  if (const char* runtime = g_getenv("XDG_RUNTIME_DIR")) {
    char* socket = g_build_filename(runtime, "bus", nullptr);
    bool exists = g_file_test(socket, G_FILE_TEST_EXISTS);
    g_free(socket);
    if (exists) return true;
  }
  char* launcher = g_find_program_in_path("dbus-launch");
  bool found = launcher != nullptr;
  g_free(launcher);
  return found;
}

}  // namespace

CSingleInstance::CSingleInstance(const std::string& applicationId) {
  if (!g_application_id_is_valid(applicationId.c_str())) return;
  app_ = g_application_new(applicationId.c_str(), G_APPLICATION_HANDLES_OPEN);
  g_signal_connect(app_, "open", G_CALLBACK(OnOpen), this);
  g_signal_connect(app_, "activate", G_CALLBACK(OnActivate), this);
}

CSingleInstance::~CSingleInstance() {
  if (app_ != nullptr) g_object_unref(app_);
}

CSingleInstance::Role CSingleInstance::Start(const std::string& path) {
  if (app_ == nullptr || !SessionBusMayExist()) return Role::kFirst;
  // Registration fails only on a bus error; then this start stands alone.
  if (!g_application_register(app_, nullptr, nullptr) || !g_application_get_is_remote(app_))
    return Role::kFirst;
  if (path.empty()) {
    g_application_activate(app_);
  } else {
    GFile* file = g_file_new_for_path(path.c_str());
    g_application_open(app_, &file, 1, "");
    g_object_unref(file);
  }
  // The call is sent without waiting for an answer: it must leave before the process.
  if (GDBusConnection* bus = g_application_get_dbus_connection(app_))
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
  return Role::kHandedOver;
}

void CSingleInstance::OnOpen(GApplication*, GFile** files, gint count, gchar*, gpointer self) {
  auto* instance = static_cast<CSingleInstance*>(self);
  // A file manager may hand over several: the first is opened, as on a command line.
  if (count < 1 || !instance->handler_) return;
  char* path = g_file_get_path(files[0]);
  std::string opened = path ? path : "";
  g_free(path);
  TraceLine("handed over " + opened);
  if (!opened.empty()) instance->handler_(opened);
}

void CSingleInstance::OnActivate(GApplication*, gpointer self) {
  auto* instance = static_cast<CSingleInstance*>(self);
  TraceLine("handed over");
  if (instance->handler_) instance->handler_("");
}

}  // namespace kov
