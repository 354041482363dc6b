#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "formats/CaptureBmp.h"
#include "tests/support/CacheTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/thumbs/ThumbBuilderHarness.h"
#include "thumbs/BuildQueue.h"
#include "thumbs/FolderWritability.h"
#include "thumbs/ThumbBuilder.h"
#include "thumbs/ThumbCache.h"
#include "thumbs/ThumbCacheStore.h"

using namespace kov;
using buildtest::FakeBuilderWindow;
using kovtest::TempFolder;

namespace {

// The real cache files, with a per-volume tree inside the test folder and a small
// BMP as the placeholder picture.
class TestStore : public CThumbCacheStore {
 public:
  explicit TestStore(const std::string& appData) : CThumbCacheStore(appData) {}
  std::string refuseTempIn;  // a folder where no temporary file can be made
  bool LoadPlaceholder(std::string* bytes) override {
    return BmpFileFromDib(buildtest::Dib24(2, 2), bytes);
  }
  std::string MakeTempFileName(const std::string& folder, std::string* error) override {
    return folder == refuseTempIn ? "" : CThumbCacheStore::MakeTempFileName(folder, error);
  }
};

struct Record {
  std::string name;
  int height, width;
  std::string signature;
};

std::vector<Record> ReadCache(const std::string& folder) {
  std::vector<Record> records;
  CThumbCache cache;
  if (!cache.OpenForRead(JoinPath(folder, "kovthumb.$$$"))) return records;
  ThumbHeader header;
  char signature[4];
  while (cache.ReadNextRecord(&header, signature))
    records.push_back({header.name, header.height, header.width, signature});
  return records;
}

std::vector<std::string> Names(const std::vector<Record>& records) {
  std::vector<std::string> names;
  for (const Record& r : records) names.push_back(r.name);
  return names;
}

// The cache temporaries in a folder: what a build leaves when it does not clean up.
std::vector<std::string> TempFilesIn(const std::string& folder) {
  std::vector<std::string> found;
  if (GDir* dir = g_dir_open(folder.c_str(), 0, nullptr)) {
    while (const char* name = g_dir_read_name(dir))
      if (std::string(name).rfind(".kovthumb-", 0) == 0) found.push_back(name);
    g_dir_close(dir);
  }
  return found;
}

void SetModified(const std::string& path, long seconds) {
  timespec times[2] = {{seconds, 0}, {seconds, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

struct BuildRun {
  FakeBuilderWindow window;
  CThumbBuilder builder;
  BuildRun(TestStore& store, const std::string& base, const std::string& start, bool subfolders)
      : builder(window, store, base, start, subfolders) {
    window.builder = &builder;
  }
};

struct ThumbBuilderFixture : ::testing::Test {
  TempFolder tmp;
  std::string pictures = tmp.MakeFolder("Photos");
  TestStore store{tmp.MakeFolder("appdata")};
};

}  // namespace

TEST(BuildQueue, FoldersDepthFirstAndImagesSortedAndFiltered) {
  TempFolder tmp;
  std::string root = tmp.MakeFolder("root");
  tmp.MakeFolder("root/Zed");
  tmp.MakeFolder("root/alpha/deep");
  tmp.MakeFolder("root/.hidden");
  tmp.MakeFolder("root/beta");
  ASSERT_EQ(symlink((root + "/alpha").c_str(), (root + "/link").c_str()), 0);
  EXPECT_EQ(CollectBuildFolders(root + "/", true),
            (std::vector<std::string>{root, root + "/alpha", root + "/alpha/deep", root + "/beta",
                                      root + "/Zed"}));
  EXPECT_EQ(CollectBuildFolders(root, false), std::vector<std::string>{root});

  for (const char* name : {"b.png", "a.png", "A.png", "B.jpg", "notes.txt", "kovbgimg.jpg",
                           "kovtn12.gif", "noext"})
    tmp.WriteFile(std::string("root/") + name, "1 1");
  tmp.MakeFolder("root/folder.png");
  ASSERT_EQ(mkfifo((root + "/pipe.jpg").c_str(), 0600), 0);  // the engine would wait on it for ever
  EXPECT_EQ(ScanImages(root), (std::vector<std::string>{root + "/A.png", root + "/a.png",
                                                        root + "/B.jpg", root + "/b.png"}));
  EXPECT_TRUE(ScanImages(root + "/missing").empty());
}

TEST(ThumbBuilderText, PageUrlAndCaption) {
  EXPECT_EQ(ThumbnailPageUrl("/home/u/50% a#b.jpg"), "kovp://thumbmk//home/u/50%25%20a%23b.jpg");
  EXPECT_EQ(BuilderCaption("/x/Photos", "/x/Photos/2003", kBuilderCaption),
            "Photos/2003 - Creating Thumbnails");
  EXPECT_EQ(BuilderCaption("/x/Photos/", "/x/Photos", kBuilderCaption),
            "Photos - Creating Thumbnails");
  EXPECT_EQ(BuilderCaption("/", "/srv", kBuilderCaption), "srv - Creating Thumbnails");
  EXPECT_EQ(BuilderCaption("/x/Photos/2003/deep", "/x", kBuilderCaption), "");
}

TEST(CaptureBmp, WrapsWellFormedDibsOnly) {
  std::string bmp;
  ASSERT_TRUE(BmpFileFromDib(buildtest::Dib24(3, 2), &bmp));
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(bmp.size(), 14u + 40u + 2u * 12u);
  EXPECT_EQ(static_cast<unsigned char>(bmp[2]), bmp.size());  // bfSize
  EXPECT_EQ(bmp[10], 54);                                      // pixels right after the header

  std::string shortRows = buildtest::Dib24(3, 2);
  shortRows.pop_back();
  EXPECT_FALSE(BmpFileFromDib(shortRows, &bmp));
  EXPECT_FALSE(BmpFileFromDib(buildtest::Dib24(0, 2), &bmp));
  EXPECT_FALSE(BmpFileFromDib(buildtest::Dib24(kMaxCaptureSide + 1, 1), &bmp));
  EXPECT_FALSE(BmpFileFromDib(std::string(39, '\0'), &bmp));
  std::string eightBit = buildtest::Dib24(4, 1);
  eightBit[14] = 8;
  EXPECT_FALSE(BmpFileFromDib(eightBit, &bmp));
}

TEST_F(ThumbBuilderFixture, BuildsFoldersInOrderAndSkipsCurrentOnes) {
  tmp.WriteFile("Photos/b.png", "300 150");
  tmp.WriteFile("Photos/A.png", "40 30");
  tmp.WriteFile("Photos/2003/x.gif", "10 10000");
  tmp.WriteFile("Photos/empty/readme.txt", "no pictures");
  {
    BuildRun run(store, pictures, pictures, true);
    ASSERT_TRUE(run.window.Run());
    EXPECT_EQ(run.window.result, BuildResult::kOk);
    EXPECT_EQ(run.window.rendered,
              (std::vector<std::string>{pictures + "/A.png", pictures + "/b.png",
                                        pictures + "/2003/x.gif"}));
    EXPECT_EQ(run.builder.RenderedCount(), 3u);
    EXPECT_EQ(run.window.status, "3 of 3");
    EXPECT_EQ(run.window.captions.back(), "Photos/2003 - Creating Thumbnails");
  }
  std::vector<Record> records = ReadCache(pictures);
  ASSERT_EQ(Names(records), (std::vector<std::string>{"A.png", "b.png"}));
  EXPECT_EQ(records[0].signature, "GIF");
  EXPECT_EQ(records[1].width, 300);  // natural size, not the 120 x 60 shown
  EXPECT_EQ(records[1].height, 150);
  ASSERT_EQ(ReadCache(pictures + "/2003").size(), 1u);
  EXPECT_EQ(ReadCache(pictures + "/2003")[0].height, 10000);
  EXPECT_FALSE(g_file_test((pictures + "/empty/kovthumb.$$$").c_str(), G_FILE_TEST_EXISTS));
  EXPECT_TRUE(TempFilesIn(pictures).empty());

  // Everything is current now: nothing is rendered and the build ends at once.
  BuildRun again(store, pictures, pictures, true);
  ASSERT_TRUE(again.window.Run());
  EXPECT_EQ(again.window.result, BuildResult::kOk);
  EXPECT_TRUE(again.window.rendered.empty());
}

TEST_F(ThumbBuilderFixture, CarriesOverOnlyUnchangedRealThumbnails) {
  tmp.WriteFile("Photos/a.png", "40 30");
  std::string broken = tmp.WriteFile("Photos/b.png", "BROKEN");
  std::string changed = tmp.WriteFile("Photos/c.png", "50 50");
  std::string deleted = tmp.WriteFile("Photos/d.png", "60 60");
  {
    BuildRun first(store, pictures, pictures, false);
    ASSERT_TRUE(first.window.Run());
  }
  std::vector<Record> before = ReadCache(pictures);
  ASSERT_EQ(before.size(), 4u);
  EXPECT_EQ(before[1].width, 0);  // the broken picture's placeholder
  EXPECT_EQ(before[1].height, 0);
  EXPECT_EQ(before[1].signature, "GIF");

  tmp.WriteFile("Photos/b.png", "70 20");  // now readable
  SetModified(changed, 1000000000);
  ASSERT_EQ(unlink(deleted.c_str()), 0);
  BuildRun second(store, pictures, pictures, false);
  ASSERT_TRUE(second.window.Run());
  EXPECT_EQ(second.window.rendered, (std::vector<std::string>{broken, changed}));
  EXPECT_EQ(second.builder.RenderedCount(), 2u);
  // a.png is carried over: it counts as done, so the status ends at the total.
  EXPECT_EQ(second.window.status, "3 of 3");
  std::vector<Record> after = ReadCache(pictures);
  ASSERT_EQ(Names(after), (std::vector<std::string>{"a.png", "b.png", "c.png"}));
  EXPECT_EQ(after[0].width, 40);
  EXPECT_EQ(after[1].width, 70);
}

TEST_F(ThumbBuilderFixture, CancelKeepsTheOldCacheAndLeavesNoTemporaryFile) {
  tmp.WriteFile("Photos/a.png", "40 30");
  std::string second = tmp.WriteFile("Photos/b.png", "20 20");
  tmp.WriteFile("Photos/2003/x.png", "40 30");
  {
    BuildRun first(store, pictures, pictures, false);
    ASSERT_TRUE(first.window.Run());
  }
  std::string oldCache = buildtest::ReadText(pictures + "/kovthumb.$$$");
  ASSERT_FALSE(oldCache.empty());
  SetModified(second, 1000000000);

  BuildRun run(store, pictures, pictures, true);
  run.window.onRender = [&](const std::string& path) {
    if (path == second) run.builder.Cancel();  // the Cancel button while b.png renders
  };
  EXPECT_TRUE(run.window.Run());
  EXPECT_EQ(run.window.result, BuildResult::kCancelled);
  EXPECT_EQ(buildtest::ReadText(pictures + "/kovthumb.$$$"), oldCache);
  EXPECT_TRUE(TempFilesIn(pictures).empty());
  EXPECT_EQ(run.window.rendered.size(), 1u);  // the subfolder was never started

  // Cancelled while the second strip of a larger folder renders, after the first
  // strip's thumbnails went into the new cache: the old cache still stands whole.
  for (int i = 0; i < int(kStripPictures) + 3; ++i)
    SetModified(tmp.WriteFile("Photos/m" + std::to_string(10 + i) + ".png", "30 20"), 1000000000);
  BuildRun midStrip(store, pictures, pictures, false);
  midStrip.window.onRender = [&](const std::string&) {
    if (midStrip.window.stripSizes.size() == 2) midStrip.builder.Cancel();
  };
  EXPECT_TRUE(midStrip.window.Run());
  EXPECT_EQ(midStrip.window.result, BuildResult::kCancelled);
  EXPECT_EQ(midStrip.window.stripSizes.size(), 2u);
  EXPECT_EQ(buildtest::ReadText(pictures + "/kovthumb.$$$"), oldCache);
  EXPECT_TRUE(TempFilesIn(pictures).empty());

  // A window that is no longer shown drops the capture and cancels the same way.
  BuildRun hidden(store, pictures, pictures, false);
  hidden.window.shown = false;
  EXPECT_TRUE(hidden.window.Run());
  EXPECT_EQ(hidden.window.result, BuildResult::kCancelled);
  EXPECT_EQ(buildtest::ReadText(pictures + "/kovthumb.$$$"), oldCache);
  EXPECT_TRUE(TempFilesIn(pictures).empty());
}

// Pictures go a strip at a time, with the records carried over between them in
// their places; the next strip is named for decoding while one is on show, and a
// broken picture gets the placeholder without harm to the pictures beside it.
TEST_F(ThumbBuilderFixture, StripsKeepTheFolderOrderAndNameTheNextStripAhead) {
  const int count = 2 * int(kStripPictures) + 3;
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    names.push_back("p" + std::to_string(10 + i) + ".png");
    tmp.WriteFile("Photos/" + names.back(), std::to_string(100 + i) + " 50");
  }
  {
    BuildRun first(store, pictures, pictures, false);
    ASSERT_TRUE(first.window.Run());
  }
  // Every other picture changes, and one of them can no longer be read.
  std::vector<std::string> changed;
  for (int i = 0; i < count; i += 2) {
    std::string path = pictures + "/" + names[i];
    tmp.WriteFile("Photos/" + names[i], i == 6 ? "BROKEN" : std::to_string(200 + i) + " 50");
    SetModified(path, 1000000000);
    changed.push_back(path);
  }
  BuildRun run(store, pictures, pictures, false);
  ASSERT_TRUE(run.window.Run());
  EXPECT_EQ(run.window.rendered, changed);
  EXPECT_EQ(run.window.stripSizes, (std::vector<size_t>{kStripPictures, changed.size() - kStripPictures}));
  ASSERT_FALSE(run.window.decodeAhead.empty());
  EXPECT_EQ(run.window.decodeAhead.front(), changed);  // the strip on show, then the next
  EXPECT_TRUE(run.window.decodeAhead.back().empty());  // nothing more once the build ends
  std::vector<Record> records = ReadCache(pictures);
  ASSERT_EQ(Names(records), names);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(names[i]);
    int want = i == 6 ? 0 : i % 2 == 0 ? 200 + i : 100 + i;
    EXPECT_EQ(records[i].width, want);
    EXPECT_EQ(records[i].signature, "GIF");
  }
}

TEST_F(ThumbBuilderFixture, PagesThatNeverCompleteGetNoRecordAndAreTriedAgain) {
  tmp.WriteFile("Photos/a.png", "HANG");
  tmp.WriteFile("Photos/b.png", "PENDING");
  tmp.WriteFile("Photos/c.png", "40 30");
  BuildRun run(store, pictures, pictures, false);
  ASSERT_TRUE(run.window.Run());
  EXPECT_EQ(run.window.result, BuildResult::kOk);
  EXPECT_EQ(run.builder.RenderedCount(), 3u);
  // One strip, one bounded wait, plus the start and folder steps.
  EXPECT_EQ(run.window.stripSizes, std::vector<size_t>{3});
  EXPECT_GE(run.window.now, kRenderWaitLimitMs);
  EXPECT_LT(run.window.now, kRenderWaitLimitMs + 1000u);
  // No placeholder for the two that ran out of time: the folder stays stale, and
  // the next build renders them again while c.png, captured beside them, is
  // carried over.
  std::vector<Record> records = ReadCache(pictures);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].width, 40);
  EXPECT_FALSE(store.IsFolderCurrent(pictures));
  tmp.WriteFile("Photos/a.png", "20 10");
  BuildRun again(store, pictures, pictures, false);
  ASSERT_TRUE(again.window.Run());
  EXPECT_EQ(again.window.rendered, (std::vector<std::string>{pictures + "/a.png", pictures + "/b.png"}));
  EXPECT_EQ(ReadCache(pictures).size(), 2u);
}

