#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <glib/gstdio.h>

#include "app/logic/KeyTable.h"
#include "app/logic/Layout.h"
#include "app/logic/PageStatements.h"
#include "app/logic/ViewDecisions.h"
#include "res/CommandIds.h"

using namespace kov;

namespace {
int Key(uint32_t keysym, bool ctrl = false, bool shift = false, bool alt = false) {
  KeyPress key;
  key.keysym = keysym, key.ctrl = ctrl, key.shift = shift, key.alt = alt;
  return CommandForKey(key);
}
}  // namespace

TEST(KeyTable, PlainKeysOnlyWithoutModifiers) {
  EXPECT_EQ(Key(0xff0d), kCmdNextImage);
  EXPECT_EQ(Key('1'), kCmdInterval1);
  EXPECT_EQ(Key(0xffb1), kCmdInterval1);  // keypad 1
  EXPECT_EQ(Key('0'), kCmdInterval10);
  EXPECT_EQ(Key('F'), kCmdInterval15);
  EXPECT_EQ(Key('t'), kCmdInterval20);
  EXPECT_EQ(Key(0xffae), kCmdReverseDirection);
  EXPECT_EQ(Key('1', true), 0);                  // Ctrl+1
  EXPECT_EQ(Key(0xff0d, false, true), 0);        // Shift+Return
  EXPECT_EQ(Key(0xff1b, false, false, true), 0);  // Alt+Escape
  for (uint32_t unmapped : {uint32_t('4'), uint32_t('6'), uint32_t('9'), uint32_t('a'), 0xff51u})
    EXPECT_EQ(Key(unmapped), 0) << unmapped;
}

// Keys taken by their place, as the keymap lists what each key gives.
TEST(KeyTable, DigitAndLetterKeysCountByTheirPlaceOnOtherLayouts) {
  auto place = [](uint32_t keysym, std::vector<uint32_t> levels, bool shift = false) {
    KeyPress key;
    key.keysym = keysym, key.shift = shift;
    return CommandForKeyPlace(key, levels.data(), levels.size());
  };
  // French: the unshifted keys of the number row give & and \xe9; their digits need Shift.
  EXPECT_EQ(place(0x26, {0x26, '1'}), kCmdInterval1);
  EXPECT_EQ(place(0xe9, {0xe9, '2'}), kCmdInterval2);
  EXPECT_EQ(place(0x26, {0x26, '1'}, true), 0);  // Shift still blocks
  // Russian beside US: the key of F gives a Cyrillic letter.
  EXPECT_EQ(place(0x6c1, {'f', 'F', 0x6c1, 0x6e1}), kCmdInterval15);
  // A key whose own digit or letter is not a plain key stays the page's.
  EXPECT_EQ(place(0x6c9, {'q', 'Q', 0x6ca, 0x6ea}), 0);
  EXPECT_EQ(place(0x22, {0x22, '3', 0x23}), kCmdInterval3);
  EXPECT_EQ(place(0x27, {0x27, '4'}), 0);
  // Keys that map by themselves are unchanged, and keys without a digit or letter pass.
  EXPECT_EQ(place(0xff0d, {0xff0d}), kCmdNextImage);
  EXPECT_EQ(place(0xff51, {0xff51}), 0);
  EXPECT_EQ(place(0x26, {}), 0);
}

TEST(KeyTable, AcceleratorsMapFunctionKeysAndCtrlCombinations) {
  EXPECT_EQ(Key(0xffbe), kCmdAbout);             // F1
  EXPECT_EQ(Key(0xffbf), kCmdOpenFolderTree);    // F2
  EXPECT_EQ(Key(0xffc2), kCmdRefresh);           // F5
  EXPECT_EQ(Key(0xffc4), kCmdOpenFileManager);   // F7
  EXPECT_EQ(Key(0xffc5), 0);                     // F8 is not mapped
  EXPECT_EQ(Key('p', true), kCmdPrint);
  EXPECT_EQ(Key('p'), 0);
  EXPECT_EQ(Key(0xff56, true), kCmdNextFolder);
  EXPECT_EQ(Key(0xff55, true), kCmdPreviousFolder);
  EXPECT_EQ(Key(0xff56), 0);
  EXPECT_EQ(Key(0xffbf, false, true), 0);  // Shift+F2
}

TEST(Layout, ModesRectanglesAndButtons) {
  Rect screen{0, 0, 1280, 1024};
  Size toolbar{215, 28};
  EXPECT_EQ(CurrentLayoutMode(screen, screen), LayoutMode::kMaximized);
  EXPECT_EQ(CurrentLayoutMode(Rect{128, 128, 1152, 896}, screen), LayoutMode::kRestored);
  EXPECT_EQ(CurrentLayoutMode(Rect{0, 0, 11, 11}, screen), LayoutMode::kMinimized);
  EXPECT_EQ(ModeAfterMinimizeButton(LayoutMode::kMinimized), LayoutMode::kRestored);
  EXPECT_EQ(ModeAfterMinimizeButton(LayoutMode::kMaximized), LayoutMode::kMinimized);
  EXPECT_EQ(ModeAfterMaximizeButton(LayoutMode::kMaximized), LayoutMode::kRestored);
  EXPECT_EQ(ModeAfterMaximizeButton(LayoutMode::kMinimized), LayoutMode::kMaximized);

  LayoutPlan restored = PlanLayout(LayoutMode::kRestored, screen, toolbar);
  EXPECT_EQ(restored.panes.left, 128);
  EXPECT_EQ(restored.panes.bottom, 1024 - 128);
  EXPECT_EQ(restored.toolbar.right, 1152 - kScrollThumbWidth - 2);
  EXPECT_EQ(restored.toolbar.Width(), 215);
  EXPECT_EQ(restored.maximizeTooltip, StringId::kTipMaximize);
  EXPECT_TRUE(restored.buttonsEnabled);

  LayoutPlan maximized = PlanLayout(LayoutMode::kMaximized, screen, toolbar);
  EXPECT_EQ(maximized.toolbar.left, 1280 - 215 - kScrollThumbWidth - 2);
  EXPECT_EQ(maximized.toolbar.top, 1024 - 28 - 32);
  EXPECT_EQ(maximized.maximizeBitmap, BitmapId::kRestore);

  LayoutPlan minimized = PlanLayout(LayoutMode::kMinimized, screen, toolbar);
  EXPECT_EQ(minimized.panes.Width(), 0);
  EXPECT_FALSE(minimized.buttonsEnabled);
  EXPECT_EQ(minimized.minimizeTooltip, StringId::kTipRestore);
  EXPECT_EQ(ButtonsDisabledWhenMinimized().size(), 7u);
}

