#pragma once
// Which entries of the pages' context menu can be chosen: printing always;
// Save Picture only over a picture; the file operations only with thumbnails selected,
// and moving or deleting only in a folder on a fixed volume.
#include <cstddef>

#include "res/CommandIds.h"

namespace kov {

struct ContextMenuFacts {
  bool onPicture = false;        // the click was on a picture that names a file
  size_t selectedCount = 0;      // thumbnails selected in the page
  int folderDriveType = 0;       // of the current folder (DriveType numbers)
  bool operationRunning = false; // a copy, move or delete is still working
};

bool IsContextMenuEntryEnabled(int commandId, const ContextMenuFacts& facts);

}  // namespace kov
