#pragma once
// The toolbar's accelerator table: keys with modifiers that post a command to the
// toolbar. Keys are X11 keysym values, the numbers GDK reports as a key
// event's keyval, so the windows pass the event's keyval straight in while
// the core stays free of GTK headers. A key matches an entry only when
// exactly the entry's modifiers (of Shift, Ctrl, Alt) are held.
#include <cstddef>

#include "res/ResourceIds.h"

namespace kov {

// Modifier bits; only these three take part in matching.
enum AcceleratorModifier : unsigned {
  kAccelNone = 0,
  kAccelShift = 1u << 0,
  kAccelControl = 1u << 1,
  kAccelAlt = 1u << 2,
};

struct Accelerator {
  unsigned keysym;     // letters lower case, main-keyboard Page Up/Down
  unsigned modifiers;  // AcceleratorModifier bits
  int commandId;
};

struct AcceleratorTable {
  AcceleratorTableId id;
  const Accelerator* entries;
  size_t count;
};

// The accelerator table with resource id, or nullptr when there is none.
const AcceleratorTable* LoadAccelerators(AcceleratorTableId id);

// The command of the entry that the key matches, or 0 when none does.
// Upper-case letters match their lower-case entry and the keypad's Page Up
// and Page Down match the main keys, however Caps Lock and Num Lock stand;
// modifier bits other than Shift, Ctrl and Alt are ignored.
int TranslateAcceleratorKey(const AcceleratorTable& table, unsigned keysym, unsigned modifiers);

}  // namespace kov
