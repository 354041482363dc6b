// The string table, the two pop-up menus and accelerator table 169.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "res/Accelerators.h"
#include "res/Menus.h"
#include "res/StringTable.h"

using namespace kov;

namespace {
// The string table by number: these tests pin the ids the names stand for.
const char* Text(int id) { return LoadString(static_cast<StringId>(id)); }
}  // namespace

TEST(StringTable, KnownTextsFormatsAndMissingIds) {
  ASSERT_NE(Text(5000), nullptr);
  EXPECT_STREQ(Text(5000), "Quit KOV");
  EXPECT_STREQ(Text(5016), "This will close KOV application.\r\n\r\nAre you sure?");
  EXPECT_STREQ(Text(5009), "Back to thumbnails\r\nShortcut key: Escape");
  EXPECT_STREQ(Text(5021), "Maximize");
  EXPECT_EQ(Text(5015), nullptr);
  EXPECT_EQ(Text(5018), nullptr);
  EXPECT_EQ(Text(0), nullptr);
  EXPECT_EQ(Text(-5000), nullptr);

  // The two format strings take exactly the arguments their callers pass.
  char text[256];
  std::snprintf(text, sizeof text, Text(5017), 3ul);
  EXPECT_STREQ(text, "3 files will be deleted.\r\n\r\nContinue?");
  std::snprintf(text, sizeof text, Text(5006), "/home/u/empty");
  EXPECT_STREQ(text, "<h3>There are no any image files in the current folder.</h3><p>/home/u/empty</p>");
  // Every other string is shown as it stands and must hold no conversion.
  for (int id = 5000; id <= 5021; ++id) {
    const char* s = Text(id);
    if (!s || id == 5006 || id == 5017) continue;
    EXPECT_EQ(std::string(s).find('%'), std::string::npos) << id;
  }
  // File filters: name|patterns pairs closed by "||", which the file chooser splits.
  for (int id : {5007, 5008}) {
    const std::string filter = Text(id);
    ASSERT_GE(filter.size(), 2u);
    EXPECT_EQ(filter.substr(filter.size() - 2), "||") << id;
    int bars = 0;
    for (char c : filter) bars += (c == '|');
    EXPECT_EQ(bars, 5) << id;  // name|patterns|name|patterns||
    EXPECT_NE(filter.find("|*.*||"), std::string::npos) << id;
  }
  EXPECT_NE(std::string(Text(5008)).find("*.png"), std::string::npos);
  EXPECT_NE(std::string(Text(5007)).find("*.mid"), std::string::npos);
}

TEST(Menus, ContextAndToolsMenusInOrder) {
  const Menu* context = LoadMenu(static_cast<MenuId>(171));
  ASSERT_NE(context, nullptr);
  EXPECT_STREQ(context->popupName, "CM");
  const int contextIds[] = {32802, 32803, 0, 32804, 0, 32806, 32808, 32807};
  ASSERT_EQ(context->count, sizeof(contextIds) / sizeof(contextIds[0]));
  for (size_t i = 0; i < context->count; ++i) {
    EXPECT_EQ(context->items[i].commandId, contextIds[i]) << i;
    EXPECT_EQ(context->items[i].text == nullptr, contextIds[i] == 0) << i;
  }
  EXPECT_STREQ(context->items[1].text, "Print...\t\t(Ctrl + P)");

  const Menu* tools = LoadMenu(static_cast<MenuId>(179));
  ASSERT_NE(tools, nullptr);
  EXPECT_STREQ(tools->popupName, "TP");
  const int toolIds[] = {32810, 32817, 32816, 32811};
  ASSERT_EQ(tools->count, 4u);
  for (size_t i = 0; i < tools->count; ++i) EXPECT_EQ(tools->items[i].commandId, toolIds[i]) << i;
  EXPECT_STREQ(tools->items[1].text, "Background Picture && Music...\t\t(F4)");

  EXPECT_EQ(LoadMenu(static_cast<MenuId>(170)), nullptr);
  EXPECT_EQ(LoadMenu(static_cast<MenuId>(169)), nullptr);  // an accelerator table, not a menu
}

