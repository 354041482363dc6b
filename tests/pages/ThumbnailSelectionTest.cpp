#include <glib.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "pages/ThumbnailPages.h"
#include "pages/ThumbnailSelection.h"
#include "tests/support/TempFolder.h"

using namespace kov;

namespace {

// What encodeURIComponent makes of a string of bytes.
std::string UriComponent(const std::string& text) {
  static const std::string kKept = "-_.!~*'()";
  std::string out;
  for (unsigned char c : text) {
    if (g_ascii_isalnum(c) || kKept.find(static_cast<char>(c)) != std::string::npos) {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

// The script's answer for these cells.
std::string CellsJson(const std::vector<ThumbnailCell>& cells) {
  std::string json = "[";
  for (const ThumbnailCell& cell : cells) {
    for (const std::string* field : {&cell.className, &cell.leftBorderColour, &cell.pictureUrl})
      json += (json.size() > 1 ? ",\"" : "\"") + UriComponent(*field) + "\"";
  }
  return json + "]";
}

const char kCache[] = "/cache/kovthumb.$$$";
const char kFolder[] = "/photos";

}  // namespace

// A thumbnail's cell names its picture in the current folder whatever bytes the name
// holds; names that would leave the folder, or none, name no file.
TEST(ThumbnailSelection, SelectedCellsNameTheirPicturesInTheFolder) {
  struct Case {
    std::string name;      // the picture's name as the cache holds it, or the
                           // address's last segment when it starts with '/'
    std::string expected;  // its file, "" when the cell names none
  } cases[] = {
      {"a.jpg", "/photos/a.jpg"},
      {"a b.jpg", "/photos/a b.jpg"},
      {"#1.png", "/photos/#1.png"},
      {"100%.png", "/photos/100%.png"},
      {"%41.png", "/photos/%41.png"},  // decoded once only
      {"a&b.gif", "/photos/a&b.gif"},
      {"caf\xE9.jpg", "/photos/caf\xE9.jpg"},  // not UTF-8: the bytes are kept
      {"\xC3\xA9t\xC3\xA9.jpg", "/photos/\xC3\xA9t\xC3\xA9.jpg"},
      {"a\\b.jpg", "/photos/a\\b.jpg"},
      {"..", ""},
      {".", ""},
      {"", ""},
      {"/..%2Fx.jpg.gif", ""},
      {"/a%2Fb.jpg.gif", ""},
      {"/%2E%2E.gif", ""},
      {"/a%00b.jpg.gif", ""},
      {std::string(PATH_MAX, 'a'), ""},
  };
  for (const Case& c : cases) {
    std::vector<ThumbnailCell> read;
    std::string url = c.name.rfind('/', 0) == 0 ? "kovp://thumbvw//cache/kovthumb.$$$" + c.name
                                                : ThumbnailUrl(kCache, c.name, "gif");
    ASSERT_TRUE(ParseThumbnailCells(CellsJson({{"pic", "rgb(255, 0, 0)", url}}), &read)) << c.name;
    ThumbnailSelection selection = SelectedPictures(read, kFolder);
    EXPECT_EQ(selection.cellCount, 1u) << c.name;
    std::vector<std::string> expected;
    if (!c.expected.empty()) expected.push_back(c.expected);
    EXPECT_EQ(selection.files, expected) << c.name;
  }
}

// Only the left border's colour and the class decide; the colour as the page writes
// it or as the engine serialises it.
TEST(ThumbnailSelection, OnlyPicCellsWithARedLeftBorderAreSelected) {
  struct Case {
    const char* className;
    const char* colour;
    bool selected;
  } cases[] = {
      {"pic", "#ff0000", true},
      {"PIC", "#FF0000", true},
      {"pic", "rgb(255, 0, 0)", true},
      {"Pic", "RGB(255, 0, 0)", true},
      {"pic", "#c0c0c0", false},
      {"pic", "rgb(192, 192, 192)", false},
      {"pic", "", false},
      {"pic", "red", false},
      {"pic", "rgb(255,0,0)", false},
      {"inf", "#ff0000", false},
      {"", "#ff0000", false},
      {"pic x", "#ff0000", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsSelectedCell({c.className, c.colour, ""}), c.selected) << c.className << " " << c.colour;

  // Page order; a cell that names no file still counts for the question.
  std::vector<ThumbnailCell> cells = {
      {"pic", "#ff0000", ThumbnailUrl(kCache, "b.jpg", "gif")},
      {"inf", "", ""},
      {"pic", "#c0c0c0", ThumbnailUrl(kCache, "c.jpg", "gif")},
      {"pic", "rgb(255, 0, 0)", ThumbnailUrl(kCache, "a.jpg", "gif")},
      {"pic", "#ff0000", ""},
      {"pic", "#ff0000", ThumbnailUrl(kCache, "b.jpg", "gif")},
  };
  ThumbnailSelection selection = SelectedPictures(cells, kFolder);
  EXPECT_EQ(selection.cellCount, 4u);
  EXPECT_EQ(selection.files, (std::vector<std::string>{"/photos/b.jpg", "/photos/a.jpg"}));
  EXPECT_TRUE(SelectedPictures(cells, "").files.empty());
}

TEST(ThumbnailSelection, AnswersThatAreNotTheScriptsReadAsNoCells) {
  std::vector<ThumbnailCell> cells;
  EXPECT_TRUE(ParseThumbnailCells("[]", &cells));
  EXPECT_TRUE(cells.empty());
  for (const char* json : {"", "null", "[", "[\"a\",\"b\"]", "[\"a\",\"b\",\"c\",]",
                           "[\"a\",\"b\" ,\"c\"]", "[\"a\\\"\",\"b\",\"c\"]", "[\"a\",\"b\",3]",
                           "{\"a\":1}", "[\"a\",\"b\",\"c\"]x"}) {
    cells.assign(1, ThumbnailCell{});
    EXPECT_FALSE(ParseThumbnailCells(json, &cells)) << json;
    EXPECT_TRUE(cells.empty()) << json;
  }
}

// Save Picture offers the file of the picture under the pointer.
TEST(ThumbnailSelection, ImageUnderThePointerNamesItsFile) {
  struct Case {
    std::string url;
    const char* expected;
  } cases[] = {
      {"file:///photos/a%20b.jpg", "/photos/a b.jpg"},
      {"FILE:///photos/caf%E9.jpg", "/photos/caf\xE9.jpg"},
      {"kovp://picture//photos/caf%E9.jpg", "/photos/caf\xE9.jpg"},
      {"kovp://decoded//photos/a%20b.tif", "/photos/a b.tif"},
      {"KOVP://Reduced//photos/b.heic", "/photos/b.heic"},
      {"kovp://decoded//photos/../etc/passwd", ""},
      {ThumbnailUrl(kCache, "a#1.png", "gif"), "/photos/a#1.png"},
      {"kovp://picture//photos/../etc/passwd", ""},
      {"kovp://picture/relative.jpg", ""},
      {"kovp://thumbvw//cache/kovthumb.$$$/..%2F..%2Fx.gif", ""},
      {"kovp://bin/152.gif", ""},
      {"file://host/x.jpg", ""},
      {"http://example.com/a.jpg", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureFileOfImageUrl(c.url, kFolder), c.expected) << c.url;
}

// A cache made on Windows, or on a disc mounted in another letter case, names the
// pictures otherwise than the folder does: the selection names the folder's files,
// as a click does, so the file commands find them.
TEST(ThumbnailSelection, SelectionNamesTheFilesAsTheFolderSpellsThem) {
  kovtest::TempFolder folder;
  for (const char* name : {"a.jpg", "B.JPG", "c.jpg", "C.JPG", "d.JPG", "D.jpg"}) folder.WriteFile(name);
  struct Case {
    const char* cached;  // the name in the cache record
    const char* file;    // the file the selection names, below the folder
  } cases[] = {
      {"a.jpg", "a.jpg"},    // exact
      {"A.JPG", "a.jpg"},    // one case-blind match
      {"b.jpg", "B.JPG"},
      {"c.jpg", "c.jpg"},    // exact wins over another spelling
      {"d.jpg", "d.jpg"},    // two case-blind matches: neither, the exact name stays
      {"e.jpg", "e.jpg"},    // missing: the exact name stays, so its failure is told
  };
  const std::string cache = folder / "kovthumb.$$$";
  for (const Case& c : cases) {
    const std::string url = ThumbnailUrl(cache, c.cached, "gif");
    EXPECT_EQ(SelectedPictures({{"pic", "#ff0000", url}}, folder.path()).files,
              std::vector<std::string>{folder / c.file})
        << c.cached;
    EXPECT_EQ(PictureFileOfImageUrl(url, folder.path()), folder / c.file) << c.cached;
  }
  // Two spellings of one file are one file.
  std::vector<ThumbnailCell> twice = {{"pic", "#ff0000", ThumbnailUrl(cache, "A.JPG", "gif")},
                                      {"pic", "#ff0000", ThumbnailUrl(cache, "a.jpg", "gif")}};
  ThumbnailSelection selection = SelectedPictures(twice, folder.path());
  EXPECT_EQ(selection.cellCount, 2u);
  EXPECT_EQ(selection.files, std::vector<std::string>{folder / "a.jpg"});
}
