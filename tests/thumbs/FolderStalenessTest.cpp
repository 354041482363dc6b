#include <gtest/gtest.h>

#include <cstdlib>

#include "base/PathRules.h"
#include "tests/support/CacheTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/ThumbCache.h"

using namespace kov;
using cachetest::SetModified;
using cachetest::TempFolder;

namespace {

// Writes the cache of folder with one record per name, each with the file's present time
// unless a time is given.
void WriteCache(const std::string& folder, const std::vector<std::string>& names,
                const std::vector<uint64_t>& times = {}) {
  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(MakeTempFileName(folder)));
  for (size_t i = 0; i < names.size(); ++i) {
    ThumbHeader header;
    header.name = names[i];
    if (i < times.size()) header.lastWrite = times[i];
    else GetFileLastWrite(JoinPath(folder, names[i]), &header.lastWrite);
    ASSERT_TRUE(writer.AppendRecord(&header, cachetest::FakeGif(int(i))));
  }
  ASSERT_TRUE(writer.CommitTo(JoinPath(folder, "kovthumb.$$$")));
}

}  // namespace

TEST(FolderStaleness, CacheMustHoldExactlyThePicturesWithTheirTimes) {
  TempFolder dir;
  const std::string f = dir.path();
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));  // no cache, even without pictures
  EXPECT_FALSE(IsFolderCurrentIn("", ""));
  cachetest::WriteFile(dir / "kovthumb.$$$", "");
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));  // empty cache, no pictures

  dir.WriteFile("a.jpg", "aaaa");
  dir.WriteFile("b.png", "bb");
  SetModified(dir / "a.jpg", 1600000000, 500);
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));
  WriteCache(f, {"a.jpg", "b.png"});
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));

  // Files without thumbnails do not count: other types, reserved names, folders.
  dir.WriteFile("notes.txt");
  dir.WriteFile("kovbgimg.jpg");
  dir.WriteFile("kovtn12.gif");
  dir.WriteFile("kovbgsnd.mid");
  dir.MakeFolder("sub.jpg");
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));

  dir.WriteFile("c.gif");  // a new picture
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));
  unlink((dir / "c.gif").c_str());
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));

  SetModified(dir / "a.jpg", 1600000000, 600);  // touched, by 100 ns
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));
  SetModified(dir / "a.jpg", 1600000000, 500);
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));

  dir.WriteFile("a.jpg", "a much longer picture now");  // new size, same time
  SetModified(dir / "a.jpg", 1600000000, 500);
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));

  unlink((dir / "b.png").c_str());  // deleted: its record is left over
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));
}

TEST(FolderStaleness, NamesDuplicatesPlaceholdersAndBrokenCaches) {
  TempFolder dir;
  const std::string f = dir.path();
  dir.WriteFile("Photo.JPG");
  uint64_t now = 0;
  GetFileLastWrite(dir / "Photo.JPG", &now);

  WriteCache(f, {"photo.jpg"}, {now});  // a cache written on a case-blind system
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));
  WriteCache(f, {"photo.jpg", "PHOTO.JPG"}, {now, now});  // two candidates: no match
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));

  // Of two records with one name, the last one counts.
  WriteCache(f, {"Photo.JPG", "Photo.JPG"}, {now - 1, now});
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));
  WriteCache(f, {"Photo.JPG", "Photo.JPG"}, {now, now - 1});
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));

  // A placeholder record (no size) is current.
  {
    CThumbCache writer;
    ASSERT_TRUE(writer.CreateForWrite(dir / "kovthumb.$$$"));
    ASSERT_TRUE(writer.AppendFile(dir / "Photo.JPG", cachetest::FakeGif(9), 0, 0));
  }
  EXPECT_TRUE(IsFolderCurrentIn(f, ""));

  // A cache of 1 to 284 bytes is broken: not current.
  cachetest::WriteFile(dir / "kovthumb.$$$", std::string(100, '\0'));
  EXPECT_FALSE(IsFolderCurrentIn(f, ""));
}

TEST(FolderStaleness, ADiscFolderWithItsOwnCacheIsCurrent) {
  TempFolder temp;
  std::string cd = temp.MakeFolder("cd");
  std::string table = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                      "2 1 11:0 / " + cd + " ro - iso9660 /dev/sr0 ro\n";
  setenv("KOV_MOUNTINFO", temp.WriteFile("mountinfo", table).c_str(), 1);
  std::string appData = temp.MakeFolder("appdata");
  temp.WriteFile("cd/a.jpg");
  EXPECT_FALSE(IsFolderCurrentIn(cd, appData));
  temp.WriteFile("cd/kovthumb.$$$", "");  // stale by content, but a disc cannot be rebuilt
  EXPECT_TRUE(IsFolderCurrentIn(cd, appData));
  unlink((temp / "cd/kovthumb.$$$").c_str());

  // Without its own cache the disc's folder is checked against the per-volume cache.
  std::string treeCache = GetCachePathIn(cd, false, appData);
  ASSERT_NE(treeCache, cd + "/kovthumb.$$$");
  WriteCache(DirName(treeCache), {});
  EXPECT_FALSE(IsFolderCurrentIn(cd, appData));  // the tree's cache lacks a.jpg
  unsetenv("KOV_MOUNTINFO");
}