TEST(Menus, SplitMenuTextForGtkLabels) {
  MenuLabel label = SplitMenuText("Background Picture && Music...\t\t(F4)");
  EXPECT_EQ(label.mnemonicLabel, "Background Picture & Music...");
  EXPECT_EQ(label.keyHint, "(F4)");
  label = SplitMenuText("Print...\t\t(Ctrl + P)");
  EXPECT_EQ(label.mnemonicLabel, "Print...");
  EXPECT_EQ(label.keyHint, "(Ctrl + P)");
  label = SplitMenuText("Save Picture...");
  EXPECT_EQ(label.mnemonicLabel, "Save Picture...");
  EXPECT_EQ(label.keyHint, "");
  // A single '&' marks the mnemonic; GTK's own marker '_' is doubled to stay literal.
  label = SplitMenuText("&Open my_file");
  EXPECT_EQ(label.mnemonicLabel, "_Open my__file");
  label = SplitMenuText("trailing&");
  EXPECT_EQ(label.mnemonicLabel, "trailing");
  label = SplitMenuText("a&\tb");
  EXPECT_EQ(label.mnemonicLabel, "a");
  EXPECT_EQ(label.keyHint, "b");
  label = SplitMenuText(nullptr);
  EXPECT_EQ(label.mnemonicLabel, "");
  EXPECT_EQ(label.keyHint, "");
}

TEST(Accelerators, TableOneSixtyNineMatchesExactModifiers) {
  EXPECT_EQ(LoadAccelerators(static_cast<AcceleratorTableId>(168)), nullptr);
  const AcceleratorTable* table = LoadAccelerators(static_cast<AcceleratorTableId>(169));
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->count, 11u);
  std::set<int> commands;
  for (size_t i = 0; i < table->count; ++i) commands.insert(table->entries[i].commandId);
  EXPECT_EQ(commands.size(), 11u);  // every entry its own command

  const unsigned kF1 = 0xffbe, kPageUp = 0xff55, kPageDown = 0xff56;
  const unsigned kKeypadPageUp = 0xff9a, kKeypadPageDown = 0xff9b;
  const int fKeyCommands[] = {32820, 32801, 32810, 32817, 32809, 32816, 32811};
  for (unsigned f = 0; f < 7; ++f) {
    EXPECT_EQ(TranslateAcceleratorKey(*table, kF1 + f, kAccelNone), fKeyCommands[f]) << "F" << f + 1;
    EXPECT_EQ(TranslateAcceleratorKey(*table, kF1 + f, kAccelControl), 0) << "Ctrl+F" << f + 1;
  }
  EXPECT_EQ(TranslateAcceleratorKey(*table, kF1 + 7, kAccelNone), 0);  // F8 is not mapped
  EXPECT_EQ(TranslateAcceleratorKey(*table, kF1 + 10, kAccelNone), 32831);  // F11: full screen

  EXPECT_EQ(TranslateAcceleratorKey(*table, 'p', kAccelControl), 32819);
  EXPECT_EQ(TranslateAcceleratorKey(*table, 'P', kAccelControl), 32819);  // Caps Lock
  EXPECT_EQ(TranslateAcceleratorKey(*table, 'p', kAccelNone), 0);
  EXPECT_EQ(TranslateAcceleratorKey(*table, 'P', kAccelControl | kAccelShift), 0);
  EXPECT_EQ(TranslateAcceleratorKey(*table, 'p', kAccelControl | kAccelAlt), 0);
  // Bits beyond Shift, Ctrl and Alt (lock keys, mouse buttons) do not matter.
  EXPECT_EQ(TranslateAcceleratorKey(*table, 'p', kAccelControl | 0x100), 32819);

  EXPECT_EQ(TranslateAcceleratorKey(*table, kPageDown, kAccelControl), 32821);
  EXPECT_EQ(TranslateAcceleratorKey(*table, kPageUp, kAccelControl), 32822);
  EXPECT_EQ(TranslateAcceleratorKey(*table, kKeypadPageDown, kAccelControl), 32821);
  EXPECT_EQ(TranslateAcceleratorKey(*table, kKeypadPageUp, kAccelControl), 32822);
  EXPECT_EQ(TranslateAcceleratorKey(*table, kPageDown, kAccelNone), 0);
  EXPECT_EQ(TranslateAcceleratorKey(*table, 0xff0d, kAccelNone), 0);  // Return is a plain key
}
