#pragma once
// One running KOV per desktop session. The first start owns the program's
// application id on the D-Bus session bus; a later start hands its folder or picture
// to that one and ends, instead of putting a second full-screen KOV on top. Without
// a session bus every start is the first (as each stands alone then).
#include <gio/gio.h>

#include <functional>
#include <string>

namespace kov {

constexpr const char kApplicationId[] = "com.norvane.kov";

class CSingleInstance {
 public:
  enum class Role { kFirst, kHandedOver };

  explicit CSingleInstance(const std::string& applicationId);
  ~CSingleInstance();
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // Claims the id. When another KOV holds it, path (absolute; "" for none) is sent to
  // that one, the message is on its way when this returns, and the answer is
  // kHandedOver.
  Role Start(const std::string& path);

  // In the first KOV: runs, from the main loop, for every later start, with the path
  // it handed over ("" when it named none).
  void SetHandler(std::function<void(const std::string& path)> handler) { handler_ = std::move(handler); }

 private:
  static void OnOpen(GApplication*, GFile** files, gint count, gchar*, gpointer self);
  static void OnActivate(GApplication*, gpointer self);

  GApplication* app_ = nullptr;
  std::function<void(const std::string&)> handler_;
};

}  // namespace kov
