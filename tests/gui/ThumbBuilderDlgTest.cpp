// The thumbnail builder's window on a real engine: pictures of every format get
// records with their natural sizes and fitted GIFs of the picture itself, a broken
// file gets the placeholder, and Escape, the Cancel button, a held Alt key and a
// hidden window all cancel without touching the old cache.
#include <gtest/gtest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "base/PathRules.h"
#include "tests/support/PictureSamples.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/ThumbStrip.h"

using namespace kov;
using namespace kov::test;

namespace {

samples::DecodedGif DecodePayload(const std::string& payload) {
  return samples::DecodeGif(std::vector<uint8_t>(payload.begin(), payload.end()));
}

// Within a small distance on every channel: GIF colours pass through the quantiser.
bool Near(uint32_t rgb, unsigned expected) {
  for (int shift : {16, 8, 0}) {
    int a = (rgb >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
    if (std::abs(a - b) > 40) return false;
  }
  return true;
}

// The thumbnail size a picture of w x h must have: the longer side fitted to 120
// when over it, the other in proportion, never below one pixel.
std::pair<int, int> FittedSize(int w, int h) {
  if (w <= 120 && h <= 120) return {w, h};
  if (h > w) return {std::max(1, int(std::lround(w * 120.0 / h))), 120};
  return {120, std::max(1, int(std::lround(h * 120.0 / w)))};
}

// The thumbnails are left beside the screenshots, for a person to look at.
void KeepForViewing(const ReadRecord& record) {
  std::string folder = std::string(KOV_BINARY_DIR) + "/screenshots/thumbs";
  g_mkdir_with_parents(folder.c_str(), 0755);
  WriteBytes(folder + "/" + record.header.name + ".gif", record.payload);
}

std::string CachePathOf(const std::string& folder) { return JoinPath(folder, kCacheFileName); }

// A split picture's record: its natural size, and a GIF fitted to 120 x 120 whose first
// and last columns are the picture's own halves, so the crop is neither offset into
// the page nor blank. A natural size of 0 x 0 stands for a broken file: the placeholder.
void ExpectOwnThumbnail(const ReadRecord& r, std::pair<int, int> natural) {
  samples::DecodedGif gif = DecodePayload(r.payload);
  ASSERT_TRUE(gif.ok);
  auto [w, h] = natural;
  EXPECT_EQ(r.header.width, w);
  EXPECT_EQ(r.header.height, h);
  if (w == 0) return;
  auto [fw, fh] = FittedSize(w, h);
  EXPECT_NEAR(gif.width, fw, 1);
  EXPECT_NEAR(gif.height, fh, 1);
  EXPECT_LE(std::max(gif.width, gif.height), 120);
  int middle = gif.height / 2 * gif.width;
  EXPECT_TRUE(Near(gif.Rgb(middle), kLeftColour)) << std::hex << gif.Rgb(middle);
  EXPECT_TRUE(Near(gif.Rgb(middle + gif.width - 1), kRightColour))
      << std::hex << gif.Rgb(middle + gif.width - 1);
  EXPECT_TRUE(Near(gif.Rgb(gif.width / 4), kLeftColour));  // top row
  EXPECT_TRUE(Near(gif.Rgb(size_t(gif.height - 1) * gif.width + gif.width / 4), kLeftColour));
}

}  // namespace

TEST(ThumbBuilderDlg, FolderOfMixedPicturesGetsFittedThumbnailsOfThePicturesThemselves) {
  TempFolder folder;
  TempFolder traceFolder;
  TraceShownOnFailure trace(traceFolder.path());
  const std::string& dir = folder.path();
  ASSERT_TRUE(WriteSplitPicture(dir + "/a.png", "png", 200, 100));
  ASSERT_TRUE(WriteSplitPicture(dir + "/B.jpg", "jpeg", 90, 160));
  ASSERT_TRUE(WriteSplitGif(dir + "/c.gif", 64, 48));
  ASSERT_TRUE(WriteSplitBmp(dir + "/d.bmp", 300, 300));
  ASSERT_TRUE(WritePng(dir + "/strip.png", 1, 10000, 0x10C010));
  // A Latin-1 name, not UTF-8: the engine cannot open it by its file:// URL.
  ASSERT_TRUE(WriteSplitPicture(dir + "/\xE9t\xE9.png", "png", 80, 40));
  ASSERT_TRUE(WriteBytes(dir + "/x.jpg", "this is not a picture at all \x01\x02\x03"));
  ASSERT_TRUE(WriteBytes(dir + "/notes.txt", "not a picture: never listed"));

  CThumbBuilderDlg dialog(DirName(dir), dir, false);
  ASSERT_TRUE(dialog.Create(nullptr));
  std::vector<std::string> statuses;
  // The window is drawn the moment the count first shows, as it is then (the page,
  // which the engine paints, is not in the drawing). A screen grab a while later
  // could come after the build had ended.
  std::string screenshot;
  BuildResult result = RunWatchingStatus(&dialog, [&](const std::string& status) {
    if (statuses.empty() || statuses.back() != status) statuses.push_back(status);
    if (screenshot.empty() && status != kScanningStatus) screenshot = SaveDrawnWindow(dialog.window(), "thumb-builder");
  });
  EXPECT_EQ(result, BuildResult::kOk);
  EXPECT_FALSE(screenshot.empty());
  // The folder from the base folder's own name on.
  EXPECT_EQ(dialog.CaptionText(),
            BaseName(DirName(dir)) + "/" + BaseName(dir) + " - Creating Thumbnails");
  // The count of pictures done out of the total counted first follows the scanning
  // text. All seven go in one strip, the broken x.jpg among them.
  EXPECT_EQ(statuses, (std::vector<std::string>{"Scanning Files...", "7 of 7"}));
  // The sunken box of bar and count needs no more room than it has beside Cancel,
  // so the count is not drawn under the button.
  GtkWidget* statusBox = gtk_widget_get_parent(gtk_widget_get_parent(dialog.statusLabel()));
  GtkAllocation box, cancel;
  gtk_widget_get_allocation(statusBox, &box);
  gtk_widget_get_allocation(dialog.cancelButton(), &cancel);
  int needed = 0;
  gtk_widget_get_preferred_width(statusBox, nullptr, &needed);
  EXPECT_LE(box.x + needed, cancel.x) << "the status box needs " << needed << " pixels";
  EXPECT_EQ(dialog.RenderedCount(), 7u);

  std::vector<ReadRecord> records = ReadCacheRecords(CachePathOf(dir));
  std::vector<std::string> names;
  for (const ReadRecord& r : records) names.push_back(r.header.name);
  // Case-insensitive path order; the text file is not a picture. The broken file
  // gets the placeholder in its place, and its neighbours in the strip their own
  // pictures.
  EXPECT_EQ(names, (std::vector<std::string>{"a.png", "B.jpg", "c.gif", "d.bmp", "strip.png", "x.jpg",
                                             "\xE9t\xE9.png"}));
  EXPECT_TRUE(FilesStartingWith(dir, ".kovthumb-").empty());

  const std::map<std::string, std::pair<int, int>> natural = {
      {"a.png", {200, 100}}, {"B.jpg", {90, 160}}, {"c.gif", {64, 48}},
      {"d.bmp", {300, 300}}, {"\xE9t\xE9.png", {80, 40}}};
  for (const ReadRecord& r : records) {
    SCOPED_TRACE(r.header.name);
    KeepForViewing(r);
    if (r.header.name == "strip.png") {
      samples::DecodedGif gif = DecodePayload(r.payload);
      ASSERT_TRUE(gif.ok);
      EXPECT_EQ(r.header.width, 1);
      EXPECT_EQ(r.header.height, 10000);
      EXPECT_NEAR(gif.width, 1, 1);
      EXPECT_NEAR(gif.height, 120, 1);
      int middle = gif.height / 2 * gif.width;
      EXPECT_TRUE(Near(gif.Rgb(middle), 0x10C010)) << std::hex << gif.Rgb(middle);
      continue;
    }
    auto size = natural.find(r.header.name);
    ExpectOwnThumbnail(r, size == natural.end() ? std::pair<int, int>{0, 0} : size->second);
  }

  // Unchanged pictures are carried over: a second run renders only the broken file.
  WriteSplitPicture(dir + "/e.png", "png", 50, 50);
  CThumbBuilderDlg again(DirName(dir), dir, false);
  ASSERT_TRUE(again.Create(nullptr));
  EXPECT_EQ(again.Run(), BuildResult::kOk);
  EXPECT_EQ(again.RenderedCount(), 2u);  // e.png and the placeholder of x.jpg
  EXPECT_EQ(ReadCacheRecords(CachePathOf(dir)).size(), 8u);
}

// The folders of a tree go through one strip page, whose cells are added, refilled
// and taken away from strip to strip: each picture still gets its own thumbnail at
// its own scale, whatever its cell showed before.
TEST(ThumbBuilderDlg, StripsOfATreeShownInOnePageGetThePicturesOwnThumbnails) {
  TempFolder folder;
  TempFolder traceFolder;
  TraceShownOnFailure trace(traceFolder.path());
  const std::string root = folder.MakeFolder("tree");
  struct Picture {
    const char* path;
    int width, height;  // 0 x 0: a broken file
  };
  const Picture pictures[] = {
      {"/a.png", 40, 160},       // the first strip: one cell, a tall picture
      {"/sub/b.png", 200, 100},  // then four cells: a wide one where the tall one was,
      {"/sub/c.jpg", 90, 160},
      {"/sub/d.png", 0, 0},
      {"/sub/e.png", 50, 50},
      {"/sub/deeper/f.jpg", 160, 90},  // and two: the others' pictures dropped
      {"/sub/deeper/g.png", 30, 60},
  };
  folder.MakeFolder("tree/sub/deeper");
  for (const Picture& p : pictures) {
    const std::string path = root + p.path;
    ASSERT_TRUE(p.width == 0 ? WriteBytes(path, "not a picture")
                             : WriteSplitPicture(path, g_str_has_suffix(p.path, ".jpg") ? "jpeg" : "png",
                                                 p.width, p.height));
  }
  CThumbBuilderDlg dialog(root, root, true);
  ASSERT_TRUE(dialog.Create(nullptr));
  EXPECT_EQ(dialog.Run(), BuildResult::kOk);
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.path);
    const std::string path = root + p.path;
    std::vector<ReadRecord> records = ReadCacheRecords(CachePathOf(DirName(path)));
    auto record = std::find_if(records.begin(), records.end(),
                               [&](const ReadRecord& r) { return r.header.name == BaseName(path); });
    ASSERT_NE(record, records.end());
    ExpectOwnThumbnail(*record, {p.width, p.height});
  }
}