// A load that fails leaves the page before it on show; the strip's page is asked
// for again at the next tick, within the same wait, and then captured.
TEST_F(ThumbBuilderFixture, FailedLoadIsAskedForAgainNotGivenThePlaceholder) {
  tmp.WriteFile("Photos/a.png", "FAILONCE 40 30");
  tmp.WriteFile("Photos/b.png", "50 20");
  tmp.WriteFile("Photos/c.png", "PENDING");
  BuildRun run(store, pictures, pictures, false);
  // A late failure of another page (the blank one the window starts with) arrives
  // while the strip loads: the strip is not loaded again (that would cut its own
  // load short), it waits as any page does.
  bool lateFailureSent = false;
  run.window.onRender = [&](const std::string& path) {
    if (path != pictures + "/c.png" || lateFailureSent) return;
    lateFailureSent = true;
    run.builder.OnPageFailed(kBuilderBlankPage);
  };
  ASSERT_TRUE(run.window.Run());
  const std::vector<std::string> strip = {pictures + "/a.png", pictures + "/b.png",
                                          pictures + "/c.png"};
  std::vector<std::string> twice = strip;
  twice.insert(twice.end(), strip.begin(), strip.end());
  EXPECT_EQ(run.window.rendered, twice);
  EXPECT_EQ(run.window.renderTimes[3] - run.window.renderTimes[0], kPollPeriodMs);
  EXPECT_EQ(run.builder.RenderedCount(), 3u);
  std::vector<Record> records = ReadCache(pictures);
  ASSERT_EQ(records.size(), 2u);  // c.png never completes: no record
  EXPECT_EQ(records[0].width, 40);
  EXPECT_EQ(records[0].height, 30);
}

