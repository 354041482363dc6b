#pragma once
// The folder a start opens first, opened ahead on a worker thread while the toolkit
// and the windows start: its walk, and whether the thumbnail cache of the walk's
// current folder is current. Listing a folder of 5000 pictures and testing its cache
// took the window thread 40 to 70 ms before it could ask for the list page; the
// toolkit's start leaves the second core idle for longer than that.
#include <future>
#include <string>

#include "folders/FolderWalker.h"

namespace kov {

class CFolderOpenedAhead {
 public:
  CFolderOpenedAhead() = default;
  ~CFolderOpenedAhead();  // waits for the worker
  CFolderOpenedAhead(const CFolderOpenedAhead&) = delete;
  CFolderOpenedAhead& operator=(const CFolderOpenedAhead&) = delete;

  // Starts opening root (once; a later call does nothing). An empty root starts nothing.
  void Start(const std::string& root);

  // When root is exactly the folder started: waits for the worker, hands its walk to
  // *walker and the cache test of the walk's current folder to *current, and returns
  // true. Otherwise false, with nothing handed over. Either way what was opened ahead
  // is dropped: it answers the first opening only, which follows the start at once.
  bool Take(const std::string& root, CFolderWalker* walker, bool* current);

 private:
  struct Opened {
    CFolderWalker walker;
    bool current = false;
  };

  std::string root_;
  std::future<Opened> opened_;
  bool taken_ = false;
};

}  // namespace kov
