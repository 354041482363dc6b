#include "res/Menus.h"

namespace kov {
namespace {

const MenuItem kContextMenuItems[] = {
    {32802, "Print Preview"},
    {32803, "Print...\t\t(Ctrl + P)"},
    {0, nullptr},
    {32804, "Save Picture..."},
    {0, nullptr},
    {32806, "Copy Selected..."},
    {32808, "Move Selected..."},
    {32807, "Delete Selected..."},
};

const MenuItem kToolsMenuItems[] = {
    {32810, "Rebuild Thumbnails...\t\t(F3)"},
    {32817, "Background Picture && Music...\t\t(F4)"},
    {32816, "Thumbnails for Web Page...\t\t(F6)"},
    {32811, "Windows Explorer...\t\t(F7)"},
};

const Menu kMenus[] = {
    {171, "CM", kContextMenuItems, sizeof(kContextMenuItems) / sizeof(kContextMenuItems[0])},
    {179, "TP", kToolsMenuItems, sizeof(kToolsMenuItems) / sizeof(kToolsMenuItems[0])},
};

}  // namespace

const Menu* LoadMenu(int id) {
  for (const Menu& menu : kMenus) {
    if (menu.id == id) return &menu;
  }
  return nullptr;
}

MenuLabel SplitMenuText(const char* text) {
  MenuLabel result;
  if (!text) return result;
  const char* p = text;
  for (; *p && *p != '\t'; ++p) {
    if (*p == '&') {
      if (p[1] == '&') {
        result.mnemonicLabel += '&';
        ++p;
      } else if (p[1] && p[1] != '\t') {
        result.mnemonicLabel += '_';
      }
      continue;  // a lone '&' at the end marks nothing
    }
    if (*p == '_') result.mnemonicLabel += '_';
    result.mnemonicLabel += *p;
  }
  while (*p == '\t') ++p;
  result.keyHint = p;
  return result;
}

}  // namespace kov
