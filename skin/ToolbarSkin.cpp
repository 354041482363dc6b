#include "skin/ToolbarSkin.h"

#include <algorithm>

namespace kov {

BitmapSize FrameBitmapSize(BitmapId bitmapId) {
  switch (bitmapId) {
    case BitmapId::kFrameTopRight:
    case BitmapId::kFrameTopLeft: return {15, 14};
    case BitmapId::kFrameTop: return {32, 14};
    case BitmapId::kFrameLeft:
    case BitmapId::kFrameRight: return {2, 16};
    case BitmapId::kFrameBottom: return {100, 2};
    case BitmapId::kFrameBottomLeft:
    case BitmapId::kFrameBottomRight: return {2, 2};
    default: return {};
  }
}

namespace {

// Adds the piece at (x, y), clipped to the client area; nothing when it lies outside.
void AddTile(std::vector<FrameTile>* tiles, BitmapId bitmapId, int x, int y, int width, int height,
             int clientWidth, int clientHeight) {
  int right = std::min(x + width, clientWidth);
  int bottom = std::min(y + height, clientHeight);
  int left = std::max(x, 0), top = std::max(y, 0);
  if (right <= left || bottom <= top) return;
  // Only right and bottom sides are cut, so the piece always starts at the bitmap's 0, 0.
  tiles->push_back({bitmapId, left, top, right - left, bottom - top});
}

}  // namespace

std::vector<FrameTile> FrameTiles(int width, int height) {
  std::vector<FrameTile> tiles;
  if (width <= 0 || height <= 0) return tiles;
  for (int x = 0; x < width; x += 32) AddTile(&tiles, BitmapId::kFrameTop, x, 0, 32, 14, width, height);
  AddTile(&tiles, BitmapId::kFrameTopLeft, 0, 0, 15, 14, width, height);
  if (width >= 15) AddTile(&tiles, BitmapId::kFrameTopRight, width - 15, 0, 15, 14, width, height);
  for (int y = 14; y < height; y += 16) {
    AddTile(&tiles, BitmapId::kFrameLeft, 0, y, 2, 16, width, height);
    if (width >= 2) AddTile(&tiles, BitmapId::kFrameRight, width - 2, y, 2, 16, width, height);
  }
  if (height >= 2) {
    for (int x = 0; x < width; x += 16) {
      AddTile(&tiles, BitmapId::kFrameBottom, x, height - 2, 16, 2, width, height);
    }
    AddTile(&tiles, BitmapId::kFrameBottomLeft, 0, height - 2, 2, 2, width, height);
    if (width >= 2) AddTile(&tiles, BitmapId::kFrameBottomRight, width - 2, height - 2, 2, 2, width, height);
  }
  return tiles;
}

std::vector<Point> RoundedTopOutline(int w, int h) {
  return {{0, h},         {0, 4},         {1, 3},     {1, 2},     {2, 1},
          {3, 0},         {4, 0},         {w - 4, 0}, {w - 3, 0}, {w - 2, 1},
          {w - 1, 2},     {w - 1, 3},     {w, 4},     {w, h}};
}

namespace {

struct Crossing {
  double x;
  int winding;  // +1 for an edge going down, -1 going up
};

// Where the polygon's edges cross the line at height y, left to right.
std::vector<Crossing> CrossingsAt(const std::vector<Point>& outline, double y) {
  std::vector<Crossing> crossings;
  for (size_t i = 0; i < outline.size(); ++i) {
    const Point& a = outline[i];
    const Point& b = outline[(i + 1) % outline.size()];
    if (a.y == b.y) continue;
    const Point& upper = a.y < b.y ? a : b;
    const Point& lower = a.y < b.y ? b : a;
    if (y < upper.y || y >= lower.y) continue;
    double x = upper.x + (y - upper.y) * double(lower.x - upper.x) / double(lower.y - upper.y);
    crossings.push_back({x, a.y < b.y ? 1 : -1});
  }
  std::sort(crossings.begin(), crossings.end(),
            [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  return crossings;
}

int CeilToInt(double v) {
  int i = static_cast<int>(v);
  return (v > i) ? i + 1 : i;
}

}  // namespace

std::vector<RowSpan> PolygonRowSpans(const std::vector<Point>& outline, int height) {
  std::vector<RowSpan> spans;
  for (int y = 0; y < height; ++y) {
    std::vector<Crossing> crossings = CrossingsAt(outline, y);
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].winding;
      if (winding == 0) continue;
      int left = CeilToInt(crossings[i].x), right = CeilToInt(crossings[i + 1].x);
      if (right <= left) continue;
      if (!spans.empty() && spans.back().y == y && spans.back().right >= left) {
        spans.back().right = std::max(spans.back().right, right);  // touching pieces join
      } else {
        spans.push_back({y, left, right});
      }
    }
  }
  return spans;
}

std::vector<Rect> SpansToRects(const std::vector<RowSpan>& spans) {
  std::vector<Rect> rects;
  for (const RowSpan& s : spans) {
    bool extends = false;
    for (Rect& r : rects) {
      if (r.bottom == s.y && r.left == s.left && r.right == s.right) {
        r.bottom = s.y + 1;
        extends = true;
        break;
      }
    }
    if (!extends) rects.push_back({s.left, s.y, s.right, s.y + 1});
  }
  return rects;
}

std::vector<Rect> RoundedTopRegion(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  return SpansToRects(PolygonRowSpans(RoundedTopOutline(width, height), height));
}

bool IsInDragHandle(int clientY) { return clientY >= 0 && clientY < kDragHandleRows; }

namespace {
// Moves [low, low + size) inside [min, max); a piece larger than that starts at min,
// so its top-left part (with the drag handle) stays on the screen.
int KeptInside(int low, int size, int min, int max) {
  if (size > max - min) return min;
  return std::clamp(low, min, max - size);
}
}  // namespace

Rect KeptInside(const Rect& window, const Rect& bounds) {
  int width = window.Width(), height = window.Height();
  int left = KeptInside(window.left, width, bounds.left, bounds.right);
  int top = KeptInside(window.top, height, bounds.top, bounds.bottom);
  return {left, top, left + width, top + height};
}

Rect DraggedWindowRect(const Rect& startWindow, Point startCursor, Point cursor,
                       const Rect& screen) {
  Rect moved = startWindow;
  moved.left += cursor.x - startCursor.x;
  moved.right += cursor.x - startCursor.x;
  moved.top += cursor.y - startCursor.y;
  moved.bottom += cursor.y - startCursor.y;
  return KeptInside(moved, screen);
}

}  // namespace kov