TEST(Layout, FolderTreeAboveOrBelowAndClampedToTheScreen) {
  Rect screen{0, 0, 1024, 768};
  Size tree{300, 400};
  Rect lowToolbar{700, 700, 915, 728};
  Rect button{760, 702, 776, 726};
  Rect above = PlaceFolderTree(screen, lowToolbar, button, tree);
  EXPECT_EQ(above.bottom, 700 - 2);
  EXPECT_EQ(above.right, 1023);  // shifted left to end one pixel inside the screen

  Rect highToolbar{100, 10, 315, 38};
  Rect below = PlaceFolderTree(screen, highToolbar, Rect{160, 12, 176, 36}, tree);
  EXPECT_EQ(below.top, 39);
  EXPECT_EQ(below.left, 176);
}

TEST(ViewDecisions, QuitBackEscapeAndRefresh) {
  ViewState image{FrontPane::kImage, true, 3, false};
  EXPECT_EQ(DecideQuitOrBack(image), QuitOrBack::kBackToThumbnails);
  EXPECT_EQ(DecideEscape(image), EscapeAction::kBackToThumbnails);
  EXPECT_EQ(DecideRefresh(image), RefreshAction::kBackToThumbnails);

  ViewState noThumbnails = image;
  noThumbnails.thumbnailCount = 0;
  EXPECT_EQ(DecideQuitOrBack(noThumbnails), QuitOrBack::kAskToQuit);
  EXPECT_EQ(DecideEscape(noThumbnails), EscapeAction::kNothing);

  ViewState list{FrontPane::kThumbnails, true, 3, false};
  EXPECT_EQ(DecideQuitOrBack(list), QuitOrBack::kAskToQuit);
  EXPECT_EQ(DecideRefresh(list), RefreshAction::kReloadThumbnailPage);
  EXPECT_EQ(DecideRefresh(ViewState{FrontPane::kInfo, false, 0, false}), RefreshAction::kNothing);

  ViewState show = image;
  show.slideShowRunning = true;  // the first Escape only stops the show
  EXPECT_EQ(DecideEscape(show), EscapeAction::kStopSlideShow);

  EXPECT_EQ(QuitButtonTooltipForImage(1), StringId::kTipBackToThumbnails);
  EXPECT_EQ(QuitButtonTooltipForImage(0), StringId::kTipQuit);
  EXPECT_TRUE(ShouldWalkAfterCount(0));
  EXPECT_FALSE(ShouldWalkAfterCount(1));
}

TEST(PageStatements, HostileFolderNamesStayInsideTheStringLiteral) {
  std::string folder = "/tmp/a\"b\\c</script><img src=x onerror=alert(1)>\n'd";
  std::string statement = NoImagesStatement(folder);
  EXPECT_EQ(statement.rfind("setInfo(\"", 0), 0u);
  EXPECT_EQ(statement.substr(statement.size() - 3), "\");");
  // Inside the literal no raw quote, newline or tag bracket survives.
  std::string inner = statement.substr(9, statement.size() - 12);
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == '\\') { ++i; continue; }
    EXPECT_NE(inner[i], '"');
    EXPECT_NE(inner[i], '\n');
    EXPECT_NE(inner[i], '<');
  }
  EXPECT_NE(statement.find("&lt;img"), std::string::npos);  // shown as text, not markup
  EXPECT_EQ(SetSoundStatement(FileUrl("/m/a b\".mid")), "setSnd(\"file:///m/a%20b%22.mid\");");
  EXPECT_EQ(FileUrl("relative/x"), "");
}

TEST(PageStatements, FolderMusicChangesOnlyWithTheFolder) {
  gchar* tmp = g_dir_make_tmp("kovmusicXXXXXX", nullptr);
  std::string withMusic = std::string(tmp) + "/with";
  std::string plain = std::string(tmp) + "/plain";
  g_mkdir(withMusic.c_str(), 0700);
  g_mkdir(plain.c_str(), 0700);
  std::ofstream(withMusic + "/kovbgsnd.mid") << "MThd";

  CFolderMusic music("file:///run/kov/kov-music.mid");
  EXPECT_EQ(music.StatementFor(""), "");  // the information page already plays the built-in music
  EXPECT_EQ(music.StatementFor(plain), "setSnd(\"file:///run/kov/kov-music.mid\");");
  EXPECT_EQ(music.StatementFor(plain), "");
  std::string own = music.StatementFor(withMusic);
  EXPECT_NE(own.find("/with/kovbgsnd.mid"), std::string::npos) << own;
  music.Forget();
  EXPECT_EQ(music.StatementFor(withMusic), own);

  g_remove((withMusic + "/kovbgsnd.mid").c_str());
  g_rmdir(withMusic.c_str());
  g_rmdir(plain.c_str());
  g_rmdir(tmp);
  g_free(tmp);
}
