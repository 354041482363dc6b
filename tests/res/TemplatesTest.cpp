// The page templates as compiled into the program: line ends, printf
// placeholders, the names other code calls, and the WebKit forms of the
// constructs the engine would not run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/Resources.h"

using namespace kov;

namespace {

const int kTemplateIds[] = {155, 156, 157, 159, 160, 177};

std::string Template(int id) {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(static_cast<TemplateId>(id), &bytes)) << id;
  return bytes;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Counts "%s" in a printf format; -1 when any other conversion (or a lone
// '%' at the end) is present, which would make filling the template unsafe.
int CountStringPlaceholders(const std::string& format) {
  int count = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 >= format.size()) return -1;
    char next = format[++i];
    if (next == 's') ++count;
    else if (next != '%') return -1;
  }
  return count;
}

}  // namespace

TEST(Templates, EveryLineEndsWithCrLfExceptTheLastOf177) {
  for (int id : kTemplateIds) {
    const std::string text = Template(id);
    ASSERT_FALSE(text.empty()) << id;
    for (size_t i = 0; i < text.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      ASSERT_LT(c, 0x80) << "non-ASCII byte in " << id << " at " << i;
      if (c == '\n') {
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << id << " at " << i;
      }
      if (c == '\r') {
        ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << id << " at " << i;
      }
    }
    const bool endsWithLineEnd = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
    EXPECT_EQ(endsWithLineEnd, id != 177) << id;
  }
  EXPECT_EQ(Template(177), "<HTML>\r\n<BODY STYLE=\"overflow:hidden\">\r\n</BODY>\r\n</HTML>");
}

TEST(Templates, LineCountsAndFirstLines) {
  struct Expect { int id; int lineEnds; };
  // 155 has two lines more than it first had: the style of its thin scroll bar.
  const Expect expected[] = {{155, 71}, {156, 64}, {157, 15}, {159, 119}, {160, 37}, {177, 3}};
  for (const Expect& e : expected) {
    const std::string text = Template(e.id);
    int lineEnds = 0;
    for (char c : text) lineEnds += (c == '\n');
    EXPECT_EQ(lineEnds, e.lineEnds) << e.id;
    EXPECT_EQ(text.compare(0, 8, "<HTML>\r\n"), 0) << e.id;
    EXPECT_FALSE(Contains(text, "<!DOCTYPE")) << e.id;  // quirks mode is relied on
  }
  // 155 and 156 end with two empty lines: the list table follows 155 directly.
  const std::string t155 = Template(155);
  EXPECT_EQ(t155.substr(t155.size() - 12), "<BODY>\r\n\r\n\r\n");
  const std::string t156 = Template(156);
  EXPECT_EQ(t156.substr(t156.size() - 13), "</html>\r\n\r\n\r\n");
  // The tab-indented lines of 159 keep their tabs.
  EXPECT_TRUE(Contains(Template(159), "\r\n\treturn;\r\n"));
  EXPECT_TRUE(Contains(Template(159), "\r\n\t    var r1=winw/picw*0.8;\r\n"));
}

TEST(Templates, PrintfPlaceholders) {
  EXPECT_EQ(CountStringPlaceholders(Template(156)), 1);
  EXPECT_EQ(CountStringPlaceholders(Template(159)), 3);
  // 155 is served as stored and then followed by the table; it must hold no '%'.
  EXPECT_FALSE(Contains(Template(155), "%"));
  // 157 and 160 are served as stored: their "100%" stays a single '%'.
  EXPECT_TRUE(Contains(Template(157), "width=\"100%\""));
  EXPECT_FALSE(Contains(Template(157), "%%"));
  EXPECT_FALSE(Contains(Template(160), "%%"));
  // In the format templates the table sizes are written "%%" so they come out as 100%.
  EXPECT_TRUE(Contains(Template(156), "width=\"100%%\" height=\"100%%\""));
  EXPECT_TRUE(Contains(Template(159), "width=\"100%%\" height=\"100%%\""));
  // The order of 159's placeholders: background, picture URL, picture path.
  const std::string t159 = Template(159);
  const size_t bg = t159.find("background=\"%s\"");
  const size_t src = t159.find("<img src=\"%s\"");
  const size_t title = t159.find("title=\"%s\"");
  ASSERT_NE(bg, std::string::npos);
  ASSERT_NE(src, std::string::npos);
  ASSERT_NE(title, std::string::npos);
  EXPECT_LT(bg, src);
  EXPECT_LT(src, title);
}

