#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "folders/FolderWalker.h"

using namespace kov;

namespace {

// Calls step count times and gives the paths it returned, relative to the root.
template <typename Step>
std::vector<std::string> Take(const kovtest::TempFolder& root, int count, Step step) {
  std::vector<std::string> seen;
  for (int i = 0; i < count; ++i) {
    std::string path = step();
    seen.push_back(path.compare(0, root.path().size() + 1, root.path() + "/") == 0
                       ? path.substr(root.path().size() + 1)
                       : path);
  }
  return seen;
}

// The folders NextFolder visits in one round from the current one, relative to the root.
std::vector<std::string> FolderRound(CFolderWalker* walker, const kovtest::TempFolder& root, int count) {
  return Take(root, count, [&] {
    EXPECT_TRUE(walker->NextFolder());
    return walker->CurrentFolder();
  });
}

}  // namespace

TEST(FolderWalker, WalksTheTreeInPreOrderWithSortedPictures) {
  kovtest::TempFolder root;
  root.WriteFile("Zeta/z1.jpg");
  root.WriteFile("Alpha/A1.jpg");
  root.WriteFile("alpha/beta/b2.JPG");
  root.WriteFile("alpha/beta/B3.jpg");
  root.WriteFile("alpha/beta/b1.jpg");
  root.WriteFile("alpha/.hidden/h.jpg");  // dot folders are skipped with all they hold
  root.WriteFile(".dot/d.jpg");
  root.MakeFolder("empty");
  for (const char* name : {"m1.jpg", "kovbgimg.jpg", "kovbgsnd.mid", "kovtn3.gif", "kovtn.gif", "kovtnx.gif",
                           "notes.txt", "sub.jpg/s.jpg"})
    root.WriteFile(std::string("mid/") + name);

  CFolderWalker walker;
  walker.Open(root.path() + "//");
  EXPECT_EQ(walker.CurrentFolder(), root / "Alpha");  // the root itself holds no pictures
  std::vector<std::string> forward = {
      "Alpha/A1.jpg", "alpha/beta/b1.jpg", "alpha/beta/b2.JPG", "alpha/beta/B3.jpg", "mid/kovtnx.gif",
      "mid/m1.jpg",   "mid/sub.jpg/s.jpg", "Zeta/z1.jpg",       "Alpha/A1.jpg"};
  EXPECT_EQ(Take(root, 9, [&] { return walker.NextImage(); }), forward);

  std::vector<std::string> backward = {"Zeta/z1.jpg", "mid/sub.jpg/s.jpg", "mid/m1.jpg", "mid/kovtnx.gif",
                                       "alpha/beta/B3.jpg", "alpha/beta/b2.JPG", "alpha/beta/b1.jpg",
                                       "Alpha/A1.jpg", "Zeta/z1.jpg"};
  EXPECT_EQ(Take(root, 9, [&] { return walker.PreviousImage(); }), backward);

  // Folders without pictures (the root, alpha, empty) have left the walk.
  std::vector<std::string> folders = {"Alpha", "alpha/beta", "mid", "mid/sub.jpg", "Zeta"};
  EXPECT_EQ(FolderRound(&walker, root, 5), folders);
}

TEST(FolderWalker, EmptyMissingAndPictureLessRoots) {
  CFolderWalker walker;
  walker.Open("");
  EXPECT_EQ(walker.CurrentFolder(), "");
  EXPECT_EQ(walker.NextImage(), "");
  EXPECT_EQ(walker.PreviousImage(), "");
  EXPECT_FALSE(walker.NextFolder());
  EXPECT_FALSE(walker.PreviousFolder());

  kovtest::TempFolder root;
  root.WriteFile("a/b/readme.txt");
  root.WriteFile("a/kovbgimg.jpg");
  for (const std::string& path : {root.path() + "/", root / "missing"}) {
    walker.Open(path);
    EXPECT_EQ(walker.CurrentFolder(), path);  // the root exactly as given
    EXPECT_EQ(walker.NextImage(), "");
    EXPECT_EQ(walker.PreviousImage(), "");
    EXPECT_FALSE(walker.NextFolder());
    EXPECT_EQ(walker.CurrentFolder(), path);
  }

  // Pictures appearing later are found by the next Open.
  root.WriteFile("a/b/late.jpg");
  walker.Open(root.path());
  EXPECT_EQ(walker.CurrentFolder(), root / "a/b");
  EXPECT_EQ(walker.NextImage(), root / "a/b/late.jpg");
}

