// The thumbnail list page's exact markup and the cached thumbnails it addresses.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <regex>

#include "base/TextEscape.h"
#include "pages/PageServer.h"
#include "pages/ThumbnailListRows.h"
#include "pages/ThumbnailPages.h"
#include "platform/Screen.h"
#include "res/Resources.h"
#include "tests/support/CacheTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/ThumbCache.h"

using namespace kov;
using cachetest::FakeGif;
using cachetest::TempFolder;

namespace {

const char kFiller[] = "<td width=\"120\">&nbsp;</td>\r\n";
const char kSpacer[] = "<td width=\"6\">&nbsp;</td>\r\n";
// The attributes of a FakeGif thumbnail, which claims 120 x 90.
const char kLazyThumbnail[] = " loading=\"lazy\" width=\"120\" height=\"90\"";

// A screen of the given width for one test.
class ScreenWidth {
 public:
  explicit ScreenWidth(int width) { SetScreenRectSource([width] { return Rect{0, 0, width, 768}; }); }
  ~ScreenWidth() { SetScreenRectSource(nullptr); }
};

// Writes a cache in folder with a record per (name, payload); pictures are made as needed.
std::string MakeCache(const TempFolder& folder, const std::vector<std::pair<std::string, std::string>>& records) {
  CThumbCache writer;
  EXPECT_TRUE(writer.CreateForWrite(MakeTempFileName(folder.path())));
  for (size_t i = 0; i < records.size(); ++i) {
    folder.WriteFile(records[i].first);
    EXPECT_TRUE(writer.AppendFile(folder / records[i].first, records[i].second, 480, 640 + int(i)));
  }
  std::string path = folder / "kovthumb.$$$";
  EXPECT_TRUE(writer.CommitTo(path));
  return path;
}

std::string ListPage(const std::string& cachePath) {
  return ServePageUrl("kovp://thumblst/" + PercentEncodePath(cachePath)).body;
}

// The page after the head template.
std::string Generated(const std::string& page) {
  std::string head;
  EXPECT_TRUE(LoadResourceBytes(TemplateId::kThumbnailListHead, &head));
  EXPECT_EQ(page.compare(0, head.size(), head), 0);
  return page.substr(head.size());
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::string Placeholder() {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(BinId::kPlaceholderThumbnail, &bytes));
  return bytes;
}

}  // namespace

TEST(ThumbnailList, TwoColumnsWithOneRecord) {
  ScreenWidth screen(300);
  TempFolder dir;
  std::string cache = MakeCache(dir, {{"a.jpg", FakeGif(1)}});
  std::string expected =
      "<table width=\"100%\" cols=\"3\" cellSpacing=\"0\" cellPadding=\"0\">\r\n"
      "<tr>\r\n"
      "<td width=\"120\" class=\"pic\" onclick=\"doClick(this);\"><img src=\"kovp://thumbvw/" +
      cache + "/a.jpg.gif\"" + kLazyThumbnail + "></td>\r\n" + kSpacer + kFiller +
      "</tr>\r\n"
      "<tr>\r\n"
      "<td width=\"120\" class=\"inf\"><div>a.jpg<br>640 x 480<br>&nbsp;</div></td>\r\n" +
      kSpacer + kFiller +
      "</tr>\r\n"
      "</table>\r\n</body>\r\n"
      "<SCRIPT LANGUAGE=JSCRIPT>\r\nwindow.external.ThumbnailListReport(1);\r\n</SCRIPT>\r\n"
      "\r\n</html>\r\n";
  EXPECT_EQ(Generated(ListPage(cache)), expected);
}

