#pragma once
// What the mount table asks of the block devices behind mounts: removability from
// sysfs, label and UUID from the /dev/disk links. Both roots can be replaced for tests.
#include <cstdint>
#include <string>

namespace kov {

std::string SysRoot();  // "/sys" unless a test replaced it
std::string DevRoot();  // "/dev" unless a test replaced it

// The kernel name of the block device a mount source names ("sdb1" for /dev/sdb1,
// "dm-0" for a /dev/mapper link); "" when the source is not a /dev node.
std::string BlockDeviceName(const std::string& source);
// true when sysfs marks the device, or the disk a partition belongs to, removable.
bool IsRemovableBlockDevice(const std::string& name);
// The name of the link in <dev>/disk/<folder> (by-label, by-uuid) that points at the
// device, with udev's \xHH escapes decoded; "" when there is none.
std::string FindDiskLinkName(const std::string& folder, const std::string& deviceName);
// A 32-bit volume serial from a file system's UUID: its first 8 hex digits when it is
// written in hex, otherwise the CRC-32 of its text; 0 for an empty UUID.
uint32_t SerialFromUuid(const std::string& uuid);

}  // namespace kov
