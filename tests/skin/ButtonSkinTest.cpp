// Image buttons: picture placement, the disabled look, the toolbar's buttons,
// tooltips, and the bitmaps they draw.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "skin/ButtonSkin.h"
#include "skin/SkinBitmap.h"

namespace kov {
namespace {

TEST(ButtonSkin, PictureIsCentredXDownYUpAndMovesOnePixelWhilePressed) {
  Point normal = ButtonContentOrigin(18, 18, 16, 16, false);
  Point pressed = ButtonContentOrigin(18, 18, 16, 16, true);
  EXPECT_EQ(normal.x, 1);
  EXPECT_EQ(normal.y, 1);
  EXPECT_EQ(pressed.x, 2);
  EXPECT_EQ(pressed.y, 2);
  // An odd spare pixel: x rounds toward zero, y rounds up.
  Point odd = ButtonContentOrigin(17, 17, 16, 16, false);
  EXPECT_EQ(odd.x, 0);
  EXPECT_EQ(odd.y, 1);
  // A picture larger than the button: still centred, not pushed to a corner.
  Point large = ButtonContentOrigin(12, 12, 16, 16, false);
  EXPECT_EQ(large.x, -2);
  EXPECT_EQ(large.y, -2);
}

TEST(ToolbarButtons, TenButtonsSitInTheirRowWithoutOverlapAndWithTheirTexts) {
  const auto& specs = ToolbarButtonSpecs();
  ASSERT_EQ(specs.size(), 10u);
  std::set<int> ids;
  for (size_t i = 0; i < specs.size(); ++i) {
    const ToolbarButtonSpec& s = specs[i];
    ids.insert(s.id);
    Rect r = ToolbarButtonRect(s.id, kToolbarWidth, kToolbarHeight);
    EXPECT_EQ(r.Width(), 18);
    EXPECT_EQ(r.top, 7);
    EXPECT_EQ(r.bottom, kToolbarHeight - 3);
    EXPECT_GE(r.left, 2) << s.id;  // clear of the frame's side lines
    EXPECT_LE(r.right, kToolbarWidth - 2) << s.id;
    for (size_t j = 0; j < i; ++j) {
      Rect o = ToolbarButtonRect(specs[j].id, kToolbarWidth, kToolbarHeight);
      EXPECT_TRUE(r.right <= o.left || o.right <= r.left) << s.id << " overlaps " << specs[j].id;
    }
    ASSERT_NE(LoadString(s.tooltipId), nullptr) << s.id;
    SkinBitmap picture;
    EXPECT_TRUE(LoadSkinBitmap(s.bitmapId, &picture)) << s.id;
  }
  EXPECT_EQ(ids.size(), 10u);
  EXPECT_EQ(ToolbarButtonRect(kBtnQuitOrBack, 300, 40).left, 277);  // the right group follows the width
  EXPECT_EQ(ToolbarButtonRect(1000, kToolbarWidth, kToolbarHeight).Width(), 0);
}

TEST(Tooltip, CrLfBreaksLinesAndTheTipStaysOnScreen) {
  EXPECT_EQ(SplitTooltipLines("Quit KOV"), std::vector<std::string>{"Quit KOV"});
  EXPECT_EQ(SplitTooltipLines(LoadString(StringId::kTipNext)),
            (std::vector<std::string>{"Display next image", "Shortcut key: Return, Delete"}));
  EXPECT_EQ(SplitTooltipLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitTooltipLines("a\nb\rc"), (std::vector<std::string>{"a", "bc"}));
  EXPECT_EQ(SplitTooltipLines(""), std::vector<std::string>{""});

  const Rect screen{0, 0, 1280, 1024};
  Rect below = PlaceTooltip({500, 400}, 200, 32, screen);
  EXPECT_EQ(below.left, 500);
  EXPECT_EQ(below.top, 400 + kCursorHeight);
  // Near the bottom (where the toolbar lives) the tip goes above the cursor.
  Rect above = PlaceTooltip({1200, 1000}, 300, 32, screen);
  EXPECT_EQ(above.bottom, 1000 - 2);
  EXPECT_EQ(above.right, 1280);
  Rect tooBig = PlaceTooltip({10, 10}, 100, 2000, screen);
  EXPECT_EQ(tooBig.top, 0);
}

int Distance(PackedRgb a, PackedRgb b) {
  int d = 0;
  for (int shift : {0, 8, 16}) d += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
  return d;
}

TEST(SkinBitmaps, ButtonPicturesAre16By16OnTheirButtonsColourAndNotBlank) {
  const PackedRgb kTreeButton = 0xFFFFE1;
  using B = BitmapId;
  const std::pair<BitmapId, PackedRgb> buttons[] = {
      {B::kQuit, kToolbarBackColour},         {B::kPlay, kToolbarBackColour},
      {B::kPreviousForward, kToolbarBackColour}, {B::kPause, kToolbarBackColour},
      {B::kNextBackward, kToolbarBackColour}, {B::kTools, kToolbarBackColour},
      {B::kOpenFolder, kToolbarBackColour},   {B::kAbout, kLightButtonBackColour},
      {B::kPhotoCd, kLightButtonBackColour},  {B::kRestore, kToolbarBackColour},
      {B::kMinimize, kToolbarBackColour},     {B::kMaximize, kToolbarBackColour},
      {B::kPreviousBackward, kToolbarBackColour}, {B::kNextForward, kToolbarBackColour},
      {B::kOkDisabled, kTreeButton},          {B::kOk, kTreeButton},
      {B::kCancel, kTreeButton}};
  for (const auto& [bitmap, background] : buttons) {
    const int id = static_cast<int>(bitmap);
    SkinBitmap b;
    ASSERT_TRUE(LoadSkinBitmap(bitmap, &b)) << id;
    ASSERT_EQ(b.width, 16) << id;
    ASSERT_EQ(b.height, 16) << id;
    EXPECT_EQ(b.At(0, 15), background) << id;  // blends into the button around it
    int ink = 0;
    for (PackedRgb p : b.pixels) ink += Distance(p, background) > 96;
    EXPECT_GE(ink, 12) << id;
  }
  // The two directions of an arrow differ, so the state can be seen.
  SkinBitmap strong, pale;
  ASSERT_TRUE(LoadSkinBitmap(BitmapId::kNextForward, &strong));
  ASSERT_TRUE(LoadSkinBitmap(BitmapId::kNextBackward, &pale));
  EXPECT_NE(strong.pixels, pale.pixels);
}

TEST(SkinBitmaps, FrameBitmapsHaveTheirSizesAndBadIdsOrBytesLoadNothing) {
  for (BitmapId frame : kFrameBitmaps) {
    const int id = static_cast<int>(frame);
    SkinBitmap b;
    ASSERT_TRUE(LoadSkinBitmap(frame, &b)) << id;
    EXPECT_EQ(b.width, FrameBitmapSize(frame).width) << id;
    EXPECT_EQ(b.height, FrameBitmapSize(frame).height) << id;
  }
  // The top edge tiles seamlessly into the corners: its rows end where the corners begin.
  SkinBitmap top, left;
  ASSERT_TRUE(LoadSkinBitmap(BitmapId::kFrameTop, &top));
  ASSERT_TRUE(LoadSkinBitmap(BitmapId::kFrameTopLeft, &left));
  for (int y = 0; y < 14; ++y) EXPECT_LE(Distance(top.At(0, y), left.At(14, y)), 40) << y;

  SkinBitmap kept;
  kept.width = 3;
  EXPECT_FALSE(LoadSkinBitmap(static_cast<BitmapId>(150), &kept));  // between two bitmaps
  EXPECT_FALSE(LoadSkinBitmap(static_cast<BitmapId>(-1), &kept));
  EXPECT_FALSE(DecodeSkinBitmap("BM\x10\0\0\0 not a bitmap", &kept));
  EXPECT_FALSE(DecodeSkinBitmap("", &kept));
  EXPECT_EQ(kept.width, 3);
}

}  // namespace
}  // namespace kov
