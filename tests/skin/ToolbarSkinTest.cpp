// The toolbar's frame layout, window shape and drag rule.
#include <gtest/gtest.h>

#include <map>

#include "skin/ToolbarSkin.h"

namespace kov {
namespace {

// Paints the tiles' bitmap ids into a grid, in order, as the window paints them.
std::vector<std::vector<BitmapId>> PaintIds(const std::vector<FrameTile>& tiles, int w, int h) {
  std::vector<std::vector<BitmapId>> grid(h, std::vector<BitmapId>(w, BitmapId{}));
  for (const FrameTile& t : tiles) {
    for (int y = t.y; y < t.y + t.height; ++y) {
      for (int x = t.x; x < t.x + t.width; ++x) grid.at(y).at(x) = t.bitmapId;
    }
  }
  return grid;
}

TEST(ToolbarFrame, EachBorderPixelComesFromItsBitmapAndNoPieceLeavesTheClientArea) {
  const int w = kToolbarWidth, h = kToolbarHeight;
  std::vector<FrameTile> tiles = FrameTiles(w, h);
  for (const FrameTile& t : tiles) {
    BitmapSize size = FrameBitmapSize(t.bitmapId);
    EXPECT_GT(t.width, 0);
    EXPECT_LE(t.width, t.bitmapId == BitmapId::kFrameBottom ? 16 : size.width) << static_cast<int>(t.bitmapId);
    EXPECT_LE(t.height, size.height) << static_cast<int>(t.bitmapId);
    EXPECT_GE(t.x, 0);
    EXPECT_LE(t.x + t.width, w);
    EXPECT_LE(t.y + t.height, h);
  }
  auto grid = PaintIds(tiles, w, h);
  EXPECT_EQ(grid[0][0], BitmapId::kFrameTopLeft);
  EXPECT_EQ(grid[13][14], BitmapId::kFrameTopLeft);
  EXPECT_EQ(grid[0][15], BitmapId::kFrameTop);
  EXPECT_EQ(grid[5][199], BitmapId::kFrameTop);  // the last top piece, cut at the right corner
  EXPECT_EQ(grid[0][w - 15], BitmapId::kFrameTopRight);
  EXPECT_EQ(grid[13][w - 1], BitmapId::kFrameTopRight);
  EXPECT_EQ(grid[14][0], BitmapId::kFrameLeft);  // side edges start under the corners
  EXPECT_EQ(grid[14][1], BitmapId::kFrameLeft);
  EXPECT_EQ(grid[20][w - 1], BitmapId::kFrameRight);
  EXPECT_EQ(grid[20][2], BitmapId{});  // the inside is the background's
  EXPECT_EQ(grid[h - 2][100], BitmapId::kFrameBottom);
  EXPECT_EQ(grid[h - 1][w - 3], BitmapId::kFrameBottom);
  EXPECT_EQ(grid[h - 1][0], BitmapId::kFrameBottomLeft);  // corners cover the edges under them
  EXPECT_EQ(grid[h - 2][1], BitmapId::kFrameBottomLeft);
  EXPECT_EQ(grid[h - 1][w - 1], BitmapId::kFrameBottomRight);
  EXPECT_EQ(grid[h - 2][w - 2], BitmapId::kFrameBottomRight);

  // A client area smaller than the corners: still nothing outside it.
  for (const FrameTile& t : FrameTiles(9, 5)) {
    EXPECT_LE(t.x + t.width, 9);
    EXPECT_LE(t.y + t.height, 5);
    EXPECT_GE(t.x, 0);
  }
  EXPECT_TRUE(FrameTiles(0, 28).empty());
}

bool InRegion(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& r : rects) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

TEST(ToolbarShape, TopCornersAreCutRoundAndTheBottomStaysSquare) {
  const int w = kToolbarWidth, h = kToolbarHeight;
  std::vector<Rect> region = RoundedTopRegion(w, h);
  // Rows 0 to 3 lose 3, 2, 1, 1 pixels on each side.
  const int inset[] = {3, 2, 1, 1, 0, 0};
  for (int y = 0; y < 6; ++y) {
    EXPECT_FALSE(InRegion(region, inset[y] - 1, y)) << y;
    EXPECT_TRUE(InRegion(region, inset[y], y)) << y;
    EXPECT_TRUE(InRegion(region, w - 1 - inset[y], y)) << y;
    EXPECT_FALSE(InRegion(region, w - inset[y], y)) << y;
  }
  EXPECT_TRUE(InRegion(region, 0, h - 1));
  EXPECT_TRUE(InRegion(region, w - 1, h - 1));
  EXPECT_FALSE(InRegion(region, 0, h));
  int area = 0;
  for (const Rect& r : region) area += r.Width() * r.Height();
  EXPECT_EQ(area, w * h - 2 * (3 + 2 + 1 + 1));  // no pixel counted twice
  EXPECT_EQ(region.size(), 4u);                   // rows 0, 1, 2-3, 4 and below

  // Narrower than the two corners: no inverted rectangles.
  for (const Rect& r : RoundedTopRegion(5, 6)) {
    EXPECT_LT(r.left, r.right);
    EXPECT_LT(r.top, r.bottom);
  }
}

TEST(ToolbarShape, WindingRuleFillsWhateverTheDirectionAndOverlap) {
  std::vector<Point> clockwise = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
  std::vector<Point> anticlockwise = {{1, 1}, {1, 4}, {5, 4}, {5, 1}};
  std::vector<RowSpan> a = PolygonRowSpans(clockwise, 6);
  std::vector<RowSpan> b = PolygonRowSpans(anticlockwise, 6);
  ASSERT_EQ(a.size(), 3u);  // rows 1, 2, 3
  ASSERT_EQ(b.size(), 3u);
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].y, int(i) + 1);
    EXPECT_EQ(a[i].left, 1);
    EXPECT_EQ(a[i].right, 5);
    EXPECT_EQ(b[i].left, a[i].left);
    EXPECT_EQ(b[i].right, a[i].right);
  }
  // A square traced twice winds twice: still filled, not emptied as even-odd would.
  std::vector<Point> twice = clockwise;
  twice.insert(twice.end(), clockwise.begin(), clockwise.end());
  std::vector<RowSpan> doubled = PolygonRowSpans(twice, 6);
  ASSERT_EQ(doubled.size(), 3u);
  EXPECT_EQ(doubled[0].right - doubled[0].left, 4);
}

