#include <gtest/gtest.h>

#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "tests/support/TempFolder.h"
#include "folders/FolderTreeModel.h"
#include "folders/UserFolders.h"

using namespace kov;
using kovtest::TempFolder;

namespace {

// A tree given as a table of children, which records every node the walk expands.
struct FakeTree {
  std::vector<std::string> top;
  std::map<std::string, std::vector<std::string>> children;
  std::vector<std::string> expanded;
  std::map<std::string, std::vector<std::string>> onDisk;  // children read again, where they changed
  std::vector<std::string> reread;

  FolderChildLister Lister() {
    return [this](const std::vector<size_t>& trail, bool again) {
      const std::vector<std::string>* level = &top;
      std::string node;
      for (size_t index : trail) {
        node = (*level)[index];
        level = &children[node];
      }
      if (!trail.empty() && !again) expanded.push_back(node);
      if (again) {
        reread.push_back(node);
        if (onDisk.count(node)) children[node] = onDisk[node];
      }
      return *level;
    };
  }
};

std::string MakeLink(const TempFolder& temp, const std::string& relative, const std::string& target) {
  std::string path = temp / relative;
  EXPECT_EQ(symlink(target.c_str(), path.c_str()), 0) << path;
  return path;
}

std::vector<std::string> Names(const std::vector<FolderNode>& nodes) {
  std::vector<std::string> names;
  for (const FolderNode& node : nodes) names.push_back(node.displayName);
  return names;
}

}  // namespace

TEST(FolderTreeWalk, PrefixMustEndAtSeparatorAndComparesBytesExactly) {
  FakeTree tree;
  tree.top = {"/home/u/Documents", "/", "/media/usb"};
  tree.children["/"] = {"/Photos", "/photo", "/photos"};
  tree.children["/photos"] = {"/photos/2004", "/photos/2004b"};
  tree.children["/home/u/Documents"] = {"/home/u/Documents/x"};

  FolderTreeWalk walk = WalkToFolder("/photos/2004", tree.Lister());
  EXPECT_TRUE(walk.found);
  EXPECT_EQ(walk.trail, (std::vector<size_t>{1, 2, 0}));
  // "/photo" is only a prefix of the name "photos" and "/Photos" differs in case.
  EXPECT_EQ(tree.expanded, (std::vector<std::string>{"/", "/photos"}));

  tree.expanded.clear();
  walk = WalkToFolder("/photos/2004b", tree.Lister());
  EXPECT_EQ(walk.trail, (std::vector<size_t>{1, 2, 1}));

  // Documents comes first, so a folder inside it is found there, not under "/".
  walk = WalkToFolder("/home/u/Documents/x", tree.Lister());
  EXPECT_TRUE(walk.found);
  EXPECT_EQ(walk.trail, (std::vector<size_t>{0, 0}));

  // "/" is a match for every absolute path and is found itself.
  walk = WalkToFolder("/", tree.Lister());
  EXPECT_TRUE(walk.found);
  EXPECT_EQ(walk.trail, (std::vector<size_t>{1}));
}

