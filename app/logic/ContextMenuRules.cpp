#include "app/logic/ContextMenuRules.h"

#include "pages/ContentTypes.h"

namespace kov {

bool IsContextMenuEntryEnabled(int commandId, const ContextMenuFacts& facts) {
  // One file operation at a time: a second one could work on the same files.
  const bool canWorkOnFiles = facts.selectedCount > 0 && !facts.operationRunning;
  switch (commandId) {
    case kMenuPrintPreview:
    case kMenuPrint: return true;
    case kMenuSavePicture: return facts.onPicture;
    case kMenuCopySelected: return canWorkOnFiles;
    case kMenuMoveSelected:
    case kMenuDeleteSelected: return canWorkOnFiles && facts.folderDriveType == kDriveFixed;
    default: return false;
  }
}

}  // namespace kov
