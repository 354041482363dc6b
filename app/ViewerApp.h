#pragma once
// The viewer's start-up and shutdown: the toolkit, the browser engine, the built-in
// music's private file, then the main dialog and the main loop until the main dialog
// is cancelled. A failed toolkit or engine start ends the process silently.
namespace kov {

class CViewerApp {
 public:
  // The process's exit status: 0 after a normal quit, 1 when it could not start.
  int Run(int* argc, char*** argv);
};

}  // namespace kov
