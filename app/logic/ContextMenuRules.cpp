#include "app/logic/ContextMenuRules.h"

#include "platform/DriveTypes.h"

namespace kov {

bool IsContextMenuEntryEnabled(int commandId, const ContextMenuFacts& facts) {
  // One file operation at a time: a second one could work on the same files.
  const bool canWorkOnFiles = facts.selectedCount > 0 && !facts.operationRunning;
  switch (commandId) {
    case kCmdPrintPreview:
    case kCmdPrintPage: return true;
    case kCmdSavePicture: return facts.onPicture;
    case kCmdCopySelected: return canWorkOnFiles;
    case kCmdMoveSelected:
    case kCmdDeleteSelected: return canWorkOnFiles && facts.folderDriveType == kDriveFixed;
    default: return false;
  }
}

}  // namespace kov
