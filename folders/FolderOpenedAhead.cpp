#include "folders/FolderOpenedAhead.h"

#include <utility>

#include "thumbs/FolderStaleness.h"

namespace kov {

CFolderOpenedAhead::~CFolderOpenedAhead() {
  if (opened_.valid()) opened_.wait();
}

void CFolderOpenedAhead::Start(const std::string& root) {
  if (root.empty() || !root_.empty()) return;
  root_ = root;
  // The walk and the cache test touch nothing but the files they read.
  opened_ = std::async(std::launch::async, [root] {
    Opened opened;
    opened.walker.Open(root);
    opened.current = IsFolderCurrent(opened.walker.CurrentFolder());
    return opened;
  });
}

bool CFolderOpenedAhead::Take(const std::string& root, CFolderWalker* walker, bool* current) {
  if (taken_ || !opened_.valid()) return false;
  taken_ = true;
  // Another folder opened first: the walk ahead is of no use, and is not waited for.
  if (root != root_) return false;
  Opened opened = opened_.get();
  *walker = std::move(opened.walker);
  *current = opened.current;
  return true;
}

}  // namespace kov