// The pictures of a strip that are ready are kept from the first probe, sent as
// soon as the page reports its load; one that never completes is asked for again
// once a tick, never in a burst, until the wait ends.
TEST_F(ThumbBuilderFixture, LoadedPageIsProbedAtOnceAndAgainOnlyOnTheTicks) {
  tmp.WriteFile("Photos/a.png", "40 30");
  tmp.WriteFile("Photos/b.png", "PENDING");
  tmp.WriteFile("Photos/c.png", "300 200");
  BuildRun run(store, pictures, pictures, false);
  ASSERT_TRUE(run.window.Run());
  const auto& navigated = run.window.renderTimes;
  const auto& probed = run.window.captureTimes;
  ASSERT_EQ(navigated.size(), 3u);
  ASSERT_FALSE(probed.empty());
  EXPECT_EQ(probed.front(), navigated[0]);
  EXPECT_GE(probed.size(), kRenderWaitLimitMs / kPollPeriodMs - 2);
  EXPECT_LE(probed.size(), kRenderWaitLimitMs / kPollPeriodMs + 1);
  std::vector<Record> records = ReadCache(pictures);
  ASSERT_EQ(Names(records), (std::vector<std::string>{"a.png", "c.png"}));
  EXPECT_EQ(records[1].width, 300);
}