TEST(ToolbarDrag, HandleIsTheTopEightRowsAndTheWindowFollowsTheCursorOnScreen) {
  EXPECT_TRUE(IsInDragHandle(0));
  EXPECT_TRUE(IsInDragHandle(7));
  EXPECT_FALSE(IsInDragHandle(8));
  EXPECT_FALSE(IsInDragHandle(-1));

  const Rect screen{0, 0, 1280, 1024};
  const Rect start{1000, 900, 1215, 928};
  Rect moved = DraggedWindowRect(start, {1100, 903}, {700, 500}, screen);
  EXPECT_EQ(moved.left, 600);
  EXPECT_EQ(moved.top, 497);
  EXPECT_EQ(moved.Width(), 215);
  EXPECT_EQ(moved.Height(), 28);

  // Past each edge the toolbar stops at it, whole.
  Rect right = DraggedWindowRect(start, {1100, 903}, {1279, 903}, screen);
  EXPECT_EQ(right.right, 1280);
  EXPECT_EQ(right.top, 900);
  Rect up = DraggedWindowRect(start, {1100, 903}, {1100, 0}, screen);
  EXPECT_EQ(up.top, 0);
  Rect downLeft = DraggedWindowRect(start, {1100, 903}, {0, 1023}, screen);
  EXPECT_EQ(downLeft.left, 0);
  EXPECT_EQ(downLeft.bottom, 1024);
  EXPECT_EQ(downLeft.Width(), 215);

  // A window larger than the screen keeps its top-left corner, with the handle, on it.
  Rect huge = DraggedWindowRect({0, 0, 2000, 30}, {5, 5}, {300, 5}, screen);
  EXPECT_EQ(huge.left, 0);
  EXPECT_EQ(huge.Width(), 2000);
}

}  // namespace
}  // namespace kov