TEST(FolderWalker, OneFolderWrapsAndIsReadAgainOnReentry) {
  kovtest::TempFolder root;
  for (const char* name : {"c.jpg", "a.jpg", "B.jpg"}) root.WriteFile(name);
  CFolderWalker walker;
  walker.Open(root.path());
  EXPECT_EQ(walker.PreviousImage(), root / "c.jpg");  // before the first: the last
  EXPECT_EQ(walker.PreviousImage(), root / "B.jpg");
  walker.Open(root.path());
  EXPECT_EQ(Take(root, 4, [&] { return walker.NextImage(); }),
            (std::vector<std::string>{"a.jpg", "B.jpg", "c.jpg", "a.jpg"}));

  // A new file is seen only after the walker left and entered the folder again.
  root.WriteFile("d.jpg");
  EXPECT_EQ(Take(root, 4, [&] { return walker.NextImage(); }),
            (std::vector<std::string>{"B.jpg", "c.jpg", "a.jpg", "B.jpg"}));
  EXPECT_EQ(Take(root, 3, [&] { return walker.NextImage(); }),
            (std::vector<std::string>{"c.jpg", "d.jpg", "a.jpg"}));

  // A folder whose pictures vanished is dropped when it is entered again; until then
  // the walker keeps the listing it read on entering.
  for (const char* name : {"a.jpg", "B.jpg", "c.jpg", "d.jpg"}) unlink((root / name).c_str());
  EXPECT_EQ(Take(root, 4, [&] { return walker.NextImage(); }),
            (std::vector<std::string>{"B.jpg", "c.jpg", "d.jpg", ""}));
  EXPECT_EQ(walker.CurrentFolder(), root.path());
}

TEST(FolderWalker, FolderStepsAndSelection) {
  kovtest::TempFolder root;
  for (const char* name : {"f1/1.jpg", "f1/2.jpg", "f1/3.jpg", "f2/4.jpg", "f2/5.jpg", "f2/6.jpg"})
    root.WriteFile(name);
  CFolderWalker walker;
  walker.Open(root.path());
  ASSERT_TRUE(walker.NextFolder());
  EXPECT_EQ(walker.CurrentFolder(), root / "f2");
  EXPECT_EQ(walker.NextImage(), root / "f2/5.jpg");  // NextFolder stands on the first picture
  ASSERT_TRUE(walker.PreviousFolder());
  EXPECT_EQ(walker.CurrentFolder(), root / "f1");
  EXPECT_EQ(walker.PreviousImage(), root / "f1/2.jpg");  // PreviousFolder stands on the last
  ASSERT_TRUE(walker.PreviousFolder());  // wraps to the last folder
  EXPECT_EQ(walker.CurrentFolder(), root / "f2");
  ASSERT_TRUE(walker.NextFolder());  // and back round to the first
  EXPECT_EQ(walker.CurrentFolder(), root / "f1");

  EXPECT_EQ(walker.SelectImage(root / "f1/3.jpg"), root / "f1/3.jpg");
  EXPECT_EQ(walker.NextImage(), root / "f2/4.jpg");
  EXPECT_EQ(walker.SelectImage(root / "f2/6.JPG"), root / "f2/6.jpg");  // differs only in letter case
  EXPECT_EQ(walker.PreviousImage(), root / "f2/5.jpg");
  EXPECT_EQ(walker.SelectImage(root / "f1/1.jpg"), "");  // not in the current folder: nothing changes
  EXPECT_EQ(walker.SelectImage(""), "");
  EXPECT_EQ(walker.NextImage(), root / "f2/6.jpg");

  // First and last stay in the folder and move the position; the next step goes on from there.
  int count = 0;
  EXPECT_EQ(walker.FirstImage(), root / "f2/4.jpg");
  EXPECT_EQ(walker.PreviousImage(), root / "f1/3.jpg");
  EXPECT_EQ(walker.LastImage(), root / "f1/3.jpg");
  EXPECT_EQ(walker.PositionOf(root / "f1/3.jpg", &count), 3);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(walker.PositionOf(root / "f2/4.jpg", &count), 0);  // another folder's picture
  EXPECT_EQ(walker.NextImage(), root / "f2/4.jpg");
  EXPECT_EQ(walker.LastImage(), root / "f2/6.jpg");

  // The exact name wins over one that differs in case; two case matches select nothing.
  root.WriteFile("f2/A.jpg");
  root.WriteFile("f2/a.jpg");
  walker.NextFolder();
  walker.NextFolder();
  ASSERT_EQ(walker.CurrentFolder(), root / "f2");
  walker.SelectImage(root / "f2/a.jpg");  // the listing is 4, 5, 6, A, a
  EXPECT_EQ(walker.PreviousImage(), root / "f2/A.jpg");
  walker.SelectImage(root / "f2/4.jpg");
  EXPECT_EQ(walker.SelectImage(root / "f2/A.JPG"), "");
  EXPECT_EQ(walker.NextImage(), root / "f2/5.jpg");
}

