#pragma once
// Opening an address with the desktop's default handler (a web page, a file, a
// folder). Callers go through IUriLauncher so tests can see what would be opened
// without starting another program.
#include <string>
#include <vector>

namespace kov {

class IUriLauncher {
 public:
  virtual ~IUriLauncher() = default;
  // Starts opening uri with the desktop's handler for it and returns at once; false
  // when the desktop has none, and then nothing starts.
  virtual bool LaunchDefault(const std::string& uri) = 0;
  // Opens folder in the desktop's file manager, never in this program, even where it
  // is the desktop's handler for folders; false when there is no other.
  virtual bool OpenFolder(const std::string& folder) = 0;
};

// GIO's asynchronous launches, so the caller never waits for the handler to start.
class CDesktopUriLauncher : public IUriLauncher {
 public:
  bool LaunchDefault(const std::string& uri) override;
  bool OpenFolder(const std::string& folder) override;
};

// A program the desktop offers for a type: its desktop-file id and command.
struct DesktopHandler {
  std::string id;
  std::string executable;
};
// Whether a handler is this program, by its desktop file or its command's name.
bool IsOwnProgram(const DesktopHandler& handler);
// Which of handlers (the default first, then the others for the type) opens a
// folder: the first that is not this program; -1 for none.
int ChooseFolderHandler(const std::vector<DesktopHandler>& handlers);

// The launcher the program uses: the desktop's unless a test installed its own.
IUriLauncher& GetUriLauncher();
// Installs launcher (not owned); null restores the desktop's.
void SetUriLauncher(IUriLauncher* launcher);

}  // namespace kov
