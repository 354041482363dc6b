#include <gtest/gtest.h>

#include "platform/WindowStack.h"

using namespace kov;

TEST(WindowStack, TopmostWindowsStayAboveAndRaiseReorders) {
  WindowStack stack;
  stack.Add(1, Rect{0, 0, 100, 100});
  stack.Add(2, Rect{0, 0, 100, 100}, /*topmost=*/true);
  stack.Add(3, Rect{0, 0, 100, 100});
  stack.Add(3, Rect{0, 0, 5, 5});  // known id: ignored
  EXPECT_EQ(stack.TopToBottom(), (std::vector<WindowId>{2, 3, 1}));
  EXPECT_EQ(stack.GetRect(3).right, 100);
  stack.Raise(1);
  EXPECT_EQ(stack.TopToBottom(), (std::vector<WindowId>{2, 1, 3}));
  stack.Raise(2);
  EXPECT_EQ(stack.TopToBottom(), (std::vector<WindowId>{2, 1, 3}));
  stack.SetTopmost(2, false);  // leaves its band to the top of the ordinary ones
  stack.Raise(3);
  EXPECT_EQ(stack.TopToBottom(), (std::vector<WindowId>{3, 2, 1}));
  stack.SetTopmost(1, true);
  EXPECT_EQ(stack.TopToBottom(), (std::vector<WindowId>{1, 3, 2}));
  stack.Remove(3);
  stack.Raise(42);  // unknown: nothing happens
  EXPECT_EQ(stack.TopToBottom(), (std::vector<WindowId>{1, 2}));
  EXPECT_FALSE(stack.Contains(3));
  EXPECT_EQ(stack.GetRect(3).Width(), 0);
}

TEST(WindowStack, FrontPaneAndHitTestSkipHiddenWindows) {
  WindowStack stack;
  const WindowId info = 1, list = 2, image = 3, toolbar = 4;
  stack.Add(info, Rect{0, 0, 1280, 1024});
  stack.Add(list, Rect{0, 0, 1280, 1024});
  stack.Add(image, Rect{0, 0, 1280, 1024});
  stack.Add(toolbar, Rect{1000, 0, 1280, 40}, true);
  const std::vector<WindowId> panes{info, list, image};
  EXPECT_EQ(stack.FrontMost(panes), 0u);  // all hidden
  stack.SetVisible(info, true);
  stack.SetVisible(list, true);
  EXPECT_EQ(stack.FrontMost(panes), list);
  stack.Raise(info);
  EXPECT_EQ(stack.FrontMost(panes), info);
  stack.SetVisible(image, true);  // shown but below: visibility alone does not restack
  EXPECT_EQ(stack.FrontMost(panes), info);
  stack.Raise(image);
  EXPECT_EQ(stack.FrontMost(panes), image);
  stack.SetVisible(image, false);
  EXPECT_EQ(stack.FrontMost(panes), info);

  stack.SetVisible(toolbar, true);
  EXPECT_EQ(stack.WindowAt(1100, 10), toolbar);
  EXPECT_EQ(stack.WindowAt(1100, 40), info);  // bottom edge is outside
  EXPECT_EQ(stack.WindowAt(-1, 0), 0u);
  stack.SetRect(info, Rect{0, 0, 10, 10});
  EXPECT_EQ(stack.WindowAt(500, 500), list);
}

// A pane counts as covered only under a shown window holding all of it: a wrongly
// covered pane would be unmapped and go blank while part of it is in sight.
TEST(WindowStack, CoveredOnlyWhenAShownWindowAboveHoldsAllOfIt) {
  struct Case {
    const char* what;
    Rect over;
    bool overShown;
    bool overAbove;
    bool covered;
  };
  const Rect pane{0, 0, 1280, 1024};
  const Case cases[] = {
      {"same rectangle, shown, above", pane, true, true, true},
      {"larger, shown, above", Rect{-10, -10, 1300, 1100}, true, true, true},
      {"same rectangle but hidden", pane, false, true, false},
      {"same rectangle but below", pane, true, false, false},
      {"one pixel short on the right", Rect{0, 0, 1279, 1024}, true, true, false},
      {"one pixel short at the top", Rect{0, 1, 1280, 1024}, true, true, false},
      {"a toolbar's strip", Rect{1000, 0, 1280, 40}, true, true, false},
      {"an empty rectangle", Rect{}, true, true, false},
  };
  for (const Case& c : cases) {
    WindowStack stack;
    const WindowId under = 1, over = 2;
    stack.Add(under, pane);
    stack.Add(over, c.over);
    if (!c.overAbove) stack.Raise(under);
    stack.SetVisible(under, true);
    stack.SetVisible(over, c.overShown);
    EXPECT_EQ(stack.IsCovered(under), c.covered) << c.what;
    EXPECT_FALSE(stack.IsCovered(42)) << c.what;  // unknown id
  }
}