TEST(FolderTreeWalk, MissingTargetLeavesExpansionAsFarAsItGot) {
  FakeTree tree;
  tree.top = {"/"};
  tree.children["/"] = {"/photo", "/photos"};
  tree.children["/photos"] = {"/photos/2004"};

  FolderTreeWalk walk = WalkToFolder("/photos/2005/june", tree.Lister());
  EXPECT_FALSE(walk.found);
  EXPECT_EQ(walk.trail, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(tree.expanded, (std::vector<std::string>{"/", "/photos"}));

  // Letter case is not ignored: nothing below "/" matches.
  tree.expanded.clear();
  walk = WalkToFolder("/PHOTOS/2004", tree.Lister());
  EXPECT_FALSE(walk.found);
  EXPECT_EQ(walk.trail, (std::vector<size_t>{0}));

  // An empty target finds nothing and opens nothing.
  tree.expanded.clear();
  walk = WalkToFolder("", tree.Lister());
  EXPECT_FALSE(walk.found);
  EXPECT_TRUE(walk.trail.empty());
  EXPECT_TRUE(tree.expanded.empty());
}

// A folder made after its parent was listed is still found: the parent is read again
// once, and only where its listing holds no match.
TEST(FolderTreeWalk, StaleListingIsReadAgainOnTheWay) {
  FakeTree tree;
  tree.top = {"/"};
  tree.children["/"] = {"/photos"};
  tree.children["/photos"] = {"/photos/2004"};
  tree.onDisk["/photos"] = {"/photos/2004", "/photos/2025"};

  FolderTreeWalk walk = WalkToFolder("/photos/2025/june", tree.Lister());
  EXPECT_FALSE(walk.found);  // june itself was never made
  EXPECT_EQ(walk.trail, (std::vector<size_t>{0, 0, 1}));
  EXPECT_EQ(tree.reread, (std::vector<std::string>{"/photos", "/photos/2025"}));

  tree.reread.clear();
  walk = WalkToFolder("/photos/2004", tree.Lister());
  EXPECT_TRUE(walk.found);
  EXPECT_TRUE(tree.reread.empty());  // a listing that holds the way is not read again
  tree.top = {"/home/u/Documents", "/media/usb"};
  walk = WalkToFolder("/elsewhere", tree.Lister());
  EXPECT_FALSE(walk.found);
  EXPECT_TRUE(tree.reread.empty());  // nor is the top level, which is not a folder
}

TEST(FolderTreeTopLevel, DocumentsThenRootThenEachVolumeOnce) {
  TempFolder temp;
  std::string documents = temp.MakeFolder("Documents");
  std::vector<FolderNode> top =
      ListTopLevelFolders(documents + "/", {"/", "/media/usb", "relative", "", "/media/usb/", "/mnt/cd"});
  ASSERT_EQ(top.size(), 4u);
  EXPECT_EQ(top[0].path, documents);
  EXPECT_EQ(top[0].displayName, "Documents");
  EXPECT_EQ(top[1].path, "/");
  EXPECT_EQ(top[2].path, "/media/usb");
  EXPECT_EQ(top[2].displayName, "/media/usb");
  EXPECT_EQ(top[3].path, "/mnt/cd");

  // A Documents folder that does not exist is left out; "/" is always there.
  top = ListTopLevelFolders(temp.path() + "/gone", {});
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].path, "/");
}

TEST(FolderTreeSubfolders, DirectoriesOnlySortedWithoutDotNamesOrLoops) {
  TempFolder temp;
  std::string outside = temp.MakeFolder("outside");
  std::string folder = temp.MakeFolder("pics");
  for (const char* name : {"b", "a", "A", ".hidden", "x\\y", "\xC3\xA9t\xE9"}) temp.MakeFolder(std::string("pics/") + name);
  temp.WriteFile("pics/c.jpg");
  MakeLink(temp, "pics/loop", folder);           // the folder itself
  MakeLink(temp, "pics/up", temp.path());        // an ancestor
  MakeLink(temp, "pics/ext", outside);           // elsewhere: shown
  MakeLink(temp, "pics/dangling", temp.path() + "/none");
  MakeLink(temp, "pics/file-link", folder + "/c.jpg");

  std::vector<FolderNode> children;
  ASSERT_TRUE(ListSubfolders(folder, &children));
  EXPECT_EQ(Names(children), (std::vector<std::string>{"A", "a", "b", "ext", "x\\y", "\xC3\xA9t\xE9"}));
  EXPECT_EQ(children[0].path, folder + "/A");
  EXPECT_EQ(children[3].path, folder + "/ext");

  // Only hidden folders and files: listable, but nothing to show.
  std::string hiddenOnly = temp.MakeFolder("hidden-only/.git");
  temp.WriteFile("hidden-only/readme.txt");
  ASSERT_TRUE(ListSubfolders(DirName(hiddenOnly), &children));
  EXPECT_TRUE(children.empty());

  // A folder that cannot be listed: false and no children.
  children.push_back({"stale", "stale"});
  EXPECT_FALSE(ListSubfolders(temp.path() + "/missing", &children));
  EXPECT_TRUE(children.empty());
  EXPECT_FALSE(ListSubfolders(folder + "/c.jpg", &children));
  EXPECT_FALSE(ListSubfolders("", &children));
}

TEST(FolderTreeSubfolders, DisplayNameIsTheLastComponent) {
  EXPECT_EQ(FolderDisplayName("/a/b/"), "b");
  EXPECT_EQ(FolderDisplayName("/a//b"), "b");
  EXPECT_EQ(FolderDisplayName("/"), "/");
}

