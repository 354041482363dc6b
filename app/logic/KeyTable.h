#pragma once
// Which command a key press posts to the toolbar. Keys are X keysyms (the same
// numbers GDK uses for key values), so this stays free of the toolkit.
#include <cstdint>

namespace kov {

struct KeyPress {
  uint32_t keysym = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// Accelerator table 169 first (F-keys, Ctrl+P, Ctrl+Page Up/Down), then the plain
// keys, which only count with no Ctrl, Shift or Alt held. 0 when the key is not
// mapped and must pass through to the page.
int CommandForKey(const KeyPress& key);

}  // namespace kov
