// What each kovp URL serves: the command table in any letter case, the fallbacks,
// the BIN ids, and the image and thumbnail-making pages with hostile file names.
#include <gtest/gtest.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "base/TextEscape.h"
#include "pages/FolderBackground.h"
#include "pages/PageServer.h"
#include "pages/PageText.h"
#include "pages/PageUrl.h"
#include "res/BuiltInMusic.h"
#include "res/Resources.h"
#include "tests/support/TempFolder.h"
#include "thumbs/ThumbStrip.h"

using namespace kov;
using kovtest::TempFolder;

namespace {

std::string Html(TemplateId id) {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(id, &bytes)) << static_cast<int>(id);
  return bytes;
}

std::string Bin(BinId id) {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(id, &bytes)) << static_cast<int>(id);
  return bytes;
}

std::string Serve(const std::string& url) { return ServePageUrl(url).body; }

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(PageDispatch, CommandsInAnyCaseAndEveryFallback) {
  std::string defaultPage = Html(TemplateId::kBlankPage);
  ASSERT_FALSE(defaultPage.empty());
  EXPECT_EQ(Serve("kovp://blank/"), defaultPage);
  EXPECT_EQ(Serve("kovp://BLANK"), defaultPage);
  EXPECT_EQ(Serve("kovp:blank"), defaultPage);
  EXPECT_EQ(Serve("kovp://bLaNk2"), Html(TemplateId::kBlank2Page));
  // The background page starts silent: its music element has no source until the
  // viewer sets one, and nothing else of the page changes.
  std::string background = Serve("kovp://Background/");
  std::string silent = Html(TemplateId::kBackgroundPage);
  const std::string source = " src=\"kovp://bin/153.mid\"";
  silent.erase(silent.find(source), source.size());
  EXPECT_EQ(background, silent);
  EXPECT_TRUE(Contains(background, "<AUDIO id=\"bgsd\" loop autoplay></AUDIO>"));
  for (const std::string& url :
       {std::string("kovp://nothing/"), std::string("kovp://"), std::string(""),
        std::string("kovp://blank3/"), "kovp://" + std::string(100, 'b') + "/x",
        "kovp://image//tmp/" + std::string(kMaxPageUrlLength, 'a') + ".jpg",
        std::string("kovp://image//tmp/a%00b.jpg"), std::string("kovp://%00image//tmp/a.jpg")})
    EXPECT_EQ(Serve(url), defaultPage) << url.substr(0, 60);
}

TEST(PageDispatch, BinIdsAreTheLeadingNumberKeptTo16Bits) {
  std::string picture = Bin(BinId::kBackgroundPicture);
  ASSERT_EQ(picture.compare(0, 6, "GIF89a"), 0);
  for (const char* url : {"kovp://bin/152.gif", "kovp://bin/152", "kovp://BIN/152.anything",
                          "kovp://bin/65688.gif", "kovp://bin/%20+152", "kovp://bin/-65384"})
    EXPECT_EQ(Serve(url), picture) << url;
  EXPECT_EQ(Serve("kovp://bin/154.bmp"), Bin(BinId::kPlaceholderThumbnail));
  EXPECT_EQ(Serve("kovp://bin/154.gif"), Bin(BinId::kPlaceholderThumbnail));
  EXPECT_EQ(Serve("kovp://bin/153.mid"), Bin(BinId::kBackgroundMusic));
  // Unknown ids, ids of templates and digit strings far beyond any integer are empty.
  for (const char* url : {"kovp://bin/999", "kovp://bin/157", "kovp://bin/x152", "kovp://bin/",
                          "kovp://bin/99999999999999999999999999999999999"})
    EXPECT_EQ(Serve(url), "") << url;
  EXPECT_EQ(Serve("kovp://thumbvw//nowhere/kovthumb.$$$/a.jpg.gif"), Bin(BinId::kPlaceholderThumbnail));
}

TEST(PageText, TemplatesTakeArgumentsLiterally) {
  EXPECT_EQ(FillTemplate("a%sb%%c%sd", {"1", "2"}), "a1b%c2d");
  EXPECT_EQ(FillTemplate("%s|%s", {"%s%%%d"}), "%s%%%d|");  // never re-scanned
  EXPECT_EQ(FillTemplate("50% off %", {}), "50% off %");
  EXPECT_EQ(CUtf8Text("caf\xC3\xA9").GetText(), "caf\xC3\xA9");
  EXPECT_EQ(CUtf8Text("a\xFF").GetText(), "a\xEF\xBF\xBD");
  EXPECT_EQ(FileUrlOf("/tmp/a b.jpg"), "file:///tmp/a%20b.jpg");
  EXPECT_EQ(FileUrlOf("relative.jpg"), "");
}