TEST(ThumbBuilderDlg, EscapeCancelButtonAltAndHidingCancelAndKeepTheOldCache) {
  TempFolder folder;
  const std::string& dir = folder.path();
  // Two strips and part of a third: each cancel falls in the middle of a strip.
  const unsigned pictures = 2 * kStripPictures + 8;
  for (unsigned i = 0; i < pictures; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/p%02u.png", i);
    ASSERT_TRUE(WritePng(dir + name, 64 + int(i % 64), 48, 0x102030u * (i + 1)));
  }
  // An old cache with one record: the folder is not current, and must stay as it is.
  {
    CThumbCache old;
    ASSERT_TRUE(old.CreateForWrite(dir + "/tmp-old"));
    ASSERT_TRUE(old.AppendFile(dir + "/p00.png", "GIF87a-old-payload", 48, 64));
    ASSERT_TRUE(old.CommitTo(CachePathOf(dir)));
  }
  const std::string oldBytes = ReadBytes(CachePathOf(dir));
  ASSERT_FALSE(oldBytes.empty());
  std::vector<std::string> listing = FilesStartingWith(dir, "");
  std::sort(listing.begin(), listing.end());

  // The count of pictures done goes up a strip at a time, p00's record carried over
  // ahead of the first: the first strip's count, then the second's.
  auto done = [](const std::string& status) { return unsigned(std::atoi(status.c_str())); };
  auto afterFirst = [&](const std::string& status) { return done(status) >= kStripPictures; };
  auto afterSecond = [&](const std::string& status) { return done(status) >= 2 * kStripPictures; };
  struct Case {
    const char* what;
    unsigned leastRendered;  // pictures done before the cancel could take effect
    std::function<void(CThumbBuilderDlg&, const std::string& status)> act;
  };
  // Kept per run, not in statics: a second run in one process (--gtest_repeat) must
  // press, click and hold again.
  bool altDown = false, clicked = false;
  std::string last;
  const Case cases[] = {
      {"Enter is ignored, Escape cancels", 2 * kStripPictures,
       [&](CThumbBuilderDlg&, const std::string& status) {
         if (status == last) return;
         last = status;
         if (afterFirst(status)) PressKey(XK_Return);
         if (afterSecond(status)) PressKey(XK_Escape);
       }},
      {"the Cancel button", kStripPictures,
       [&](CThumbBuilderDlg& d, const std::string& status) {
         if (afterFirst(status) && !clicked) clicked = true, ClickWidget(d.cancelButton());
       }},
      {"Alt held at capture time", kStripPictures,
       [&](CThumbBuilderDlg&, const std::string& status) {
         if (afterFirst(status) && !altDown) altDown = true, HoldKey(XK_Alt_L, true);
       }},
      {"the window hidden", kStripPictures,
       [&](CThumbBuilderDlg& d, const std::string& status) {
         if (afterFirst(status)) gtk_widget_hide(d.window());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CThumbBuilderDlg dialog(dir, dir, false);
    ASSERT_TRUE(dialog.Create(nullptr));
    BuildResult result = RunWatchingStatus(&dialog, [&](const std::string& s) { c.act(dialog, s); });
    if (altDown) HoldKey(XK_Alt_L, false);
    EXPECT_EQ(result, BuildResult::kCancelled);
    EXPECT_GE(dialog.RenderedCount(), c.leastRendered);
    EXPECT_LT(dialog.RenderedCount(), pictures);
    EXPECT_EQ(ReadBytes(CachePathOf(dir)), oldBytes);
    // Nothing stray is left in the folder: no new cache, no temporary file.
    std::vector<std::string> after = FilesStartingWith(dir, "");
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, listing);
  }
}
