#include <gtest/gtest.h>
#include <sys/stat.h>

#include "pages/FolderBackground.h"
#include "tests/support/TempFolder.h"

using namespace kov;

TEST(FolderBackground, PicksAPlainFileOfTheRightMediaType) {
  kovtest::TempFolder folder;
  std::string out;
  EXPECT_FALSE(FindFolderBackgroundFile(folder.path(), &out, true));  // nothing there

  folder.WriteFile("kovbgimg.txt");
  EXPECT_FALSE(FindFolderBackgroundFile(folder.path(), &out, true));  // wrong media type
  folder.WriteFile("kovbgimg.gif");
  ASSERT_TRUE(FindFolderBackgroundFile(folder.path() + "/", &out, true));
  EXPECT_EQ(out, folder / "kovbgimg.gif");
  EXPECT_FALSE(FindFolderBackgroundFile(folder.path(), &out, false));  // no music yet

  folder.WriteFile("KOVBGSND.MID");
  ASSERT_TRUE(FindFolderBackgroundFile(folder.path(), &out, false));
  EXPECT_EQ(out, folder / "KOVBGSND.MID");
}

TEST(FolderBackground, SkipsFoldersAndNonFilesAndIsDeterministic) {
  kovtest::TempFolder folder;
  std::string out;
  folder.MakeFolder("kovbgimg.bmp");  // a folder named like a picture
  ASSERT_EQ(mkfifo((folder / "kovbgimg.gif").c_str(), 0600), 0);
  EXPECT_FALSE(FindFolderBackgroundFile(folder.path(), &out, true));

  folder.WriteFile("kovbgimg.png");
  folder.WriteFile("kovbgimg.JPG");
  folder.WriteFile("kovbgimgx.jpg");  // not the reserved name
  ASSERT_TRUE(FindFolderBackgroundFile(folder.path(), &out, true));
  EXPECT_EQ(out, folder / "kovbgimg.JPG");  // first by name, case ignored

  EXPECT_FALSE(FindFolderBackgroundFile(folder / "missing", &out, true));
  EXPECT_FALSE(FindFolderBackgroundFile("", &out, true));
  EXPECT_FALSE(FindFolderBackgroundFile(folder.path(), nullptr, true));
}
