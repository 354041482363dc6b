// The keys of the picture view beside those of the thumbnail list, and the key
// list that the help page, `kov --help`, the manual page and the guide show.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/logic/CommandLine.h"
#include "app/logic/KeyHelp.h"
#include "app/logic/KeyTable.h"
#include "res/Accelerators.h"
#include "res/CommandIds.h"

using namespace kov;

namespace {

int Key(KeyView view, uint32_t keysym, bool ctrl = false, bool shift = false) {
  KeyPress key;
  key.keysym = keysym, key.ctrl = ctrl, key.shift = shift;
  return CommandForKey(key, view);
}

std::string SourceFile(const std::string& relative) {
  std::ifstream in(std::string(KOV_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(KeyTable, PictureViewKeysBesideTheListsAndTheOldKeysInBoth) {
  struct Case {
    const char* name;
    uint32_t keysym;
    bool ctrl, shift;
    int inPicture, inList;
  };
  const Case cases[] = {
      // Added keys: the picture view takes them, the list leaves them to the page.
      {"Right", 0xff53, false, false, kCmdPanOrNextPicture, 0},
      {"keypad Right", 0xff98, false, false, kCmdPanOrNextPicture, 0},
      {"Left", 0xff51, false, false, kCmdPanOrPreviousPicture, 0},
      {"Page Down", 0xff56, false, false, kCmdShowNextPicture, 0},
      {"Page Up", 0xff55, false, false, kCmdShowPreviousPicture, 0},
      {"Home", 0xff50, false, false, kCmdFirstPicture, 0},
      {"End", 0xff57, false, false, kCmdLastPicture, 0},
      {"Backspace", 0xff08, false, false, kCmdBackToThumbnails, 0},
      {"Up pans in the page", 0xff52, false, false, 0, 0},
      {"Ctrl+plus", '+', true, true, kCmdZoomIn, 0},
      {"Ctrl+= (plus without Shift)", '=', true, false, kCmdZoomIn, 0},
      {"Ctrl+keypad plus", 0xffab, true, false, kCmdZoomIn, 0},
      {"Ctrl+minus", '-', true, false, kCmdZoomOut, 0},
      {"Ctrl+0", '0', true, false, kCmdZoomToFit, 0},
      {"Ctrl+1", '1', true, false, kCmdZoomToActualSize, 0},
      {"plus alone", '+', false, true, 0, 0},
      {"[", '[', false, false, kCmdRotateLeft, 0},
      {"]", ']', false, false, kCmdRotateRight, 0},
      {"I", 'i', false, false, kCmdToggleCaption, 0},
      {"Shift+I", 'I', false, true, 0, 0},
      {"?", '?', false, true, kCmdKeyHelp, kCmdKeyHelp},
      {"H", 'h', false, false, kCmdKeyHelp, kCmdKeyHelp},
      {"Ctrl+H", 'h', true, false, 0, 0},
      {"M", 'm', false, false, kCmdToggleMute, kCmdToggleMute},
      {"Shift+Space", ' ', false, true, kCmdShuffledSlideShow, kCmdShuffledSlideShow},
      {"Ctrl+Space", ' ', true, false, 0, 0},
      {"X", 'x', false, false, kCmdToggleCrossFade, kCmdToggleCrossFade},
      // The keys that were there before mean what they meant, in both views.
      {"Return", 0xff0d, false, false, kCmdNextImage, kCmdNextImage},
      {"Escape", 0xff1b, false, false, kCmdEscape, kCmdEscape},
      {"Space", ' ', false, false, kCmdToggleSlideShow, kCmdToggleSlideShow},
      {"Delete", 0xffff, false, false, kCmdReverseDirection, kCmdReverseDirection},
      {"keypad decimal", 0xffae, false, false, kCmdReverseDirection, kCmdReverseDirection},
      {"0", '0', false, false, kCmdInterval10, kCmdInterval10},
      {"keypad 1", 0xffb1, false, false, kCmdInterval1, kCmdInterval1},
      {"5", '5', false, false, kCmdInterval5, kCmdInterval5},
      {"F", 'f', false, false, kCmdInterval15, kCmdInterval15},
      {"T", 'T', false, false, kCmdInterval20, kCmdInterval20},
      {"Shift+Return", 0xff0d, false, true, 0, 0},
      {"F1", 0xffbe, false, false, kCmdAbout, kCmdAbout},
      {"F3", 0xffc0, false, false, kCmdRebuildThumbnails, kCmdRebuildThumbnails},
      {"Ctrl+P", 'p', true, false, kCmdPrint, kCmdPrint},
      {"Ctrl+Page Down", 0xff56, true, false, kCmdNextFolder, kCmdNextFolder},
      {"Ctrl+Page Up", 0xff55, true, false, kCmdPreviousFolder, kCmdPreviousFolder},
      {"4 stays unmapped", '4', false, false, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Key(KeyView::kPicture, c.keysym, c.ctrl, c.shift), c.inPicture) << c.name << " in the picture";
    EXPECT_EQ(Key(KeyView::kThumbnails, c.keysym, c.ctrl, c.shift), c.inList) << c.name << " in the list";
  }
  KeyPress altRight;
  altRight.keysym = 0xff53, altRight.alt = true;
  EXPECT_EQ(CommandForKey(altRight, KeyView::kPicture), 0);
}

// What the help lists is what the keys do: each key a binding names gives the
// binding's command where it is said to work, and every accelerator is listed.
TEST(KeyHelp, TheListedKeysAreTheKeysThatWork) {
  size_t count = 0;
  const KeyBinding* bindings = KeyBindings(&count);
  for (size_t i = 0; i < count; ++i) {
    const KeyBinding& b = bindings[i];
    const bool ctrl = b.held == KeyHeld::kCtrl || b.held == KeyHeld::kCtrlShiftEither;
    const bool shift = b.held == KeyHeld::kShift;
    for (const KeyStroke& stroke : b.strokes) {
      if (stroke.keysym == 0) break;
      for (KeyView view : {KeyView::kThumbnails, KeyView::kPicture}) {
        bool listed = (b.views & (view == KeyView::kPicture ? kInPicture : kInThumbnails)) != 0;
        if (listed) {
          EXPECT_EQ(Key(view, stroke.keysym, ctrl, shift), stroke.command) << b.keys;
        }
      }
    }
  }
  const AcceleratorTable* table = LoadAccelerators(AcceleratorTableId::kToolbarKeys);
  ASSERT_NE(table, nullptr);
  for (size_t a = 0; a < table->count; ++a) {
    bool listed = false;
    for (size_t i = 0; i < count; ++i)
      for (const KeyStroke& stroke : bindings[i].strokes)
        listed = listed || (stroke.keysym == table->entries[a].keysym && stroke.command == table->entries[a].commandId);
    EXPECT_TRUE(listed) << "accelerator for command " << table->entries[a].commandId;
  }
}

TEST(KeyHelp, ManualPageGuideAndUsageHoldTheGeneratedKeys) {
  struct Document {
    const char* path;
    const char* begin;
    const char* end;
    std::string generated;
  };
  const Document documents[] = {{"docs/man/kov.1", kManKeysBegin, kManKeysEnd, KeyHelpManPage()},
                                {"docs/USING.md", kGuideKeysBegin, kGuideKeysEnd, KeyHelpMarkdown()}};
  for (const Document& d : documents) {
    std::string part;
    ASSERT_TRUE(GeneratedPart(SourceFile(d.path), d.begin, d.end, &part)) << d.path << ": markers missing";
    EXPECT_EQ(part, d.generated) << d.path << " is out of date: run scripts/update-key-docs.sh build/kovtool";
  }
  EXPECT_NE(UsageText().find(KeyHelpText()), std::string::npos);
  for (const char* phrase : {"Right, Page Down", "Ctrl+wheel", "F4", "F6", "Ctrl+P", "right-click", "Ctrl+click"})
    EXPECT_NE(KeyHelpText().find(phrase), std::string::npos) << phrase;
}