TEST_F(ThumbBuilderFixture, FolderThatCannotBeWrittenIsLeftWithoutLooping) {
  tmp.WriteFile("Photos/a.png", "40 30");
  tmp.WriteFile("Photos/b.png", "40 30");
  // The cache's name is taken by a folder: the finished cache cannot be moved there.
  tmp.MakeFolder("Photos/kovthumb.$$$");
  std::string noTemp = tmp.MakeFolder("Photos/2003");
  tmp.WriteFile("Photos/2003/x.png", "40 30");
  store.refuseTempIn = noTemp;

  BuildRun run(store, pictures, pictures, true);
  ASSERT_TRUE(run.window.Run());
  EXPECT_EQ(run.window.result, BuildResult::kNotSaved);  // never reported as success
  EXPECT_EQ(run.window.rendered.size(), 2u);  // each picture once; none in 2003
  // Each with the reason the notice gives: the failed step's own words.
  EXPECT_EQ(run.builder.UnwritableFolders(),
            (std::vector<UnsavedCache>{{pictures, pictures + "/kovthumb.$$$: Is a directory"},
                                       {noTemp, "no cache file could be made there"}}));
  EXPECT_TRUE(TempFilesIn(pictures).empty());
  EXPECT_TRUE(TempFilesIn(noTemp).empty());
  EXPECT_TRUE(g_file_test((pictures + "/kovthumb.$$$").c_str(), G_FILE_TEST_IS_DIR));
}

