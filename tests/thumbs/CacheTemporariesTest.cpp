// What a killed build leaves: its temporary, hidden, and removed when the folder is
// next written, while a temporary another writer still holds stays.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include "tests/support/TempFolder.h"
#include "thumbs/CacheTemporaries.h"
#include "thumbs/ThumbCache.h"
#include "thumbs/ThumbCacheStore.h"

using namespace kov;

TEST(CacheTemporaries, ANewTemporaryClearsOnlyTheOnesNoWriterHolds) {
  kovtest::TempFolder dir;
  const std::string stale = dir.WriteFile(".kovthumb-Ab3dE9", "left by a killed build");
  const std::string notOurs = dir.WriteFile(".kovthumb-notes.txt", "a user's file");
  const std::string picture = dir.WriteFile("a.jpg", "picture");
  dir.MakeFolder(".kovthumb-folder");  // right length, but a folder
  ASSERT_EQ(symlink(picture.c_str(), (dir / ".kovthumb-linked").c_str()), 0);
  // A build still running in another window holds its temporary.
  CThumbCache live;
  ASSERT_TRUE(live.CreateForWrite(dir / ".kovthumb-LiVe00"));

  CThumbCacheStore store;
  const std::string fresh = store.MakeTempFileName(dir.path(), nullptr);
  ASSERT_FALSE(fresh.empty());
  EXPECT_TRUE(IsCacheTempName(BaseName(fresh)));
  EXPECT_NE(access(fresh.c_str(), F_OK), -1);
  EXPECT_EQ(access(stale.c_str(), F_OK), -1);
  for (const std::string& kept : {notOurs, picture, dir / ".kovthumb-folder", dir / ".kovthumb-linked",
                                  dir / ".kovthumb-LiVe00"}) {
    EXPECT_EQ(access(kept.c_str(), F_OK), 0) << kept;
  }
  // Once its writer lets go, that one is stale too.
  live.Discard();
  live.CreateForWrite(dir / ".kovthumb-LiVe00");
  live.Close();
  EXPECT_EQ(RemoveStaleCacheTemps(dir.path()), 2);  // that one and the fresh one, now unheld
  EXPECT_EQ(access((dir / ".kovthumb-LiVe00").c_str(), F_OK), -1);
}
