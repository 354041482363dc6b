#include <gtest/gtest.h>

#include "pages/PageMenuContext.h"

using namespace kov;

// The menu belongs to the page, its tables and its pictures; a text link, selected
// text and the controls get none, as the engine's own menu never shows either.
TEST(PageMenuContext, MenuShowsOnlyOverThePageItsTablesAndPictures) {
  struct Case {
    const char* what;
    PageHitFacts hit;  // image, link, selection, editable, media, scrollbar
    bool shown;
  } cases[] = {
      {"the page or a table", {}, true},
      {"a picture", {true, false, false, false, false, false}, true},
      {"a linked picture", {true, true, false, false, false, false}, true},
      {"a text link", {false, true, false, false, false, false}, false},
      {"selected text", {false, false, true, false, false, false}, false},
      {"a selected picture", {true, false, true, false, false, false}, false},
      {"a text field", {false, false, false, true, false, false}, false},
      {"a video's controls", {false, false, false, false, true, false}, false},
      {"a scroll bar", {false, false, false, false, false, true}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ShowsPageMenu(c.hit), c.shown) << c.what;
}