TEST(Templates, NamesOtherCodeReliesOn) {
  const std::string t155 = Template(155);
  EXPECT_TRUE(Contains(t155, "td.pic{"));
  EXPECT_TRUE(Contains(t155, "td.inf{"));
  EXPECT_TRUE(Contains(t155, "function doClick(o)"));
  EXPECT_TRUE(Contains(t155, "if(cls!=\"pic\")"));
  EXPECT_TRUE(Contains(t155, "nclr=\"#ff0000\";"));
  EXPECT_TRUE(Contains(t155, "window.external.ThumbImgClicked(cs[i].src);"));

  const std::string t156 = Template(156);
  EXPECT_TRUE(Contains(t156, "id=\"pic\""));
  EXPECT_TRUE(Contains(t156, "var imgHeight=0;"));
  EXPECT_TRUE(Contains(t156, "var imgWidth=0;"));

  const std::string t159 = Template(159);
  EXPECT_TRUE(Contains(t159, "id=\"pic\""));
  EXPECT_TRUE(Contains(t159, "function setBgImg(url)\r\n{\r\ndocument.body.background=url;\r\n}"));

  const std::string t160 = Template(160);
  EXPECT_TRUE(Contains(t160, "id=\"bgsd\""));
  EXPECT_TRUE(Contains(t160, "id=\"info\""));
  EXPECT_TRUE(Contains(t160, "function setSnd(url)"));
  EXPECT_TRUE(Contains(t160, "function setInfo(htm)"));
  EXPECT_TRUE(Contains(t160, "background=\"kovp://bin/152.gif\""));
  EXPECT_TRUE(Contains(t160, "src=\"kovp://bin/153.mid\""));

  // The default page's setBgImg exists and does nothing.
  EXPECT_TRUE(Contains(Template(157), "function setBgImg(url)\r\n{\r\n}\r\n"));
}

TEST(Templates, WebKitFormsReplaceConstructsTheEngineDoesNotRun) {
  for (int id : kTemplateIds) {
    const std::string text = Template(id);
    EXPECT_FALSE(Contains(text, "cs(")) << id;
    EXPECT_FALSE(Contains(text, ".href)")) << id;
    EXPECT_FALSE(Contains(text, "BGSOUND")) << id;
    EXPECT_FALSE(Contains(text, "bgProperties")) << id;
    EXPECT_FALSE(Contains(text, "scroll=")) << id;
    EXPECT_FALSE(Contains(text, "SCROLL=")) << id;
    EXPECT_FALSE(Contains(text, "body.scroll")) << id;
    EXPECT_FALSE(Contains(text, "offsetHeight")) << id;
    EXPECT_FALSE(Contains(text, "offsetWidth")) << id;
  }
  // The engine reads the selection colour back as rgb(); both forms count as selected.
  EXPECT_TRUE(Contains(Template(155), "toSel=(oclr!=\"#ff0000\" && oclr!=\"rgb(255, 0, 0)\");"));
  // The music is an AUDIO element that loops and starts by itself, closed so the
  // information table after it is not taken as its fallback content.
  EXPECT_TRUE(Contains(Template(160),
                       "<AUDIO id=\"bgsd\" loop autoplay src=\"kovp://bin/153.mid\"></AUDIO>"));
  // setSnd compares the resolved URL exactly, without lower-casing.
  EXPECT_FALSE(Contains(Template(160), "toLowerCase"));
  EXPECT_TRUE(Contains(Template(160), "var url2=bgsd.src;"));
  EXPECT_TRUE(Contains(Template(159), "var winh=window.innerHeight;"));
  EXPECT_TRUE(Contains(Template(159), "document.body.style.overflow=\"auto\";"));
  EXPECT_TRUE(Contains(Template(157), "background-attachment:fixed"));
}

TEST(Resources, UnknownIdsAndWrongTypesAreNotFound) {
  std::string bytes = "untouched";
  EXPECT_FALSE(LoadResourceBytes(static_cast<TemplateId>(158), &bytes));
  EXPECT_FALSE(LoadResourceBytes(static_cast<TemplateId>(152), &bytes));
  EXPECT_FALSE(LoadResourceBytes(static_cast<BinId>(155), &bytes));
  EXPECT_FALSE(LoadResourceBytes(static_cast<BinId>(-1), &bytes));
  EXPECT_FALSE(LoadResourceBytes(static_cast<BitmapId>(150), &bytes));
  EXPECT_FALSE(LoadResourceBytes(static_cast<BitmapId>(155), &bytes));
  EXPECT_FALSE(LoadResourceBytes(TemplateId::kThumbnailListHead, nullptr));
  EXPECT_EQ(bytes, "untouched");
}
