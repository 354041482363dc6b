#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/HyperlinkBehaviour.h"

using namespace kov;

namespace {

// Records what the hover hook hears.
class RecordingLink : public CHyperlinkBehaviour {
 public:
  std::vector<std::string> heard;

 protected:
  void OnLinkHover(const std::string& text) override { heard.push_back(text); }
};

}  // namespace

TEST(HyperlinkBehaviour, TargetIsTheUrlElseTheTextThroughTheFormatAndIsKept) {
  struct Case {
    const char* format;
    const char* url;
    const char* text;
    const char* target;
  } cases[] = {
      {"", "file:///guide.md", "index", "file:///guide.md"},
      {"%s.htm", "", "index", "index.htm"},
      {"", "", "index", "index"},
      {"http://x/%s?a=%d", "", "p q", "http://x/p q?a=%d"},  // only the one %s is filled
      {"fixed", "", "index", "fixed"},
  };
  for (const Case& c : cases) {
    CHyperlinkBehaviour link;
    link.format = c.format;
    link.url = c.url;
    EXPECT_EQ(link.GetLinkTarget(c.text), c.target) << c.format << " " << c.url;
    EXPECT_EQ(link.GetLinkTarget("other text"), c.target) << "the built target is kept";
  }
}

TEST(HyperlinkBehaviour, HoverHookAndOpeningFollowThePointer) {
  using Heard = std::vector<std::string>;
  struct Step {
    char event;  // e enter, l leave, p press, i release inside, o release outside
    bool opens;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    Heard heard;
  } cases[] = {
      {"in and out", {{'e', false}, {'e', false}, {'l', false}, {'l', false}}, {"T", ""}},
      {"click", {{'e', false}, {'p', false}, {'i', true}, {'l', false}}, {"T", ""}},
      {"dragged off", {{'e', false}, {'p', false}, {'l', false}, {'o', false}}, {"T", ""}},
      {"release without press", {{'e', false}, {'i', false}}, {"T"}},
      {"second click", {{'e', false}, {'p', false}, {'i', true}, {'p', false}, {'i', true}}, {"T", "", ""}},
  };
  for (const Case& c : cases) {
    RecordingLink link;
    link.url = "T";
    for (const Step& step : c.steps) {
      bool opened = false;
      switch (step.event) {
        case 'e': link.OnEnter("text"); break;
        case 'l': link.OnLeave(); break;
        case 'p': link.OnPress(); break;
        case 'i': opened = link.OnRelease(true); break;
        case 'o': opened = link.OnRelease(false); break;
      }
      EXPECT_EQ(opened, step.opens) << c.what << " at " << step.event;
    }
    EXPECT_EQ(link.heard, c.heard) << c.what;
  }
}