TEST(ImagePage, FillsTheTemplateWithEscapedUrlsAndTooltip) {
  std::string page = Serve("kovp://IMAGE//tmp/a%20b.jpg");
  EXPECT_TRUE(Contains(page, "src=\"file:///tmp/a%20b.jpg\"")) << page;
  EXPECT_TRUE(Contains(page, "title=\"/tmp/a b.jpg\""));
  EXPECT_TRUE(Contains(page, "background=\"kovp://bin/152.gif\""));
  EXPECT_TRUE(Contains(page, "width=\"100%\""));  // the template's %% became %
  EXPECT_FALSE(Contains(page, "%s"));
  // The view script (zoom, turn, caption) runs after the picture element, inside the body.
  EXPECT_LT(page.find("id=\"pic\""), page.find("window.kovCaption"));
  EXPECT_LT(page.find("window.kovCaption"), page.find("</body>"));

  // A name with every character that could break out of an attribute or a URL.
  std::string path = "/tmp/q\"x<y>&z#w%v\xC3\xA9.jpg";
  std::string hostile = Serve("kovp://image/" + PercentEncodePath(path));
  EXPECT_TRUE(Contains(hostile, "src=\"file:///tmp/q%22x%3Cy%3E&amp;z%23w%25v%C3%A9.jpg\""))
      << hostile;
  EXPECT_TRUE(Contains(hostile, "title=\"/tmp/q&quot;x&lt;y&gt;&amp;z#w%v\xC3\xA9.jpg\""));
  EXPECT_FALSE(Contains(hostile, "q\"x"));
  EXPECT_FALSE(Contains(hostile, "<y"));

  std::string maker = Serve("kovp://thumbmk/" + PercentEncodePath(path));
  EXPECT_TRUE(Contains(maker, "<img src=\"kovp://reduced//tmp/q%22x%3Cy%3E%26z%23w%25v%C3%A9.jpg\" id=\"pic\""))
      << maker;
  EXPECT_EQ(Serve("kovp://thumbmk//a/../b.jpg"), Serve("kovp://thumbmk//b.jpg"));

  // The builder's strip: a cell a picture, each shown as the thumbnail-making page
  // shows it; a strip no longer known holds no picture.
  std::string strip = Serve(ThumbStripUrl({path, "/b/c.jpg"}));
  EXPECT_TRUE(Contains(strip, "<div><table><tr><td><img src=\"kovp://reduced//tmp/"
                              "q%22x%3Cy%3E%26z%23w%25v%C3%A9.jpg\" style=\"visibility:hidden\" "
                              "onload=\"Init(0,this);\"></td></tr></table></div><div><table><tr>"
                              "<td><img src=\"kovp://reduced//b/c.jpg\" style=\"visibility:"
                              "hidden\" onload=\"Init(1,this);\"></td></tr></table></div></body>"))
      << strip;
  EXPECT_EQ(Serve("kovp://thumbstrip/0"), Html(TemplateId::kBlankPage));
}

// The engine reads the escapes of a file:// URL back as UTF-8, so a name that is not
// UTF-8 (here Latin-1) is shown through the page server instead.
TEST(ImagePage, NamesThatAreNotUtf8AreShownThroughThePageServer) {
  std::string path = "/tmp/q\"x&caf\xE9.jpg";
  std::string expected = "kovp://picture//tmp/q%22x%26caf%E9.jpg";
  EXPECT_EQ(PictureUrlOf(path), expected);
  EXPECT_EQ(PictureUrlOf("/tmp/caf\xC3\xA9.jpg"), "file:///tmp/caf%C3%A9.jpg");
  EXPECT_EQ(PictureUrlOf("tmp/caf\xE9.jpg"), "");

  std::string image = Serve("kovp://image/" + PercentEncodePath(path));
  EXPECT_TRUE(Contains(image, "src=\"" + expected + "\"")) << image;
  EXPECT_TRUE(Contains(image, "title=\"/tmp/q&quot;x&amp;caf\xEF\xBF\xBD.jpg\""));
  EXPECT_TRUE(g_utf8_validate(image.data(), static_cast<gssize>(image.size()), nullptr));
  EXPECT_TRUE(Contains(Serve("kovp://thumbmk/" + PercentEncodePath(path)),
                       "<img src=\"kovp://reduced//tmp/q%22x%26caf%E9.jpg\""));
}

// Every byte of a name in CJK letters is encoded as three: a deep folder of them
// makes a long URL that still names a path well within the system's limit.
TEST(ImagePage, LongPathsOfNonLatinNamesAreShown) {
  std::string path = "/tmp";
  for (int i = 0; i < 8; ++i) path += "/" + [] {
    std::string folder;
    for (int k = 0; k < 30; ++k) folder += "\xE5\x86\x99";  // a 3-byte letter
    return folder;
  }();
  path += "/a.jpg";
  std::string url = "kovp://image/" + PercentEncodePath(path);
  ASSERT_GT(url.size(), 2083u);
  std::string image = Serve(url);
  EXPECT_TRUE(Contains(image, "src=\"file://" + PercentEncodePath(path) + "\"")) << image.substr(0, 200);
}

