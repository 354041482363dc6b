#pragma once
// The toolbar's skin as geometry: which frame bitmap goes where, the window shape
// with its rounded top corners, and the drag by the top rows. The window applies
// these; nothing here draws.
#include <cstdint>
#include <vector>

#include "platform/Screen.h"
#include "res/ResourceIds.h"

namespace kov {

// One colour packed into a word as 0xRRGGBB (the skin's drawing colours).
using PackedRgb = uint32_t;
constexpr PackedRgb kToolbarBackColour = 0xDBE5F7;      // red 219, green 229, blue 247
constexpr PackedRgb kLightButtonBackColour = 0xE8EDFA;  // red 232, green 237, blue 250

// The toolbar's client size in pixels: room for the ten 16 x 16 buttons in one row
// under the frame's rounded top.
constexpr int kToolbarWidth = 215;
constexpr int kToolbarHeight = 28;

// The eight bitmaps of the frame.
constexpr BitmapId kFrameBitmaps[] = {
    BitmapId::kFrameTopRight, BitmapId::kFrameBottomRight, BitmapId::kFrameBottom,
    BitmapId::kFrameLeft,     BitmapId::kFrameRight,       BitmapId::kFrameTop,
    BitmapId::kFrameTopLeft,  BitmapId::kFrameBottomLeft,
};
struct BitmapSize {
  int width = 0, height = 0;
};
// The size a frame bitmap has; 0 x 0 for a bitmap that is not one.
BitmapSize FrameBitmapSize(BitmapId bitmapId);

// One copy of (the top-left width x height of) a frame bitmap into the client area.
// Pieces are clipped to the client area, so none reaches past it.
struct FrameTile {
  BitmapId bitmapId = BitmapId::kFrameTop;
  int x = 0, y = 0, width = 0, height = 0;
};
// The frame of a width x height client area, in painting order (later tiles cover
// earlier ones): top edge, top corners, side edges, bottom edge, bottom corners.
std::vector<FrameTile> FrameTiles(int width, int height);

// The window shape: the 14-point outline whose top corners are cut round.
struct Point {
  int x = 0, y = 0;
};
std::vector<Point> RoundedTopOutline(int width, int height);

// The pixels of row y from left up to (not including) right.
struct RowSpan {
  int y = 0, left = 0, right = 0;
};
// Scan conversion of a closed polygon with the winding rule: row y is sampled along
// its top edge, an edge covers the rows from its upper end up to (not including) its
// lower end, and a span runs from its left crossing up to (not including) its right
// one. Rows 0 to height - 1; empty spans are left out.
std::vector<RowSpan> PolygonRowSpans(const std::vector<Point>& outline, int height);
// Runs of rows with the same span joined into rectangles, top to bottom.
std::vector<Rect> SpansToRects(const std::vector<RowSpan>& spans);
// The toolbar's visible region as rectangles.
std::vector<Rect> RoundedTopRegion(int width, int height);

// Dragging: the handle is client rows 0 to 7.
constexpr int kDragHandleRows = 8;
bool IsInDragHandle(int clientY);

// The window moved the least distance to lie inside bounds; one larger than bounds keeps
// its top-left corner (with the drag handle) inside.
Rect KeptInside(const Rect& window, const Rect& bounds);

// Where a window dragged from startWindow, with the cursor gone from startCursor to
// cursor, ends: moved by the cursor's offset, keeping its size, then pushed back
// inside the screen (the viewer's window) wherever it would leave it, so that the
// whole toolbar stays reachable.
Rect DraggedWindowRect(const Rect& startWindow, Point startCursor, Point cursor,
                       const Rect& screen);

}  // namespace kov