TEST(ThumbnailList, RowsForNoneExactlyNAndNPlusOneRecords) {
  ScreenWidth screen(1024);  // 8 columns, 15 table columns
  TempFolder dir;
  std::string none = Generated(ListPage(dir / "kovthumb.$$$"));
  EXPECT_NE(none.find("cols=\"15\""), std::string::npos);
  EXPECT_EQ(Count(none, "<tr>"), 2u);
  EXPECT_EQ(Count(none, kFiller), 16u);
  EXPECT_EQ(Count(none, kSpacer), 14u);
  EXPECT_NE(none.find("ThumbnailListReport(0);"), std::string::npos);

  std::vector<std::pair<std::string, std::string>> records;
  for (int i = 0; i < 8; ++i) records.emplace_back("p" + std::to_string(i) + ".jpg", FakeGif(i));
  std::string full = Generated(ListPage(MakeCache(dir, records)));
  EXPECT_EQ(Count(full, "<tr>"), 4u);  // a full row pair, then a row pair of fillers
  EXPECT_EQ(Count(full, "class=\"pic\""), 8u);
  EXPECT_EQ(Count(full, kFiller), 16u);
  EXPECT_NE(full.find("ThumbnailListReport(8);"), std::string::npos);

  records.emplace_back("p8.jpg", FakeGif(8));
  std::string more = Generated(ListPage(MakeCache(dir, records)));
  EXPECT_EQ(Count(more, "<tr>"), 4u);
  EXPECT_EQ(Count(more, kFiller), 14u);  // n - 1 fillers in each row of the second pair
  // Only the first row's cells carry the width: later ones have two spaces after td.
  EXPECT_NE(more.find("<td  class=\"pic\" onclick=\"doClick(this);\"><img src=\"kovp://thumbvw/" +
                      dir.path() + "/kovthumb.$$$/p8.jpg.gif\"" + kLazyThumbnail + ">"),
            std::string::npos);
  EXPECT_NE(more.find("<td  class=\"inf\"><div>p8.jpg<br>648 x 480<br>"), std::string::npos);
  EXPECT_NE(more.find("ThumbnailListReport(9);"), std::string::npos);
}

TEST(ThumbnailList, HostileNamesAndBmpPayloads) {
  ScreenWidth screen(800);
  EXPECT_EQ(ScreenColumns(), 6);
  TempFolder dir;
  const std::string hostile = "a b#%\"<&.jpg";
  // The headers of a 32 x 32 BMP without its pixels, which cannot be converted.
  const std::string bmp("BM\x36\x0C\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x20\0\0\0\x20\0\0\0\x01\0\x18\0", 30);
  std::string cache = MakeCache(dir, {{hostile, FakeGif(3)}, {"pic.bmp", bmp}});
  std::string page = Generated(ListPage(cache));
  EXPECT_NE(page.find("cols=\"11\""), std::string::npos);
  std::string hostileUrl = "kovp://thumbvw/" + cache + "/a%20b%23%25%22%3C%26.jpg.gif";
  EXPECT_NE(page.find("<img src=\"" + hostileUrl + "\"" + kLazyThumbnail + ">"), std::string::npos);
  EXPECT_NE(page.find("<div>a b#%&quot;&lt;&amp;.jpg<br>"), std::string::npos);
  EXPECT_NE(page.find("/pic.bmp.bmp\">"), std::string::npos);

  // The addresses deliver the stored payloads, whatever extension they end in.
  EXPECT_EQ(ServePageUrl(hostileUrl).body, FakeGif(3));
  PageResponse stored = ServePageUrl("kovp://thumbvw/" + cache + "/pic.bmp.bmp");
  EXPECT_EQ(stored.body, bmp);
  EXPECT_EQ(stored.mimeType, "image/bmp");
  EXPECT_EQ(ServePageUrl("kovp://thumbvw/" + cache + "/pic.bmp.gif").body, bmp);
}

TEST(ThumbnailList, ScreenColumnsFollowTheScreenWidth) {
  for (auto [width, columns] : {std::pair{1024, 8}, {800, 6}, {1280, 10}, {132, 1}, {100, 1}}) {
    ScreenWidth screen(width);
    EXPECT_EQ(ScreenColumns(), columns) << width;
  }
}

TEST(ThumbnailView, PlaceholderForAnythingMissing) {
  TempFolder dir;
  std::string cache = MakeCache(dir, {{"Shot.JPG", FakeGif(4, 500)}});
  EXPECT_EQ(ServePageUrl("kovp://thumbvw/" + cache + "/Shot.JPG.gif").body, FakeGif(4, 500));
  EXPECT_EQ(ServePageUrl("kovp://thumbvw/" + cache + "/shot.jpg.gif").body, FakeGif(4, 500));
  const std::string placeholder = Placeholder();
  for (const std::string& url :
       {"kovp://thumbvw/" + cache + "/other.jpg.gif", "kovp://thumbvw/" + dir.path() + "/none/x.jpg.gif",
        "kovp://thumbvw/" + cache + "/Shot.JPG", std::string("kovp://thumbvw/"), std::string("kovp://thumbvw//x.gif")})
    EXPECT_EQ(ServePageUrl(url).body, placeholder) << url;
}