namespace {
// Says no for one folder, as a read-only mount would.
class OneReadOnlyFolder : public IFolderWritability {
 public:
  explicit OneReadOnlyFolder(std::string folder) : folder_(std::move(folder)) { SetFolderWritability(this); }
  ~OneReadOnlyFolder() override { SetFolderWritability(nullptr); }
  bool CanCreateFilesIn(const std::string& folder) const override { return folder != folder_; }

 private:
  std::string folder_;
};
}  // namespace

// A folder that cannot be written gets real thumbnails, kept in the per-user tree,
// and is current afterwards: the next visit builds nothing.
TEST_F(ThumbBuilderFixture, ReadOnlyFolderGetsItsCacheInTheUserTreeOnce) {
  tmp.WriteFile("Photos/a.png", "40 30");
  OneReadOnlyFolder readOnly(pictures);
  {
    BuildRun run(store, pictures, pictures, false);
    ASSERT_TRUE(run.window.Run());
    EXPECT_EQ(run.window.result, BuildResult::kOk);
    EXPECT_EQ(run.window.rendered.size(), 1u);
    EXPECT_TRUE(run.builder.UnwritableFolders().empty());
  }
  EXPECT_TRUE(ReadCache(pictures).empty());  // nothing written into the folder
  EXPECT_TRUE(TempFilesIn(pictures).empty());
  const std::string cachePath = store.CachePathForWrite(pictures, nullptr);
  ASSERT_NE(cachePath, JoinPath(pictures, "kovthumb.$$$"));
  ASSERT_EQ(Names(ReadCache(DirName(cachePath))), std::vector<std::string>{"a.png"});
  EXPECT_TRUE(store.IsFolderCurrent(pictures));
  BuildRun again(store, pictures, pictures, false);
  ASSERT_TRUE(again.window.Run());
  EXPECT_TRUE(again.window.rendered.empty());
}

