#pragma once
// Opening an address with the desktop's default handler (a web page, a file, a
// folder). Callers go through IUriLauncher so tests can see what would be opened
// without starting another program.
#include <string>

namespace kov {

class IUriLauncher {
 public:
  virtual ~IUriLauncher() = default;
  // Starts opening uri and returns at once; a failure is not reported, as a
  // desktop that cannot open an address shows nothing.
  virtual void LaunchDefault(const std::string& uri) = 0;
};

// GIO's asynchronous default-handler launch, so the caller never waits for the
// handler to start.
class CDesktopUriLauncher : public IUriLauncher {
 public:
  void LaunchDefault(const std::string& uri) override;
};

// The launcher the program uses: the desktop's unless a test installed its own.
IUriLauncher& GetUriLauncher();
// Installs launcher (not owned); null restores the desktop's.
void SetUriLauncher(IUriLauncher* launcher);

}  // namespace kov