// The command-line round trip: records added with kovtool are listed on the page, and
// every address on the page fetched with kovtool gives the stored GIF.
TEST(ThumbnailList, KovtoolRoundTrip) {
  TempFolder dir;
  const std::string tool = std::string(KOV_BINARY_DIR) + "/kovtool";
  const std::string cache = dir / "kovthumb.$$$";
  std::vector<std::string> names = {"one.jpg", "two words.png"};
  for (size_t i = 0; i < names.size(); ++i) {
    dir.WriteFile(names[i]);
    cachetest::WriteFile(dir / ("payload" + std::to_string(i)), FakeGif(int(i), 100 + i));
    std::string command = "'" + tool + "' cache add '" + cache + "' '" + (dir / names[i]) + "' '" +
                          (dir / ("payload" + std::to_string(i))) + "' 30 40";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  std::string listFile = dir / "list.txt";
  ASSERT_EQ(std::system(("'" + tool + "' cache list '" + cache + "' > '" + listFile + "'").c_str()), 0);
  std::string list = cachetest::ReadFile(listFile);
  EXPECT_NE(list.find("one.jpg\t"), std::string::npos);
  EXPECT_NE(list.find("\t101\tgif\t30\t40\n"), std::string::npos);
  ASSERT_EQ(std::system(("'" + tool + "' cache current '" + dir.path() + "'").c_str()), 0);

  std::string pageFile = dir / "page.html";
  std::string command = "'" + tool + "' page 'kovp://thumblst/" + cache + "' > '" + pageFile + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string page = cachetest::ReadFile(pageFile);
  std::regex source("<img src=\"(kovp://thumbvw/[^\"]*)\"" + std::string(kLazyThumbnail) + ">");
  size_t fetched = 0;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), source); it != std::sregex_iterator(); ++it) {
    std::string out = dir / "fetched.gif";
    ASSERT_EQ(std::system(("'" + tool + "' page '" + (*it)[1].str() + "' > '" + out + "' 2>/dev/null").c_str()), 0);
    EXPECT_EQ(cachetest::ReadFile(out), FakeGif(int(fetched), 100 + fetched)) << (*it)[1].str();
    ++fetched;
  }
  EXPECT_EQ(fetched, names.size());

  std::string got = dir / "got.gif";
  ASSERT_EQ(std::system(("'" + tool + "' cache get '" + cache + "' 'two words.png' > '" + got + "'").c_str()), 0);
  EXPECT_EQ(cachetest::ReadFile(got), FakeGif(1, 101));
  auto exitCode = [&](const std::string& args) {
    int status = std::system(("'" + tool + "' " + args + " 2>/dev/null >/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(exitCode("cache get '" + cache + "' missing.jpg"), 1);
  EXPECT_EQ(exitCode("cache add '" + cache + "' '" + (dir / "one.jpg") + "' '" + (dir / "payload0") + "' 3 x"), 2);
  EXPECT_EQ(exitCode("cache add '" + cache + "' '" + (dir / "gone.jpg") + "' '" + (dir / "payload0") + "' 3 4"), 1);
  EXPECT_EQ(exitCode("cache path"), 2);
  EXPECT_EQ(exitCode("cache"), 2);
  dir.WriteFile("three.gif");
  EXPECT_EQ(exitCode("cache current '" + dir.path() + "'"), 1);
}

// Thumbnails of a known size wait until they come near the screen, and keep their
// place meanwhile; a payload whose size is unknown or absurd is fetched at once.
TEST(ThumbnailList, ThumbnailsOfKnownSizeLoadLazilyInTheirOwnSize) {
  ScreenWidth screen(1024);
  TempFolder dir;
  auto gifOfSize = [](unsigned width, unsigned height) {
    std::string gif = "GIF87a";
    for (unsigned value : {width, height}) gif += {char(value & 0xFF), char(value >> 8)};
    return gif + std::string(30, '\0');
  };
  struct Case {
    std::string name, payload, attributes;
  } cases[] = {
      {"wide.jpg", gifOfSize(120, 90), "\" loading=\"lazy\" width=\"120\" height=\"90\">"},
      {"tall.jpg", gifOfSize(60, 120), "\" loading=\"lazy\" width=\"60\" height=\"120\">"},
      {"zero.jpg", gifOfSize(0, 90), "\">"},
      {"absurd.jpg", gifOfSize(60000, 90), "\">"},
      {"short.jpg", "GIF87a\x78", "\">"},
      {"bitmap.jpg", "BM cannot be converted", "\">"},
  };
  std::vector<std::pair<std::string, std::string>> records;
  for (const Case& c : cases) records.emplace_back(c.name, c.payload);
  std::string page = Generated(ListPage(MakeCache(dir, records)));
  for (const Case& c : cases) {
    size_t at = page.find("/" + c.name + ".");
    ASSERT_NE(at, std::string::npos) << c.name;
    size_t end = page.find("</td>", at);
    EXPECT_NE(page.substr(at, end - at).find(c.attributes), std::string::npos)
        << c.name << ": " << page.substr(at, end - at);
  }
}

// The text of a double-quoted script string, its escapes undone (those the held rows use).
std::string UnescapeScriptString(const std::string& body) {
  std::string text;
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\\' || i + 1 == body.size()) {
      text += body[i];
      continue;
    }
    const char c = body[++i];
    if (c == 'r' || c == 'n') {
      text += c == 'r' ? '\r' : '\n';
    } else if (c == 'x' && i + 2 < body.size()) {
      text += static_cast<char>(std::stoi(body.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (c == 'u' && i + 4 < body.size()) {
      text += body.substr(i + 1, 4) == "2028" ? "\xE2\x80\xA8" : "\xE2\x80\xA9";
      i += 4;
    } else {
      text += c;  // a quote or a backslash
    }
  }
  return text;
}

// A list longer than two screens: the first rows go into the table, the rest wait in
// blocks that the page asks for once drawn and unfolds as it is scrolled. Every
// picture is listed once, blocks hold whole row pairs, and no name can end a block's
// string early or lose a character in it.
TEST(ThumbnailList, RowsBeyondTwoScreensAreHeldInBlocks) {
  ScreenWidth screen(1024);  // 8 columns; 768 high: 16 row pairs in the table
  ASSERT_EQ(InlineRowPairs(), 16);
  TempFolder dir;
  std::vector<std::pair<std::string, std::string>> records;
  const int count = 8 * 16 + 8 * kHeldRowPairsPerBlock + 3;
  for (int i = 0; i < count; ++i) records.emplace_back("p" + std::to_string(1000 + i) + ".jpg", FakeGif(i));
  records[150].first = "<!--<script>x.jpg";
  records[151].first = "ends in \\";
  records[152].first = "two\nlines \"quoted\"\r.jpg";
  records[153].first = "line\xE2\x80\xA8separator.jpg";
  const std::string cache = MakeCache(dir, records);
  std::string page = Generated(ListPage(cache));
  const std::string rowsUrl = "kovp://thumbrows/" + PercentEncodePath(cache);
  PageResponse rows = ServePageUrl(rowsUrl);

  size_t tableEnd = page.find("</table>");
  ASSERT_NE(tableEnd, std::string::npos);
  EXPECT_EQ(Count(page.substr(0, tableEnd), "<tr>"), 32u);
  EXPECT_EQ(Count(page.substr(tableEnd), "<tr>"), 0u) << "the held rows are not sent with the page";
  EXPECT_NE(page.find("'" + rowsUrl + "'"), std::string::npos);
  EXPECT_EQ(rows.mimeType, "text/javascript");
  std::regex block(R"re(\[(\d+),"((?:[^"\\\r\n]|\\.)*)"\])re");
  std::vector<int> blockRows;
  std::string held;
  for (auto it = std::sregex_iterator(rows.body.begin(), rows.body.end(), block); it != std::sregex_iterator(); ++it) {
    blockRows.push_back(std::stoi((*it)[1].str()));
    const std::string text = UnescapeScriptString((*it)[2].str());
    EXPECT_EQ(Count(text, "<tr>"), 2u * blockRows.back());
    held += text;
  }
  EXPECT_EQ(blockRows, (std::vector<int>{kHeldRowPairsPerBlock, 1}));
  EXPECT_EQ(rows.body.rfind("kovHeldRows([", 0), 0u);
  EXPECT_NE(held.find("&lt;!--&lt;script&gt;x.jpg<br>"), std::string::npos);
  EXPECT_NE(held.find("ends in \\<br>"), std::string::npos);
  EXPECT_NE(held.find("two\nlines &quot;quoted&quot;\r.jpg<br>"), std::string::npos);
  EXPECT_NE(held.find("line\xE2\x80\xA8separator.jpg<br>"), std::string::npos);
  for (const auto& record : records)
    EXPECT_EQ(Count(page + held, CUrlText("/" + record.first + ".gif").GetText() + "\""), 1u) << record.first;
  EXPECT_NE(page.find("<div id=\"kovheld\" style=\"height:900px\"></div>"), std::string::npos);
  EXPECT_NE(page.find("ThumbnailListReport(" + std::to_string(count) + ");"), std::string::npos);
}
