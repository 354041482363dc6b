// The words for thumbnails saved nowhere, and that each folder is told of once.
#include <glib.h>
#include <gtest/gtest.h>

#include "thumbs/UnsavedCaches.h"

using namespace kov;

TEST(UnsavedCaches, EachFolderIsToldOnceInWordsThatNameIt) {
  const UnsavedCache a{"/srv/share/unsaved-test-a", "full"}, b{"/srv/share/unsaved-test-b", "full"};
  EXPECT_EQ(FoldersNotYetTold({a}), std::vector<UnsavedCache>{a});
  EXPECT_EQ(FoldersNotYetTold({a, b, b}), std::vector<UnsavedCache>{b});  // a was told
  EXPECT_TRUE(FoldersNotYetTold({a, b}).empty());

  EXPECT_EQ(UnsavedThumbnailsText({}), "");
  // Neither the folder nor the reason is UTF-8: both are shown readable.
  std::string one = UnsavedThumbnailsText(
      {{"/mnt/ro/Caf\xE9", "/mnt/ro/Caf\xE9/.kovthumb-x: Read-only file system"}});
  EXPECT_NE(one.find("could not be saved"), std::string::npos);
  EXPECT_TRUE(g_utf8_validate(one.c_str(), -1, nullptr)) << one;
  EXPECT_NE(one.find("/mnt/ro/Caf"), std::string::npos);
  EXPECT_NE(one.find(": Read-only file system"), std::string::npos) << one;
  std::vector<UnsavedCache> many;
  for (int i = 0; i < 8; ++i) many.push_back({"/mnt/ro/" + std::to_string(i), "reason " + std::to_string(i)});
  std::string listed = UnsavedThumbnailsText(many);
  EXPECT_NE(listed.find("/mnt/ro/4"), std::string::npos);
  EXPECT_NE(listed.find("reason 4"), std::string::npos);
  EXPECT_EQ(listed.find("/mnt/ro/5"), std::string::npos);
  EXPECT_NE(listed.find("and 3 more"), std::string::npos);
}
