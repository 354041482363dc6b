#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <set>

#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "tests/support/CacheTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/FolderWritability.h"
#include "thumbs/ThumbCache.h"

using namespace kov;
using cachetest::Exists;
using cachetest::TempFolder;

TEST(CacheLocation, VolumeDirectoryNameFromTheVolumeIdentity) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);

  VolumeInfo disc;
  disc.label = "TRIPS 2003";
  disc.fileSystem = "iso9660";
  disc.serial = 123456789;
  disc.maxComponentLength = 255;
  disc.flags = 1;
  disc.mountPoint = "/media/cd";
  const std::string name = VolumeCacheDirName(disc);
  char expected[9];
  std::snprintf(expected, sizeof expected, "%08X", Crc32("trips 2003-iso9660-123456789-255-1"));
  EXPECT_EQ(name, expected);

  // The same disc in another drive gets the same directory; letter case of the label
  // does not matter; every other difference does.
  VolumeInfo other = disc;
  other.mountPoint = "/media/cdrom1";
  other.label = "Trips 2003";
  EXPECT_EQ(VolumeCacheDirName(other), name);
  std::set<std::string> names{name};
  other = disc; other.label = "TRIPS 2004"; names.insert(VolumeCacheDirName(other));
  other = disc; other.fileSystem = "udf"; names.insert(VolumeCacheDirName(other));
  other = disc; other.serial = 123456788; names.insert(VolumeCacheDirName(other));
  other = disc; other.maxComponentLength = 254; names.insert(VolumeCacheDirName(other));
  other = disc; other.flags = 0; names.insert(VolumeCacheDirName(other));
  EXPECT_EQ(names.size(), 6u);

  // Two discs burned on one day: their ISO 9660 UUIDs are times that share the first
  // 8 hex digits (the serial); the CRC of the whole UUID tells them apart.
  VolumeInfo morning = disc, evening = disc;
  morning.uuid = "2003-05-17-10-20-30-00";
  evening.uuid = "2003-05-17-14-02-11-00";
  morning.serial = evening.serial = 0x20030517;
  EXPECT_NE(VolumeCacheDirName(morning), VolumeCacheDirName(evening));
  std::snprintf(expected, sizeof expected, "%08X",
                Crc32("trips 2003-iso9660-" + std::to_string(Crc32(morning.uuid)) + "-255-1"));
  EXPECT_EQ(VolumeCacheDirName(morning), expected);
}