TEST(PicturePage, ServesThePictureFileItselfAndNothingElse) {
  TempFolder folder;
  const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  const std::string jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF", 10);
  std::string latin = folder.WriteFile("\xE9t\xE9.png", png);
  std::string photo = folder.WriteFile("p#1.JPG", jpeg);
  std::string notes = folder.WriteFile("notes\xE9.txt", "private");

  PageResponse picture = ServePageUrl("kovp://picture/" + PercentEncodePath(latin));
  EXPECT_EQ(picture.body, png);
  EXPECT_EQ(picture.mimeType, "image/png");
  PageResponse upper = ServePageUrl("KOVP://PICTURE/" + PercentEncodePath(photo));
  EXPECT_EQ(upper.body, jpeg);
  EXPECT_EQ(upper.mimeType, "image/jpeg");
  // Only pictures, only files that are there, never a folder.
  EXPECT_EQ(Serve("kovp://picture/" + PercentEncodePath(notes)), "");
  EXPECT_EQ(Serve("kovp://picture/" + PercentEncodePath(folder / "gone.png")), "");
  EXPECT_EQ(Serve("kovp://picture/" + PercentEncodePath(folder.MakeFolder("dir.png"))), "");
  ASSERT_EQ(mkfifo((folder / "pipe.png").c_str(), 0600), 0);  // answered at once, not waited on
  EXPECT_EQ(Serve("kovp://picture/" + PercentEncodePath(folder / "pipe.png")), "");
  EXPECT_EQ(Serve("kovp://picture//etc/passwd"), "");
}

TEST(ImagePage, UsesTheFolderBackgroundPictureWhenThereIsOne) {
  gchar* dir = g_dir_make_tmp("kov-page-XXXXXX", nullptr);
  ASSERT_NE(dir, nullptr);
  std::string folder = std::string(dir) + "/a&b";
  ASSERT_EQ(g_mkdir(folder.c_str(), 0700), 0);
  std::string background = folder + "/kovbgimg.gif";
  const char kOnePixelGif[] = "GIF89a\1\0\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;";
  ASSERT_TRUE(g_file_set_contents(background.c_str(), kOnePixelGif, sizeof kOnePixelGif - 1, nullptr));
  std::string found;
  bool lookupWorks = FindFolderBackgroundFile(folder, &found, true);
  std::string page = Serve("kovp://image/" + PercentEncodePath(folder + "/p.jpg"));
  g_remove(background.c_str());
  g_rmdir(folder.c_str());
  g_rmdir(dir);
  g_free(dir);
  if (!lookupWorks) GTEST_SKIP() << "folder background lookup not available in this build";
  EXPECT_TRUE(Contains(page, "background=\"" + HtmlEscape(FileUrlOf(background)) + "\"")) << page;
  EXPECT_TRUE(Contains(page, "/a&amp;b/kovbgimg.gif\""));
}

TEST(PageServer, MimeTypeFromTheFirstBytes) {
  EXPECT_EQ(MimeTypeOfResponse(""), "text/html");
  EXPECT_EQ(MimeTypeOfResponse("<HtMl>"), "text/html");
  EXPECT_EQ(MimeTypeOfResponse("<htm"), "application/octet-stream");
  EXPECT_EQ(MimeTypeOfResponse("GIF89a"), "image/gif");
  EXPECT_EQ(MimeTypeOfResponse("BM"), "image/bmp");
  EXPECT_EQ(MimeTypeOfResponse("MThd"), "audio/midi");
  EXPECT_EQ(MimeTypeOfResponse(std::string("\0\0", 2)), "application/octet-stream");
  EXPECT_EQ(ServePageUrl("kovp://bin/152.gif").mimeType, "image/gif");
  EXPECT_EQ(ServePageUrl("kovp://bin/999").mimeType, "text/html");
}

TEST(PageServer, KovtoolPageWritesBytesAndType) {
  std::string tool = std::string(KOV_BINARY_DIR) + "/kovtool";
  auto run = [&](std::vector<std::string> args, std::string* out, std::string* err) {
    std::vector<char*> argv{&tool[0]};
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    gchar *o = nullptr, *e = nullptr;
    gint status = -1;
    EXPECT_TRUE(g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, &o,
                             &e, &status, nullptr));
    *out = o ? o : "";  // the pages compared here are text
    *err = e ? e : "";
    g_free(o);
    g_free(e);
    return g_spawn_check_wait_status(status, nullptr) ? 0 : WEXITSTATUS(status);
  };
  std::string out, err;
  EXPECT_EQ(run({"page", "kovp://blank/"}, &out, &err), 0);
  EXPECT_EQ(out, Html(TemplateId::kBlankPage));
  EXPECT_EQ(err, "text/html\n");
  EXPECT_EQ(run({"page", "kovp://bin/999"}, &out, &err), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(run({"page"}, &out, &err), 2);
  EXPECT_EQ(run({"page", "a", "b"}, &out, &err), 2);
}
