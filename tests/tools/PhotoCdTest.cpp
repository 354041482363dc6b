#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/FileChecks.h"
#include "tests/support/TempFolder.h"
#include "tools/PhotoCd.h"

using namespace kov;
using kovtest::FolderNames;
using kovtest::PathExists;
using kovtest::ReadFileText;

namespace {

bool IsExecutable(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & 0100) != 0;
}

// Temporary copies left in folder.
int LeftoverTemporaries(const std::string& folder) {
  int count = 0;
  for (const std::string& name : FolderNames(folder)) count += g_str_has_prefix(name.c_str(), ".kov-copy") ? 1 : 0;
  return count;
}

}  // namespace

TEST(PhotoCd, OnlyAnExistingFolderOnAFixedVolumeCanBeTheRoot) {
  kovtest::TempFolder temp;
  std::string cd = temp.MakeFolder("cd"), share = temp.MakeFolder("share"), disk = temp.MakeFolder("disk");
  std::string table = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                      "2 1 11:0 / " + cd + " ro - iso9660 /dev/sr0 ro\n"
                      "3 1 0:50 / " + share + " rw - nfs srv:/x rw\n";
  setenv("KOV_MOUNTINFO", temp.WriteFile("mountinfo", table).c_str(), 1);
  struct Case {
    std::string root;
    bool usable;
  } cases[] = {
      {disk, true}, {disk + "/", true}, {cd, false}, {share, false}, {temp / "disk/missing", false},
      {temp.WriteFile("disk/file.jpg"), false}, {"", false}, {"disk", false},  // relative
  };
  for (const Case& c : cases) EXPECT_EQ(CanPreparePhotoCd(c.root), c.usable) << "'" << c.root << "'";
  unsetenv("KOV_MOUNTINFO");
}

TEST(PhotoCdFiles, AutorunFilesAndProgramCopyFollowTheBoxAndStayWholeOnFailure) {
  const std::string inf(kAutorunInf, kAutorunInfSize);
  ASSERT_EQ(inf, "[AUTORUN]\r\nOPEN=KOV.EXE\r\nICON=KOV.EXE,0");
  ASSERT_EQ(inf.size(), 39u);
  const char* const kOldInf = "old inf";
  struct Case {
    const char* what;
    bool autorun;
    const char* oldScript;  // autorun.sh before the run; nullptr for none
    const char* readOnly;   // the root's file made read-only first; nullptr for none
    bool programMissing;
    bool rootMissing;
    PhotoCdOutcome outcome;
    const char* infAfter;     // AUTORUN.INF's bytes after; nullptr: none
    const char* scriptAfter;  // nullptr: no autorun.sh
    bool scriptKept;          // the user is told that their own script stayed
  } cases[] = {
      {"autorun", true, nullptr, nullptr, false, false, PhotoCdOutcome::kFilesWritten, kAutorunInf, kAutorunSh,
       false},
      {"second run replaces ours", true, kAutorunSh, nullptr, false, false, PhotoCdOutcome::kFilesWritten,
       kAutorunInf, kAutorunSh, false},
      {"the user's own script stays", true, "mine", nullptr, false, false, PhotoCdOutcome::kFilesWritten,
       kAutorunInf, "mine", true},
      {"no autorun removes ours", false, kAutorunSh, nullptr, false, false, PhotoCdOutcome::kFilesWritten,
       nullptr, nullptr, false},
      {"no autorun keeps the user's script", false, "mine", nullptr, false, false, PhotoCdOutcome::kFilesWritten,
       nullptr, "mine", false},
      {"a read-only AUTORUN.INF is not replaced", true, nullptr, "AUTORUN.INF", false, false,
       PhotoCdOutcome::kAutorunFailed, kOldInf, nullptr, false},
      {"nor removed", false, nullptr, "AUTORUN.INF", false, false, PhotoCdOutcome::kFilesWritten, kOldInf,
       nullptr, false},
      {"a read-only kov.exe is not replaced", true, nullptr, "kov.exe", false, false,
       PhotoCdOutcome::kProgramFailed, kAutorunInf, kAutorunSh, false},
      {"program missing keeps the autorun files", true, nullptr, nullptr, true, false,
       PhotoCdOutcome::kProgramFailed, kAutorunInf, kAutorunSh, false},
      {"root missing writes nothing", true, nullptr, nullptr, false, true, PhotoCdOutcome::kAutorunFailed,
       nullptr, nullptr, false},
  };
  for (const Case& c : cases) {
    kovtest::TempFolder temp;
    std::string program = temp.WriteFile("bin/kov", std::string("\x7f" "ELF program bytes\0\1\2", 22));
    std::string root = c.rootMissing ? temp / "missing" : temp.MakeFolder("root");
    temp.WriteFile("root/AUTORUN.INF", kOldInf);
    temp.WriteFile("root/kov.exe", "old program");
    if (c.oldScript) temp.WriteFile("root/autorun.sh", c.oldScript);
    if (c.readOnly) chmod((root + "/" + c.readOnly).c_str(), 0444);
    std::string error;
    bool kept = !c.scriptKept;
    EXPECT_EQ(WritePhotoCdFiles(root, c.autorun, c.programMissing ? temp / "nope" : program, &error, &kept),
              c.outcome)
        << c.what;
    if (c.rootMissing) {
      EXPECT_FALSE(PathExists(root)) << c.what;
      continue;
    }
    EXPECT_EQ(kept, c.scriptKept) << c.what;
    EXPECT_EQ(ReadFileText(root + "/AUTORUN.INF"), c.infAfter ? c.infAfter : "<missing>") << c.what;
    EXPECT_EQ(ReadFileText(root + "/autorun.sh"), c.scriptAfter ? c.scriptAfter : "<missing>") << c.what;
    if (c.autorun && c.scriptAfter == kAutorunSh) {
      EXPECT_TRUE(IsExecutable(root + "/autorun.sh")) << c.what;
    }
    const bool copied = c.outcome == PhotoCdOutcome::kFilesWritten;
    EXPECT_EQ(ReadFileText(root + "/kov.exe"), copied ? ReadFileText(program) : "old program") << c.what;
    if (copied) {
      EXPECT_TRUE(IsExecutable(root + "/kov.exe")) << c.what;
    }
    EXPECT_EQ(LeftoverTemporaries(root), 0) << c.what;
  }
}
