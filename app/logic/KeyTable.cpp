#include "app/logic/KeyTable.h"

#include "res/Accelerators.h"
#include "res/CommandIds.h"

namespace kov {
namespace {

int AcceleratorCommand(const KeyPress& key) {
  const AcceleratorTable* table = LoadAccelerators(AcceleratorTableId::kToolbarKeys);
  if (!table) return 0;  // without the table the other keys still work
  unsigned modifiers = (key.shift ? unsigned(kAccelShift) : 0u) |
                       (key.ctrl ? unsigned(kAccelControl) : 0u) | (key.alt ? unsigned(kAccelAlt) : 0u);
  return TranslateAcceleratorKey(*table, key.keysym, modifiers);
}

bool HeldMatches(KeyHeld held, bool ctrl, bool shift) {
  switch (held) {
    case KeyHeld::kNothing: return !ctrl && !shift;
    case KeyHeld::kCtrl: return ctrl && !shift;
    case KeyHeld::kCtrlShiftEither: return ctrl;
    case KeyHeld::kShift: return !ctrl && shift;
    case KeyHeld::kShiftEither: return !ctrl;
  }
  return false;
}

unsigned ViewBit(KeyView view) { return view == KeyView::kPicture ? kInPicture : kInThumbnails; }

// The command of the first binding for this view whose modifiers are held and which
// lists the keysym; 0 when none does.
int BindingCommand(uint32_t keysym, bool ctrl, bool shift, KeyView view) {
  size_t count = 0;
  const KeyBinding* bindings = KeyBindings(&count);
  for (size_t i = 0; i < count; ++i) {
    const KeyBinding& binding = bindings[i];
    if ((binding.views & ViewBit(view)) == 0 || !HeldMatches(binding.held, ctrl, shift)) continue;
    for (const KeyStroke& stroke : binding.strokes) {
      if (stroke.keysym == 0) break;
      if (stroke.keysym == keysym) return stroke.command;
    }
  }
  return 0;
}

}  // namespace

int CommandForKey(const KeyPress& key, KeyView view) {
  if (int command = AcceleratorCommand(key)) return command;
  if (key.alt) return 0;
  return BindingCommand(key.keysym, key.ctrl, key.shift, view);
}

int CommandForKeyPlace(const KeyPress& key, const uint32_t* keyLevels, size_t levelCount, KeyView view) {
  if (int command = CommandForKey(key, view)) return command;
  if (key.ctrl || key.shift || key.alt) return 0;
  for (size_t i = 0; i < levelCount; ++i) {
    uint32_t sym = keyLevels[i];
    bool digitOrLatin = (sym >= '0' && sym <= '9') || (sym >= 'a' && sym <= 'z') || (sym >= 'A' && sym <= 'Z');
    if (!digitOrLatin) continue;
    return BindingCommand(sym, false, false, view);  // the key's own letter or digit
  }
  return 0;
}

}  // namespace kov
