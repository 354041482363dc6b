#include "res/Menus.h"

#include "res/CommandIds.h"

namespace kov {
namespace {

const MenuItem kContextMenuItems[] = {
    {kCmdPrintPreview, "Print Preview"},
    {kCmdPrintPage, "Print...\t\t(Ctrl + P)"},
    {0, nullptr},
    {kCmdSavePicture, "Save Picture..."},
    {0, nullptr},
    {kCmdCopySelected, "Copy Selected..."},
    {kCmdMoveSelected, "Move Selected..."},
    {kCmdDeleteSelected, "Delete Selected..."},
};

const MenuItem kToolsMenuItems[] = {
    {kCmdRebuildThumbnails, "Rebuild Thumbnails...\t\t(F3)"},
    {kCmdBackground, "Background Picture && Music...\t\t(F4)"},
    {kCmdWebThumbnails, "Thumbnails for Web Page...\t\t(F6)"},
    {kCmdOpenFileManager, "File Manager...\t\t(F7)"},
};

const Menu kMenus[] = {
    {MenuId::kContextMenu, "CM", kContextMenuItems, sizeof(kContextMenuItems) / sizeof(kContextMenuItems[0])},
    {MenuId::kToolsMenu, "TP", kToolsMenuItems, sizeof(kToolsMenuItems) / sizeof(kToolsMenuItems[0])},
};

}  // namespace

const Menu* LoadMenu(MenuId id) {
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
