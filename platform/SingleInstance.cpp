#include "platform/SingleInstance.h"

#include "platform/Trace.h"

namespace kov {

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
  if (app_ == nullptr) return Role::kFirst;
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
