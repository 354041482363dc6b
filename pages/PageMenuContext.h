#pragma once
// Whether a right-click over a page opens the program's menu, from what the engine's
// hit test found under the pointer. The panes ask this before any menu is built.

namespace kov {

// What lies under the pointer at a right-click, as the engine's hit test tells it.
struct PageHitFacts {
  bool image = false;
  bool link = false;
  bool selection = false;  // selected text
  bool editable = false;   // a text field
  bool media = false;      // a video or audio control
  bool scrollbar = false;
};

// The program's menu belongs to the page itself, its tables and its pictures (a
// linked picture too); over a text link, selected text or a control no menu shows.
bool ShowsPageMenu(const PageHitFacts& hit);

}  // namespace kov