TEST(FolderTreeInitialFolder, CdRomRootThenSettingThenPicturesThenDocuments) {
  TempFolder temp;
  InitialFolderFacts facts;
  facts.imgFolder = temp.MakeFolder("remembered");
  facts.hasImgFolder = true;
  facts.pictures = temp.MakeFolder("Pictures");
  facts.documents = temp.MakeFolder("Documents");

  facts.programOnCdRom = true;
  facts.programVolumeRoot = "/media/cdrom";
  EXPECT_EQ(ChooseInitialFolder(facts), "/media/cdrom");  // whatever "imgfolder" holds
  facts.programVolumeRoot = "";                           // volume unknown: as if not on a CD
  EXPECT_EQ(ChooseInitialFolder(facts), facts.imgFolder);
  facts.programOnCdRom = false;
  facts.programVolumeRoot = "/media/cdrom";
  EXPECT_EQ(ChooseInitialFolder(facts), facts.imgFolder);

  facts.hasImgFolder = false;  // not readable: its text does not count
  EXPECT_EQ(ChooseInitialFolder(facts), facts.pictures);
  facts.hasImgFolder = true;
  facts.imgFolder = temp.WriteFile("a-file");
  EXPECT_EQ(ChooseInitialFolder(facts), facts.pictures);
  facts.imgFolder = "";
  EXPECT_EQ(ChooseInitialFolder(facts), facts.pictures);
  facts.imgFolder = temp.path() + "/deleted";
  EXPECT_EQ(ChooseInitialFolder(facts), facts.pictures);

  g_rmdir(facts.pictures.c_str());
  EXPECT_EQ(ChooseInitialFolder(facts), facts.documents);
}

TEST(FolderTreeOk, RemembersEverythingButCdRomFolders) {
  FolderTreeOk ok = DecideFolderTreeOk("/media/cdrom/photos", kDriveCdRom);
  EXPECT_EQ(ok.folder, "/media/cdrom/photos");
  EXPECT_FALSE(ok.remember);
  for (int type : {kDriveFixed, kDriveRemovable, kDriveRemote, kDriveUnknown}) {
    EXPECT_TRUE(DecideFolderTreeOk("/home/u/p", type).remember) << type;
  }
  ok = DecideFolderTreeOk("", kDriveUnknown);  // nothing selected: stores "" and still opens
  EXPECT_TRUE(ok.remember);
  EXPECT_EQ(ok.folder, "");
}

TEST(FolderTreeInitialFolder, ProgramOnCdRomStartsAtItsVolumeRootAndIsNotRemembered) {
  TempFolder temp;
  std::string programFolder = DirName(ProgramFilePath());
  ASSERT_FALSE(programFolder.empty());
  std::string table =
      "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
      "30 20 11:0 / " + programFolder + " ro - iso9660 /dev/sr0 ro\n";
  setenv("KOV_MOUNTINFO", temp.WriteFile("mountinfo", table).c_str(), 1);

  SettingAccess settings;
  std::string remembered = temp.MakeFolder("remembered");
  settings.get = [&](const std::string& name, std::string* value) {
    if (name != "imgfolder") return false;
    *value = remembered;
    return true;
  };
  InitialFolderFacts facts = GatherInitialFolderFacts(settings);
  EXPECT_TRUE(facts.programOnCdRom);
  EXPECT_EQ(facts.programVolumeRoot, programFolder);
  EXPECT_EQ(facts.imgFolder, remembered);
  EXPECT_EQ(ChooseInitialFolder(facts), programFolder);
  std::string onDisc = programFolder + "/photos";
  EXPECT_FALSE(DecideFolderTreeOk(onDisc, GetPathDriveType(onDisc)).remember);

  // The same program on a hard disk starts at the remembered folder.
  setenv("KOV_MOUNTINFO", temp.WriteFile("mountinfo", "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n").c_str(), 1);
  facts = GatherInitialFolderFacts(settings);
  EXPECT_FALSE(facts.programOnCdRom);
  EXPECT_EQ(ChooseInitialFolder(facts), remembered);
  EXPECT_TRUE(DecideFolderTreeOk(onDisc, GetPathDriveType(onDisc)).remember);
  unsetenv("KOV_MOUNTINFO");
}
