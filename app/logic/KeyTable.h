#pragma once
// Which command a key press posts to the viewer. Keys are X keysyms (the same
// numbers GDK uses for key values), so this stays free of the toolkit.
#include <cstddef>
#include <cstdint>

#include "app/logic/KeyBindings.h"

namespace kov {

struct KeyPress {
  uint32_t keysym = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// The toolbar's accelerator table first (F-keys, Ctrl+P, Ctrl+Page Up/Down), then the keys of
// the binding table for the view in front, each only with the modifiers it names.
// 0 when the key is not mapped and must pass through to the page.
int CommandForKey(const KeyPress& key, KeyView view = KeyView::kThumbnails);

// The same, for a key whose own keysym maps to nothing: the plain digit and letter
// keys are taken by their place on the keyboard, whatever the layout, so the speed
// keys stay where the user's fingers expect them. keyLevels are every keysym the
// pressed key gives (its levels and layout groups, as the keymap lists them); the
// first digit or Latin letter among them that is a plain key counts. So on a French
// layout the unshifted "&" key is 1, and on a Cyrillic one the key of F is F.
// Modifiers block it as they block every plain key.
int CommandForKeyPlace(const KeyPress& key, const uint32_t* keyLevels, size_t levelCount,
                       KeyView view = KeyView::kThumbnails);

}  // namespace kov
