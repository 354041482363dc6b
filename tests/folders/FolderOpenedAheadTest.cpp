// The start folder opened ahead: handed over only to the opening it was made for, as
// the walk and cache test made then would be.
#include <gtest/gtest.h>

#include <string>

#include "folders/FolderOpenedAhead.h"
#include "tests/support/TempFolder.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/ThumbCache.h"

using namespace kov;

namespace {

// A cache in folder holding a record for each named picture, written as it is now.
void WriteCache(const std::string& folder, std::initializer_list<const char*> pictures) {
  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(MakeTempFileName(folder)));
  for (const char* name : pictures) ASSERT_TRUE(writer.AppendFile(folder + "/" + name, "GIF87a", 90, 120));
  ASSERT_TRUE(writer.CommitTo(folder + "/kovthumb.$$$"));
}

}  // namespace

TEST(FolderOpenedAhead, HandsItsWalkOnlyToTheFirstOpeningOfItsFolder) {
  kovtest::TempFolder tree;
  // "current" holds only pictures in a subfolder, so the walk moves to it; "stale" has a
  // picture its cache lacks.
  const std::string current = tree.MakeFolder("current");
  tree.WriteFile("current/inner/b.jpg");
  tree.WriteFile("current/inner/a.jpg");
  WriteCache(current + "/inner", {"a.jpg", "b.jpg"});
  const std::string stale = tree.MakeFolder("stale");
  tree.WriteFile("stale/a.jpg");
  tree.WriteFile("stale/new.jpg");
  WriteCache(stale, {"a.jpg"});

  struct Case {
    const char* what;
    std::string started, opened;
    int takes;  // Take is asked this many times; only the first may hand anything over
    bool handed;
  } cases[] = {
      {"a current cache", current, current, 1, true},
      {"a stale cache", stale, stale, 1, true},
      {"another folder opened first", current, stale, 1, false},
      {"the same folder opened again", current, current, 2, false},
      {"nothing started", "", current, 1, false},
  };
  for (const Case& c : cases) {
    CFolderOpenedAhead ahead;
    ahead.Start(c.started);
    CFolderWalker walker;
    bool isCurrent = false, handed = false;
    for (int i = 0; i < c.takes; ++i) handed = ahead.Take(c.opened, &walker, &isCurrent);
    EXPECT_EQ(handed, c.handed) << c.what;
    if (!handed) continue;
    CFolderWalker direct;
    direct.Open(c.opened);
    EXPECT_EQ(walker.CurrentFolder(), direct.CurrentFolder()) << c.what;
    EXPECT_EQ(walker.NextImage(), direct.NextImage()) << c.what;
    EXPECT_EQ(isCurrent, IsFolderCurrent(direct.CurrentFolder())) << c.what;
  }
}