// A tree prepared for a disc gets only caches the disc carries: a read-only
// subfolder whose cache is current in the per-user tree is named as left without
// one, and is given none there.
TEST_F(ThumbBuilderFixture, TreeForADiscGetsOnlyTheFoldersOwnCaches) {
  tmp.WriteFile("Photos/a.png", "40 30");
  const std::string sub = tmp.MakeFolder("Photos/sub");
  tmp.WriteFile("Photos/sub/b.png", "40 30");
  OneReadOnlyFolder readOnly(sub);
  {
    BuildRun browsed(store, sub, sub, false);  // its cache went to the per-user tree
    ASSERT_TRUE(browsed.window.Run());
    ASSERT_EQ(browsed.window.result, BuildResult::kOk);
  }
  TestStore disc(tmp / "appdata");
  disc.WriteOnlyFolderCaches();
  BuildRun run(disc, pictures, pictures, true);
  ASSERT_TRUE(run.window.Run());
  EXPECT_EQ(run.window.result, BuildResult::kNotSaved);
  EXPECT_EQ(run.builder.UnwritableFolders(),
            (std::vector<UnsavedCache>{{sub, "the folder cannot be written"}}));
  EXPECT_EQ(run.window.rendered, std::vector<std::string>{pictures + "/a.png"});
  EXPECT_EQ(Names(ReadCache(pictures)), std::vector<std::string>{"a.png"});
  EXPECT_TRUE(ReadCache(sub).empty());
  EXPECT_FALSE(disc.IsFolderCurrent(sub));
  EXPECT_TRUE(store.IsFolderCurrent(sub));  // browsing still finds the per-user cache
}

// A folder that cannot be written but carries its own stale cache (a share, another
// user's photos) is built into the per-user tree, which is read from then on; its own
// cache stays as it was, and no notice says the thumbnails could not be saved.
TEST_F(ThumbBuilderFixture, ReadOnlyFolderWithAStaleCacheOfItsOwnIsSupersededByTheUserTree) {
  tmp.WriteFile("Photos/a.png", "40 30");
  tmp.WriteFile("Photos/b.png", "40 30");
  {
    BuildRun first(store, pictures, pictures, false);  // its own cache, then b.png changes
    ASSERT_TRUE(first.window.Run());
  }
  const std::string own = JoinPath(pictures, "kovthumb.$$$");
  const std::string ownBytes = cachetest::ReadFile(own);
  ASSERT_FALSE(ownBytes.empty());
  cachetest::SetModified(pictures + "/b.png", 1600000000);
  ASSERT_FALSE(store.IsFolderCurrent(pictures));
  OneReadOnlyFolder readOnly(pictures);
  {
    BuildRun run(store, pictures, pictures, false);
    ASSERT_TRUE(run.window.Run());
    EXPECT_EQ(run.window.result, BuildResult::kOk);
    EXPECT_TRUE(run.builder.UnwritableFolders().empty());
  }
  EXPECT_EQ(cachetest::ReadFile(own), ownBytes);
  EXPECT_TRUE(store.IsFolderCurrent(pictures));
  BuildRun again(store, pictures, pictures, false);
  ASSERT_TRUE(again.window.Run());
  EXPECT_TRUE(again.window.rendered.empty());
}
