#pragma once
// The program's pop-up menus: the context menu of the pages (popup "CM") and the
// settings-and-tools menu of the toolbar (popup "TP").
// Item texts are stored in their resource form: '&' marks the mnemonic
// letter, "&&" is a literal ampersand, and the key hint follows tabs.
#include <cstddef>
#include <string>

#include "res/ResourceIds.h"

namespace kov {

struct MenuItem {
  int commandId;     // 0 for a separator
  const char* text;  // nullptr for a separator
};

struct Menu {
  MenuId id;
  const char* popupName;
  const MenuItem* items;
  size_t count;
};

// The menu with resource id, or nullptr when there is none.
const Menu* LoadMenu(MenuId id);

// An item text split for a GTK menu: the label in GTK's mnemonic syntax
// ('_' before the mnemonic letter, a literal '_' doubled) and the key hint
// that followed the tabs, such as "(F3)"; the hint is empty when there is none.
struct MenuLabel {
  std::string mnemonicLabel;
  std::string keyHint;
};
MenuLabel SplitMenuText(const char* text);

}  // namespace kov
