#include "res/Accelerators.h"

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
    {'p', kAccelControl, 32819},           // print the pane in front
    {kKeyF1, kAccelNone, 32820},           // About
    {kKeyF1 + 1, kAccelNone, 32801},       // F2: open the folder tree
    {kKeyF1 + 2, kAccelNone, 32810},       // F3: rebuild thumbnails
    {kKeyF1 + 3, kAccelNone, 32817},       // F4: background picture and music
    {kKeyF1 + 4, kAccelNone, 32809},       // F5: refresh
    {kKeyF1 + 5, kAccelNone, 32816},       // F6: thumbnails for a web page
    {kKeyF1 + 6, kAccelNone, 32811},       // F7: open the folder in the file manager
    {kKeyPageDown, kAccelControl, 32821},  // next folder
    {kKeyPageUp, kAccelControl, 32822},    // previous folder
};

const AcceleratorTable kTables[] = {
    {169, kMainAccelerators, sizeof(kMainAccelerators) / sizeof(kMainAccelerators[0])},
};

unsigned CanonicalKey(unsigned keysym) {
  if (keysym >= 'A' && keysym <= 'Z') return keysym - 'A' + 'a';
  if (keysym == kKeyKeypadPageUp) return kKeyPageUp;
  if (keysym == kKeyKeypadPageDown) return kKeyPageDown;
  return keysym;
}

}  // namespace

const AcceleratorTable* LoadAccelerators(int id) {
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
