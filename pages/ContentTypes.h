#pragma once
// Which files are pictures and sounds, the program's reserved file names, and the
// path rules every subsystem shares. Paths are byte strings; '/' is the only separator.
#include <string>

namespace kov {

// Drive type numbers, as the tools and the cache location rules use them.
enum DriveType {
  kDriveUnknown = 0,    // relative path, or no volume found
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// Reserved names in an image folder (last path component, any letter case).
enum SpecialFileKind {
  kNotSpecial = 0,
  kFolderBackgroundPicture = 1,  // kovbgimg.*
  kFolderBackgroundMusic = 2,    // kovbgsnd.*
  kWebThumbnail = 3,             // kovtn[digits].*
};

// Collapses every run of '/' to one and removes trailing '/' except for "/" itself.
std::string NormalizePath(const std::string& path);
// NormalizePath(folder + "/" + name): the one way folders and names are joined.
std::string JoinPath(const std::string& folder, const std::string& name);
// The last path component (after the last '/'); the whole text when there is none.
std::string BaseName(const std::string& path);
// Everything before the last '/' ("/" for a file in the root, "" when there is none).
std::string DirName(const std::string& path);

// TRUE when the extension (from the last '.' of the whole name) belongs to the media
// type word "image" or "audio": a fixed picture list first, then the MIME type that
// shared-mime-info guesses from the name alone.
bool IsFileOfMediaType(const std::string& name, const std::string& type);
bool IsImageFile(const std::string& name);
bool IsAudioFile(const std::string& name);
int GetSpecialFileKind(const std::string& path);

// The folder's own background picture (picture true) or music: the first kovbgimg.* /
// kovbgsnd.* entry that is a file of the right media type. false when there is none.
bool FindFolderBackgroundFile(const std::string& folder, std::string* out, bool picture);

// Drive type of the volume holding path (see platform/MountTable.h); 0 for relative paths.
int GetPathDriveType(const std::string& path);
// true when the program's own file lies on a CD-ROM.
bool IsProgramOnCdRom();

}  // namespace kov
