#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "base/PathRules.h"
#include "platform/BlockDevices.h"
#include "platform/DriveTypes.h"
#include "platform/MountTable.h"
#include "tests/support/TempFolder.h"
#include "thumbs/CacheLocation.h"

using namespace kov;

namespace {

const char kMountInfo[] =
    "21 1 254:1 / / rw,relatime shared:1 - ext4 /dev/vda1 rw\n"
    "30 21 11:0 / /media/cd ro,relatime shared:7 master:2 - iso9660 /dev/sr0 ro\n"
    "31 21 11:1 / /media/dvd ro - udf /dev/sr1 ro\n"
    "32 21 8:49 / /media/udfdisk rw - udf /dev/sdd1 rw\n"
    "33 21 0:50 / /net/share rw - nfs4 server:/export rw\n"
    "34 21 0:51 / /srv/remote rw - fuse.sshfs user@host: rw\n"
    "35 21 0:52 / /tmp/ram rw - tmpfs tmpfs rw\n"
    "36 21 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
    "37 21 8:32 / /media/stick rw - ext4 /dev/sdc rw\n"
    "38 21 8:64 / /media/disk rw - ext4 /dev/sde rw\n"
    "39 21 11:2 / /media/My\\040Photos ro - iso9660 /dev/sr2 ro\n"
    "40 30 254:2 / /media/cd/inner rw - ext4 /dev/vda2 rw\n"
    "41 21 0:53 / /media/swap rw - iso9660 /dev/sr3 ro\n"
    "42 21 0:54 / /media/swap rw - ext4 /dev/vda3 rw\n"
    "this line is not a mount\n";

// A mount table, a sysfs with removable flags and /dev/disk links, all in a temp folder.
class MountTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTable(kMountInfo);
    std::string sys = temp_.MakeFolder("sys");
    temp_.WriteFile("sys/devices/sdb/removable", "1\n");
    temp_.MakeFolder("sys/devices/sdb/sdb1");
    temp_.MakeFolder("sys/class/block");
    ASSERT_EQ(symlink("../../devices/sdb/sdb1", (sys + "/class/block/sdb1").c_str()), 0);
    temp_.WriteFile("sys/class/block/sdc/removable", "1\n");
    temp_.WriteFile("sys/class/block/sde/removable", "0\n");
    std::string dev = temp_.MakeFolder("dev");
    Link("disk/by-label/PHOTOS\\x202024", "../../sr0");
    Link("disk/by-uuid/2024-01-02-03-04-05-00", "../../sr0");
    Link("disk/by-uuid/ABCD-1234", "../../sdb1");
    SetDeviceRootsForTesting(sys, dev);
  }
  void TearDown() override {
    unsetenv("KOV_MOUNTINFO");
    SetDeviceRootsForTesting("", "");
  }
  void UseTable(const std::string& text) {
    setenv("KOV_MOUNTINFO", temp_.WriteFile("mountinfo", text).c_str(), 1);
  }
  void Link(const std::string& relative, const std::string& target) {
    temp_.MakeFolder(DirName("dev/" + relative));
    ASSERT_EQ(symlink(target.c_str(), (temp_ / ("dev/" + relative)).c_str()), 0);
  }
  kovtest::TempFolder temp_;
};

}  // namespace

TEST_F(MountTableTest, DriveTypeFollowsFileSystemAndDevice) {
  EXPECT_EQ(GetPathDriveType("/media/cd/photos/a.jpg"), kDriveCdRom);
  EXPECT_EQ(GetPathDriveType("/media/dvd"), kDriveCdRom);           // udf on an optical drive
  EXPECT_EQ(GetPathDriveType("/media/udfdisk/x"), kDriveFixed);     // udf on a hard disk
  EXPECT_EQ(GetPathDriveType("/net/share/a"), kDriveRemote);
  EXPECT_EQ(GetPathDriveType("/srv/remote/a"), kDriveRemote);
  EXPECT_EQ(GetPathDriveType("/tmp/ram/a"), kDriveFixed);
  EXPECT_EQ(GetPathDriveType("/media/usb/DCIM"), kDriveRemovable);  // partition of a removable disk
  EXPECT_EQ(GetPathDriveType("/media/stick"), kDriveRemovable);     // whole removable disk
  EXPECT_EQ(GetPathDriveType("/media/disk/a"), kDriveFixed);        // removable flag 0
  EXPECT_EQ(GetPathDriveType("/home/u"), kDriveFixed);
}

