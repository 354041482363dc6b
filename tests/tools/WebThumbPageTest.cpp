#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "res/Resources.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempFolder.h"
#include "thumbs/BuildQueue.h"
#include "tools/WebThumbPage.h"
#include "tools/WebThumbStore.h"

using namespace kov;
using kovtest::PathExists;
using kovtest::FolderNames;
using kovtest::ReadFileText;

namespace {

const char kHead[] =
    "<HTML>\r\n<HEAD>\r\n<meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\">\r\n"
    "<STYLE TYPE=\"TEXT/CSS\">\r\n"
    "img{margin-left:0;margin-top:0;margin-right:0;margin-bottom:0;border-top-width:0;"
    "border-bottom-width:0;border-left-width:0;border-right-width:0}\r\n"
    "td.pic{vertical-align:middle;text-align:center;border:1px solid #c0c0c0;cursor:pointer}\r\n"
    "td.inf{vertical-align:top;text-align:center}\r\n"
    "div{width:120;overflow:hidden;font:10px sans-serif;text-align:center}\r\n"
    "</STYLE>\r\n</HEAD>\r\n<BODY>\r\n"
    "<table width=\"100%\" cols=\"6\" cellSpacing=\"0\" cellPadding=\"0\">\r\n\r\n\r\n\r\n";
const char kEnd[] = "</table>\r\n</body>\r\n</html>";
const char kEmpty[] = "<td width=\"120\">&nbsp;</td>\r\n";
const char kSpacer[] = "<td width=\"6\">&nbsp;</td>\r\n";

std::string Picture(const std::string& href, const std::string& src) {
  return "<td width=\"120\" class=\"pic\"><a href=\"" + href + "\" target=\"_blank\"><img src=\"" + src +
         "\"></a></td>\r\n";
}
std::string Caption(const std::string& text, const std::string& size) {
  return "<td width=\"120\" class=\"inf\"><div>" + text + "<br>" + size + "<br>&nbsp;</div></td>\r\n";
}
// A row of six cells given, spacers between them.
std::string Row(const std::vector<std::string>& cells) {
  std::string row = "<tr>\r\n";
  for (size_t i = 0; i < cells.size(); ++i) row += cells[i] + (i + 1 < cells.size() ? kSpacer : "");
  return row + "</tr>\r\n";
}

}  // namespace

TEST(WebThumbPage, OldThumbnailsGoByTheDigitsRuleAndTheRestAreRenderedInNameOrder) {
  kovtest::TempFolder folder;
  struct Case {
    const char* name;
    bool old;      // an earlier run's thumbnail: deleted
    bool picture;  // listed for a thumbnail of its own
  } cases[] = {
      {"kovtn.gif", true, false},     {"kovtn12.gif", true, false},   {"KOVTN3.GIF", true, false},
      {"kovtn1.2.gif", true, false},  {"kovtnA.gif", false, true},    {"kovtn1a.gif", false, true},
      {"kovtn7.png", false, false},   {"kovbgimg.jpg", false, false}, {"b.JPG", false, true},
      {"a & b.jpg", false, true},     {"notes.txt", false, false},    {"kovtn12.gif.txt", false, false},
  };
  for (const Case& c : cases) {
    folder.WriteFile(c.name);
    EXPECT_EQ(IsOldWebThumbName(c.name), c.old) << c.name;
  }
  folder.MakeFolder("kovtn5.gif");  // a folder is neither deleted nor a picture
  folder.MakeFolder("album.jpg");
  folder.WriteFile("kovtn8.gif");
  chmod((folder / "kovtn8.gif").c_str(), 0444);  // read-only: kept

  RemoveOldWebThumbs(folder.path());
  for (const Case& c : cases) EXPECT_EQ(PathExists(folder / c.name), !c.old) << c.name;
  EXPECT_TRUE(PathExists(folder / "kovtn5.gif"));
  EXPECT_TRUE(PathExists(folder / "kovtn8.gif"));

  // What is left is rendered in name order; kovtnA.gif is a picture of its own.
  EXPECT_EQ(ScanImages(folder.path()), (std::vector<std::string>{folder / "a & b.jpg", folder / "b.JPG",
                                                                 folder / "kovtn1a.gif", folder / "kovtnA.gif"}));
  EXPECT_EQ(NextWebThumbName(folder.path()), "kovtn1.gif");
  folder.WriteFile("kovtn1.gif");
  folder.WriteFile("kovtn2.gif");
  EXPECT_EQ(NextWebThumbName(folder.path()), "kovtn3.gif");
}