TEST(CacheLocation, TempFileInTheGivenFolder) {
  TempFolder dir;
  std::string first = MakeTempFileName(dir.path());
  std::string second = MakeTempFileName(dir.path());
  EXPECT_EQ(DirName(first), dir.path());
  EXPECT_EQ(BaseName(first).rfind(".kovthumb-", 0), 0u);  // hidden among the pictures
  EXPECT_NE(first, second);
  EXPECT_EQ(cachetest::FileSize(first), 0);
  EXPECT_EQ(MakeTempFileName(dir / "missing"), "");
  // The cache that replaces it is readable by others, as any new file is.
  mode_t old = umask(022);
  struct stat st {};
  EXPECT_EQ(stat(MakeTempFileName(dir.path()).c_str(), &st), 0);
  umask(old);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

// A mount table in which <temp>/cd is a CD-ROM and everything else a fixed disk.
class CdRomLocation : public ::testing::Test {
 protected:
  void SetUp() override {
    cd_ = temp_.MakeFolder("cd");
    appData_ = temp_.MakeFolder("appdata");
    std::string table = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                        "2 1 11:0 / " + cd_ + " ro - iso9660 /dev/sr0 ro\n";
    setenv("KOV_MOUNTINFO", temp_.WriteFile("mountinfo", table).c_str(), 1);
    ASSERT_EQ(GetPathDriveType(cd_ + "/x"), kDriveCdRom);
    VolumeInfo volume;
    ASSERT_TRUE(GetVolumeInfo(cd_, &volume));
    tree_ = appData_ + "/KOVTHUMB/" + VolumeCacheDirName(volume);
  }
  void TearDown() override { unsetenv("KOV_MOUNTINFO"); }

  TempFolder temp_;
  std::string cd_, appData_, tree_;
};

TEST_F(CdRomLocation, FixedDiskFoldersUseTheirOwnFile) {
  std::string folder = temp_.MakeFolder("pics");
  EXPECT_EQ(GetCachePathIn(folder + "/", true, appData_), folder + "/kovthumb.$$$");
  EXPECT_EQ(GetCachePathIn(folder, false, appData_), folder + "/kovthumb.$$$");
  EXPECT_FALSE(Exists(appData_ + "/KOVTHUMB"));
  EXPECT_EQ(GetCachePathIn("", false, appData_), "");
}

TEST_F(CdRomLocation, LookupNeverCreatesAndFallsBackToTheFolder) {
  std::string folder = temp_.MakeFolder("cd/Trips/2003");
  const std::string local = folder + "/kovthumb.$$$";
  EXPECT_EQ(GetCachePathIn(folder, true, appData_), local);
  EXPECT_FALSE(Exists(appData_ + "/KOVTHUMB"));

  const std::string mirrored = tree_ + "/Trips/2003/kovthumb.$$$";
  EXPECT_EQ(GetCachePathIn(folder, false, appData_), mirrored);
  EXPECT_TRUE(Exists(tree_ + "/Trips/2003"));
  EXPECT_FALSE(Exists(mirrored));  // only the folders are made

  // Lookup finds the levels now; any missing level gives the folder's own path again.
  EXPECT_EQ(GetCachePathIn(folder, true, appData_), mirrored);
  std::string sibling = temp_.MakeFolder("cd/Trips/2004");
  EXPECT_EQ(GetCachePathIn(sibling, true, appData_), sibling + "/kovthumb.$$$");
  EXPECT_FALSE(Exists(tree_ + "/Trips/2004"));
}

TEST_F(CdRomLocation, DiscRootAndDiscsWithTheirOwnCache) {
  // The root of a disc without a cache maps into the tree too: it can never be written.
  EXPECT_EQ(GetCachePathIn(cd_, false, appData_), tree_ + "/kovthumb.$$$");
  // A disc folder that carries its own cache always uses it.
  std::string folder = temp_.MakeFolder("cd/Own");
  temp_.WriteFile("cd/Own/kovthumb.$$$", "");
  EXPECT_EQ(GetCachePathIn(folder, false, appData_), folder + "/kovthumb.$$$");
  // Dot segments could lead out of the tree: such folders keep their own path.
  std::string dotted = cd_ + "/Own/../../appdata";
  EXPECT_EQ(GetCachePathIn(dotted, false, appData_), dotted + "/kovthumb.$$$");
  EXPECT_EQ(GetCachePathIn(cd_ + "/x", true, ""), cd_ + "/x/kovthumb.$$$");
}

TEST_F(CdRomLocation, FoldersReachedThroughALinkAreOnTheDisc) {
  std::string folder = temp_.MakeFolder("cd/Trips/2003");
  const std::string link = temp_.path() + "/cdrom";
  ASSERT_EQ(symlink(cd_.c_str(), link.c_str()), 0);
  EXPECT_EQ(GetPathDriveType(link + "/Trips/2003"), kDriveCdRom);
  // The same place in the tree as the folder's real path: one cache, however reached.
  EXPECT_EQ(GetCachePathIn(link + "/Trips/2003", false, appData_),
            GetCachePathIn(folder, false, appData_));
  EXPECT_EQ(GetCachePathIn(folder, false, appData_), tree_ + "/Trips/2003/kovthumb.$$$");
}

namespace {
// Refuses the folders it is given, as a read-only mount, a share or another user's
// photos would (root ignores file modes, so a test cannot make them for real).
class RefusedFolders : public IFolderWritability {
 public:
  explicit RefusedFolders(std::set<std::string> refused) : refused_(std::move(refused)) {
    SetFolderWritability(this);
  }
  ~RefusedFolders() override { SetFolderWritability(nullptr); }
  bool CanCreateFilesIn(const std::string& folder) const override { return refused_.count(folder) == 0; }

 private:
  std::set<std::string> refused_;
};
}  // namespace

// A folder that cannot be written keeps its cache in the per-user tree, as a disc
// does; one that carries its own cache keeps using it; a writable one its own.
TEST_F(CdRomLocation, FoldersThatCannotBeWrittenUseTheUserTree) {
  std::string shared = temp_.MakeFolder("share/Trips");
  std::string owned = temp_.MakeFolder("share/Own");
  std::string writable = temp_.MakeFolder("share/Mine");
  temp_.WriteFile("share/Own/kovthumb.$$$", "");
  RefusedFolders refused({shared, owned});
  VolumeInfo volume;
  ASSERT_TRUE(GetVolumeInfo(shared, &volume));
  const std::string mirrored =
      appData_ + "/KOVTHUMB/" + VolumeCacheDirName(volume) + shared + "/kovthumb.$$$";

  EXPECT_EQ(GetCachePathIn(shared, true, appData_), shared + "/kovthumb.$$$");  // no tree yet
  EXPECT_EQ(GetCachePathIn(shared, false, appData_), mirrored);
  EXPECT_EQ(GetCachePathIn(shared, true, appData_), mirrored);  // readers find what was written
  EXPECT_EQ(GetCachePathIn(owned, false, appData_), owned + "/kovthumb.$$$");
  EXPECT_EQ(GetCachePathIn(writable, false, appData_), writable + "/kovthumb.$$$");
  EXPECT_EQ(GetCachePathIn(shared + "/missing", false, appData_), shared + "/missing/kovthumb.$$$");
}