TEST(FolderWalker, LinksToFoldersAreNotFollowedAndOddFilesAreNoPictures) {
  kovtest::TempFolder root;
  kovtest::TempFolder outside;
  outside.WriteFile("far.jpg");
  root.WriteFile("a/1.jpg");
  root.WriteFile("b/2.jpg");
  ASSERT_EQ(symlink("..", (root / "a/loop").c_str()), 0);
  ASSERT_EQ(symlink(outside.path().c_str(), (root / "b/away").c_str()), 0);
  ASSERT_EQ(symlink((root / "a/1.jpg").c_str(), (root / "b/linked.jpg").c_str()), 0);
  ASSERT_EQ(symlink("nowhere.jpg", (root / "b/dangling.jpg").c_str()), 0);
  ASSERT_EQ(mkfifo((root / "b/pipe.jpg").c_str(), 0600), 0);

  CFolderWalker walker;
  walker.Open(root.path());
  EXPECT_EQ(Take(root, 3, [&] { return walker.NextImage(); }),
            (std::vector<std::string>{"a/1.jpg", "b/2.jpg", "b/linked.jpg"}));
  EXPECT_EQ(FolderRound(&walker, root, 3), (std::vector<std::string>{"a", "b", "a"}));

  // A root given through a link is walked; the folder it names is listed once.
  std::string viaLink = outside / "root-link";
  ASSERT_EQ(symlink(root.path().c_str(), viaLink.c_str()), 0);
  walker.Open(viaLink);
  EXPECT_EQ(walker.NextImage(), viaLink + "/a/1.jpg");
}

// After a move or a delete the walk reads the folder again where it stands: the
// pictures that went are not visited, and the walk goes on from where it was.
TEST(FolderWalker, RereadAfterFilesWentKeepsThePlaceAndSkipsThem) {
  struct Case {
    const char* what;
    int steps;                           // NextImage calls before the files go
    std::vector<std::string> gone;
    std::vector<std::string> nextAfter;  // NextImage after the reread, in folder "a"
  } cases[] = {
      {"the current picture went", 2, {"b.jpg"}, {"c.jpg", "d.jpg", "other/x.jpg"}},
      {"others went, the current stays", 2, {"a.jpg", "c.jpg"}, {"d.jpg", "other/x.jpg"}},
      {"before the first picture", 0, {"a.jpg"}, {"b.jpg", "c.jpg", "d.jpg"}},
      {"the last picture went", 4, {"d.jpg"}, {"other/x.jpg"}},
      {"every picture went", 1, {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}, {"other/x.jpg", "other/x.jpg"}},
  };
  for (const Case& c : cases) {
    kovtest::TempFolder root;
    for (const char* name : {"a/a.jpg", "a/b.jpg", "a/c.jpg", "a/d.jpg", "a/other/x.jpg"}) root.WriteFile(name);
    CFolderWalker walker;
    walker.Open(root / "a");
    for (int i = 0; i < c.steps; ++i) walker.NextImage();
    for (const std::string& name : c.gone) unlink((root / ("a/" + name)).c_str());
    walker.RereadCurrentFolder();
    for (const std::string& next : c.nextAfter) EXPECT_EQ(walker.NextImage(), root / ("a/" + next)) << c.what;
  }
}

// A show in random order jumps anywhere in the walk: the jump lands in the picture's
// own folder, the walk goes on from it, and a picture that has gone is no jump.
TEST(FolderWalker, GoToAnyPictureOfTheWalk) {
  kovtest::TempFolder root;
  kovtest::TempFolder outside;
  outside.WriteFile("far.jpg");
  for (const char* name : {"f1/1.jpg", "f1/2.jpg", "f2/3.jpg", "f2/4.jpg", "f2/deep/5.jpg"}) root.WriteFile(name);
  CFolderWalker walker;
  walker.Open(root.path());
  EXPECT_EQ(walker.AllImages(), (std::vector<std::string>{root / "f1/1.jpg", root / "f1/2.jpg", root / "f2/3.jpg",
                                                          root / "f2/4.jpg", root / "f2/deep/5.jpg"}));
  unlink((root / "f1/2.jpg").c_str());
  struct Case {
    const char* what;
    std::string path;
    std::string landed;  // what GoToImage gives
    std::string next;    // NextImage afterwards: the walk goes on from where it stands
    int position;        // of the next picture in its folder
  } cases[] = {
      {"another folder", root / "f2/4.jpg", root / "f2/4.jpg", root / "f2/deep/5.jpg", 1},
      {"back to the first folder", root / "f1/1.jpg", root / "f1/1.jpg", root / "f2/3.jpg", 1},
      {"a picture that has gone", root / "f1/2.jpg", "", root / "f2/4.jpg", 2},
      {"a folder outside the walk", outside / "far.jpg", "", root / "f2/deep/5.jpg", 1},
      {"a folder, not a picture", root / "f2", "", root / "f1/1.jpg", 1},
      {"no folder at all", "5.jpg", "", root / "f2/3.jpg", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(walker.GoToImage(c.path), c.landed) << c.what;
    std::string next = walker.NextImage();
    EXPECT_EQ(next, c.next) << c.what;
    int count = 0;
    EXPECT_EQ(walker.PositionOf(next, &count), c.position) << c.what;
  }
}