TEST_F(MountTableTest, LongestPrefixOnWholeComponents) {
  EXPECT_EQ(GetPathDriveType("/media/cd"), kDriveCdRom);
  EXPECT_EQ(GetPathDriveType("/media/cd//"), kDriveCdRom);
  EXPECT_EQ(GetPathDriveType("/media/cdx/a"), kDriveFixed);       // not below /media/cd
  EXPECT_EQ(GetPathDriveType("/media/cd/inner/a"), kDriveFixed);  // nested mount wins
  EXPECT_EQ(GetPathDriveType("/media/cd/innerx"), kDriveCdRom);
  EXPECT_EQ(GetPathDriveType("/media/cd/../disk/a"), kDriveFixed);
  EXPECT_EQ(GetPathDriveType("/media/My Photos/a.jpg"), kDriveCdRom);  // \040 decoded
  EXPECT_EQ(GetPathDriveType("/media/My\\040Photos"), kDriveFixed);
  EXPECT_EQ(GetPathDriveType("/media/swap/a"), kDriveFixed);  // the later mount hides the earlier
  EXPECT_EQ(GetPathDriveType("media/cd"), kDriveUnknown);
  EXPECT_EQ(GetPathDriveType(""), kDriveUnknown);
}

TEST_F(MountTableTest, VolumeIdentityFromDiskLinks) {
  VolumeInfo cd;
  ASSERT_TRUE(GetVolumeInfo("/media/cd/photos", &cd));
  EXPECT_EQ(cd.mountPoint, "/media/cd");
  EXPECT_EQ(cd.fileSystem, "iso9660");
  EXPECT_EQ(cd.label, "PHOTOS 2024");
  EXPECT_EQ(cd.serial, 0x20240102u);
  EXPECT_EQ(cd.uuid, "2024-01-02-03-04-05-00");
  EXPECT_EQ(cd.maxComponentLength, 255u);
  EXPECT_EQ(cd.flags, 0u);
  EXPECT_EQ(cd.driveType, kDriveCdRom);

  VolumeInfo usb;
  ASSERT_TRUE(GetVolumeInfo("/media/usb", &usb));
  EXPECT_EQ(usb.label, "");
  EXPECT_EQ(usb.serial, 0xABCD1234u);

  VolumeInfo untouched;
  untouched.label = "kept";
  EXPECT_FALSE(GetVolumeInfo("relative/path", &untouched));
  EXPECT_EQ(untouched.label, "kept");
  EXPECT_FALSE(GetVolumeInfo("/media/cd", nullptr));
}

TEST_F(MountTableTest, MissingOrEmptyTableCoversNothing) {
  // A path on no listed mount is on the machine's own fixed disk.
  setenv("KOV_MOUNTINFO", (temp_ / "no-such-file").c_str(), 1);
  EXPECT_EQ(GetPathDriveType("/media/cd"), kDriveFixed);
  UseTable("");
  EXPECT_EQ(GetPathDriveType("/"), kDriveFixed);
  EXPECT_EQ(GetPathDriveType("relative"), kDriveUnknown);
  // The table is read on every call, so a new file takes effect at once.
  UseTable("1 0 0:1 / / rw - iso9660 /dev/sr0 ro\n");
  EXPECT_EQ(GetPathDriveType("/anything"), kDriveCdRom);
  EXPECT_TRUE(IsProgramOnCdRom());
  UseTable("1 0 0:1 / / rw - ext4 /dev/vda1 rw\n");
  EXPECT_FALSE(IsProgramOnCdRom());
}

