#pragma once
// The mount table: which volume holds a path, what kind of drive it is, and the
// volume's identity. Read from /proc/self/mountinfo, or from the file named by
// $KOV_MOUNTINFO (tests use it to make any folder a CD-ROM).
#include <cstdint>
#include <string>
#include <vector>

namespace kov {

struct VolumeInfo {
  std::string mountPoint;      // the volume root ("the drive root")
  std::string label;           // volume label, "" when unknown
  std::string fileSystem;      // file-system type, e.g. "iso9660"
  uint32_t serial = 0;         // from the file system's UUID where known
  std::string uuid;            // the whole UUID as the system names it, "" when unknown
  uint32_t maxComponentLength = 0;
  uint32_t flags = 0;
  int driveType = 0;           // a DriveType value (platform/DriveTypes.h)
};

// false when path is relative or info is null; info is then left as it was. The
// volume is the one the path really leads to: symbolic links on the way (a
// /media/cdrom link to the drive's mount point, say) are followed first. An absolute
// path on no listed mount (a chroot or container whose table has no "/") is on a
// fixed volume whose root is "/", with no label, file system or serial.
bool GetVolumeInfo(const std::string& path, VolumeInfo* info);

// The path with every symbolic link, "." and ".." of its longest existing leading
// part resolved, the rest kept as it is; the path as given when no part exists.
std::string ResolvedPath(const std::string& path);

// One line of a mountinfo table, with the mount point's octal escapes decoded.
struct MountEntry {
  std::string mountPoint;
  std::string fileSystem;
  std::string source;  // the mounted device or share, e.g. "/dev/sr0"
};

// Parses one mountinfo line; false for a line that does not have the fields.
bool ParseMountInfoLine(const std::string& line, MountEntry* entry);
// Decodes the \ooo octal escapes the kernel writes for space, tab, newline, '\'.
std::string DecodeMountInfoField(const std::string& field);
// Every mount of $KOV_MOUNTINFO (when set) or /proc/self/mountinfo, in file order.
std::vector<MountEntry> ReadMountTable();
// The mount whose mount point is the longest whole-component prefix of the absolute
// path; of equal mount points the later one (it hides the earlier). null when none.
const MountEntry* FindMountOf(const std::vector<MountEntry>& table, const std::string& path);
// The drive type of a mount: CD-ROM, remote, removable or fixed.
int DriveTypeOfMount(const MountEntry& entry);

// The folders standing for /sys and /dev, so tests can describe block devices and
// their label and UUID links. Empty strings restore the real ones.
void SetDeviceRootsForTesting(const std::string& sysRoot, const std::string& devRoot);

}  // namespace kov