TEST(WebThumbPage, PageHoldsRowsOfSixWithEscapedNamesByteForByte) {
  std::string head;
  ASSERT_TRUE(LoadResourceBytes(TemplateId::kWebThumbnailListHead, &head));
  ASSERT_EQ(head, kHead);
  ASSERT_EQ(head.size(), 558u);

  std::vector<WebThumbEntry> seven = {
      {"a & b.jpg", "kovtn1.gif", "1600 x 1200"}, {"100%.png", "kovtn2.gif", "20 x 10"},
      {"q\"<x>#.gif", "kovtn3.gif", "1 x 1"},     {"d.bmp", "kovtn4.gif", "4 x 4"},
      {"e.jpg", "kovtn5.gif", "5 x 5"},           {"f.jpg", "kovtn6.gif", "6 x 6"},
      {"g.jpg", "kovtn7.gif", "7 x 7"},
  };
  const std::vector<std::string> pictures = {
      Picture("a%20%26%20b.jpg", "kovtn1.gif"), Picture("100%25.png", "kovtn2.gif"),
      Picture("q%22%3Cx%3E%23.gif", "kovtn3.gif"), Picture("d.bmp", "kovtn4.gif"),
      Picture("e.jpg", "kovtn5.gif"), Picture("f.jpg", "kovtn6.gif")};
  const std::vector<std::string> captions = {
      Caption("a &amp; b.jpg", "1600 x 1200"), Caption("100%.png", "20 x 10"),
      Caption("q&quot;&lt;x&gt;#.gif", "1 x 1"), Caption("d.bmp", "4 x 4"),
      Caption("e.jpg", "5 x 5"), Caption("f.jpg", "6 x 6")};
  const std::vector<std::string> emptyRow(5, kEmpty);
  auto with = [](std::string first, std::vector<std::string> rest) {
    rest.insert(rest.begin(), std::move(first));
    return rest;
  };

  struct Case {
    size_t count;
    std::string body;
  } cases[] = {
      {0, ""},
      {1, Row(with(pictures[0], emptyRow)) + Row(with(captions[0], emptyRow))},
      {6, Row(pictures) + Row(captions)},
      {7, Row(pictures) + Row(captions) + Row(with(Picture("g.jpg", "kovtn7.gif"), emptyRow)) +
              Row(with(Caption("g.jpg", "7 x 7"), emptyRow))},
  };
  for (const Case& c : cases) {
    kovtest::TempFolder folder;
    std::vector<WebThumbEntry> entries(seven.begin(), seven.begin() + c.count);
    std::string error;
    ASSERT_TRUE(WriteThumbListPage(folder.path(), entries, &error)) << error;
    EXPECT_EQ(ReadFileText(folder / "tnlist.htm"), kHead + c.body + kEnd) << c.count << " pictures";
  }
}

namespace {
// A captured 2 x 2 picture: a packed 24-bit bottom-up DIB.
std::string SmallCapture() {
  std::string dib(40, '\0');
  dib[0] = 40, dib[4] = 2, dib[8] = 2, dib[12] = 1, dib[14] = 24;
  return dib + std::string(16, '\x7f');
}
}  // namespace

// The folder's page always links thumbnails of its own pictures: a run takes fresh
// names, and whichever of the two sets the page does not link goes at the end.
TEST(WebThumbPage, ARunThatIsCancelledOrCannotWriteItsPageLeavesTheOlderOneWhole) {
  enum class End { kFinished, kCancelled, kPageReadOnly };
  struct Case {
    const char* what;
    End end;
    bool finished;
    std::vector<std::string> after;
  } cases[] = {
      {"finished: the new page, the old thumbnails gone", End::kFinished, true,
       {"a.jpg", "b.jpg", "kovtn3.gif", "kovtn4.gif", "tnlist.htm"}},
      {"cancelled: the old page with its thumbnails", End::kCancelled, false,
       {"a.jpg", "b.jpg", "kovtn1.gif", "kovtn2.gif", "tnlist.htm"}},
      {"page not written: the same", End::kPageReadOnly, false,
       {"a.jpg", "b.jpg", "kovtn1.gif", "kovtn2.gif", "tnlist.htm"}},
  };
  for (const Case& c : cases) {
    kovtest::TempFolder folder;
    for (const char* name : {"a.jpg", "b.jpg", "kovtn1.gif", "kovtn2.gif"}) folder.WriteFile(name, name);
    folder.WriteFile("tnlist.htm", "old page");
    if (c.end == End::kPageReadOnly) chmod((folder / "tnlist.htm").c_str(), 0444);
    CWebThumbRun run(folder.path());
    for (const char* name : {"a.jpg", "b.jpg"})
      ASSERT_TRUE(WriteWebThumb(folder / name, SmallCapture(), 2, 2, run.entries())) << c.what;
    ASSERT_EQ(run.entries()->at(0).gifName, "kovtn3.gif") << c.what;  // never an old page's name
    std::string error;
    bool finished = false;
    if (c.end == End::kCancelled) run.Abandon();
    else finished = run.Finish(&error);
    EXPECT_EQ(finished, c.finished) << c.what << ": " << error;
    EXPECT_EQ(FolderNames(folder.path()), c.after) << c.what;
    const std::string page = ReadFileText(folder / "tnlist.htm");
    if (c.finished) {
      EXPECT_NE(page.find("<img src=\"kovtn4.gif\">"), std::string::npos) << c.what;
    } else {
      EXPECT_EQ(page, "old page") << c.what;
      EXPECT_EQ(ReadFileText(folder / "kovtn1.gif"), "kovtn1.gif") << c.what;
    }
  }
}