TEST(MountInfoParser, FieldsEscapesAndBrokenLines) {
  MountEntry entry;
  ASSERT_TRUE(ParseMountInfoLine("36 35 98:0 /mnt1 /mnt/a\\040b rw shared:1 master:3 - ext3 /dev/x\\134y rw", &entry));
  EXPECT_EQ(entry.mountPoint, "/mnt/a b");
  EXPECT_EQ(entry.fileSystem, "ext3");
  EXPECT_EQ(entry.source, "/dev/x\\y");
  EXPECT_FALSE(ParseMountInfoLine("36 35 98:0 / /mnt rw ext3 /dev/x rw", &entry));  // no separator
  EXPECT_FALSE(ParseMountInfoLine("36 35 98:0 / /mnt rw - ext3", &entry));          // no source
  EXPECT_FALSE(ParseMountInfoLine("- - - - - -", &entry));
  EXPECT_FALSE(ParseMountInfoLine("", &entry));

  EXPECT_EQ(DecodeMountInfoField("a\\011b\\012c"), "a\tb\nc");
  EXPECT_EQ(DecodeMountInfoField("end\\04"), "end\\04");  // cut short: kept as it is
  EXPECT_EQ(DecodeMountInfoField("x\\"), "x\\");
  EXPECT_EQ(DecodeMountInfoField("\\000\\999"), "\\000\\999");  // no NUL, no non-octal
}

TEST(MountInfoParser, SerialsFromUuids) {
  EXPECT_EQ(SerialFromUuid("1b2c3d4e-5f60-7182-93a4-b5c6d7e8f901"), 0x1b2c3d4eu);
  EXPECT_EQ(SerialFromUuid("ABCD-1234"), 0xABCD1234u);
  EXPECT_EQ(SerialFromUuid(""), 0u);
  // Not hex, or too short: a checksum of the text, stable and distinct.
  EXPECT_EQ(SerialFromUuid("zz-not-hex"), SerialFromUuid("zz-not-hex"));
  EXPECT_NE(SerialFromUuid("zz-not-hex"), SerialFromUuid("zz-not-hey"));
  EXPECT_NE(SerialFromUuid("BEEF"), 0xBEEFu);  // fewer than 8 digits are not a serial
  EXPECT_NE(SerialFromUuid("BEEF"), 0u);
}

// A chroot or a container may list no mount at "/": every path outside the listed
// mounts is then on a fixed local volume rooted at "/", and its cache stays in the
// folder, while the listed mounts keep their kinds.
TEST(MountTableReal, RootOfThisMachineIsAVolume) {
  kovtest::TempFolder temp;
  setenv("KOV_MOUNTINFO",
         temp.WriteFile("mountinfo", "50 40 0:5 / /proc rw - proc proc rw\n"
                                     "51 40 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n").c_str(),
         1);
  struct Case {
    const char* path;
    const char* mountPoint;
    int driveType;
  };
  const Case cases[] = {
      {"/", "/", kDriveFixed},
      {"/home/u/Pictures", "/", kDriveFixed},
      {"/procfs/x", "/", kDriveFixed},  // not below /proc
      {"/proc/self", "/proc", kDriveFixed},
      {"/media/cd/photos", "/media/cd", kDriveCdRom},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    VolumeInfo volume;
    ASSERT_TRUE(GetVolumeInfo(c.path, &volume));
    EXPECT_EQ(volume.mountPoint, c.mountPoint);
    EXPECT_EQ(volume.driveType, c.driveType);
    EXPECT_GT(volume.maxComponentLength, 0u);
    EXPECT_EQ(GetPathDriveType(c.path), c.driveType);
  }
  std::string folder = temp.MakeFolder("pictures");
  std::string appData = temp.MakeFolder("cache");
  EXPECT_EQ(GetCachePathIn(folder, false, appData), folder + "/" + kCacheFileName);
  EXPECT_EQ(GetCachePathIn(folder, true, appData), folder + "/" + kCacheFileName);
  unsetenv("KOV_MOUNTINFO");
}
