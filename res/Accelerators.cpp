#include "res/Accelerators.h"

#include "res/CommandIds.h"

namespace kov {
namespace {

// X11 keysyms
constexpr unsigned kKeyPageUp = 0xff55;
constexpr unsigned kKeyPageDown = 0xff56;
constexpr unsigned kKeyKeypadPageUp = 0xff9a;
constexpr unsigned kKeyKeypadPageDown = 0xff9b;
constexpr unsigned kKeyF1 = 0xffbe;  // F2.. follow

constexpr unsigned kModifierMask = kAccelShift | kAccelControl | kAccelAlt;

const Accelerator kMainAccelerators[] = {
    {'p', kAccelControl, kCmdPrint},                // print the pane in front
    {kKeyF1, kAccelNone, kCmdAbout},                // About
    {kKeyF1 + 1, kAccelNone, kCmdOpenFolderTree},   // F2: open the folder tree
    {kKeyF1 + 2, kAccelNone, kCmdRebuildThumbnails},  // F3: rebuild thumbnails
    {kKeyF1 + 3, kAccelNone, kCmdBackground},       // F4: background picture and music
    {kKeyF1 + 4, kAccelNone, kCmdRefresh},          // F5: refresh
    {kKeyF1 + 5, kAccelNone, kCmdWebThumbnails},    // F6: thumbnails for a web page
    {kKeyF1 + 6, kAccelNone, kCmdOpenFileManager},  // F7: open the folder in the file manager
    {kKeyF1 + 10, kAccelNone, kCmdToggleFullScreen},  // F11: full screen or the restored window
    {kKeyPageDown, kAccelControl, kCmdNextFolder},  // next folder
    {kKeyPageUp, kAccelControl, kCmdPreviousFolder},  // previous folder
};

const AcceleratorTable kTables[] = {
    {AcceleratorTableId::kToolbarKeys, kMainAccelerators, sizeof(kMainAccelerators) / sizeof(kMainAccelerators[0])},
};

unsigned CanonicalKey(unsigned keysym) {
  if (keysym >= 'A' && keysym <= 'Z') return keysym - 'A' + 'a';
  if (keysym == kKeyKeypadPageUp) return kKeyPageUp;
  if (keysym == kKeyKeypadPageDown) return kKeyPageDown;
  return keysym;
}

}  // namespace

const AcceleratorTable* LoadAccelerators(AcceleratorTableId id) {
  for (const AcceleratorTable& table : kTables) {
    if (table.id == id) return &table;
  }
  return nullptr;
}

int TranslateAcceleratorKey(const AcceleratorTable& table, unsigned keysym, unsigned modifiers) {
  const unsigned key = CanonicalKey(keysym);
  const unsigned held = modifiers & kModifierMask;
  for (size_t i = 0; i < table.count; ++i) {
    if (table.entries[i].keysym == key && table.entries[i].modifiers == held) {
      return table.entries[i].commandId;
    }
  }
  return 0;
}

}  // namespace kov
