// Files named like pictures that are not regular files, and partial copies a killed
// copy left behind. No operation may wait on a FIFO or read a device; each says why it
// passed the file over, and leaves it where it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "files/FileCopy.h"
#include "files/FileTransfer.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempFolder.h"

using namespace kov;
using kovtest::FolderNames;
using kovtest::PathExists;
using kovtest::TempFolder;

TEST(HostileFiles, WhatIsNotARegularFileIsPassedOverWithAReason) {
  const struct {
    const char* what;
    std::function<void(const std::string& path)> make;
  } sources[] = {
      {"a FIFO", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }},
      {"a link to /dev/zero",
       [](const std::string& path) { ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); }},
      {"a folder", [](const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0); }},
  };
  const struct {
    const char* what;
    std::function<FileOutcome(const std::string& source, const std::string& dest, std::string* error)> run;
  } operations[] = {
      {"copy", [](const std::string& s, const std::string& d, std::string* e) { return CopyFileInto(s, d, nullptr, e); }},
      {"move", [](const std::string& s, const std::string& d, std::string* e) { return MoveFileInto(s, d, nullptr, e); }},
      {"delete", [](const std::string& s, const std::string&, std::string* e) { return TrashFile(s, nullptr, e); }},
      {"save", [](const std::string& s, const std::string& d, std::string* e) { return SaveFileCopy(s, d + "/saved.jpg", e); }},
      {"whole copy",
       [](const std::string& s, const std::string& d, std::string* e) {
         return CopyFileAtomically(s, d + "/copy.jpg", 0644, e) ? FileOutcome::kDone : FileOutcome::kFailed;
       }},
  };
  for (const auto& source : sources) {
    for (const auto& operation : operations) {
      TempFolder tmp;
      const std::string path = tmp / "photo.jpg";
      source.make(path);
      const std::string dest = tmp.MakeFolder("dest");
      std::string error;
      EXPECT_EQ(operation.run(path, dest, &error), FileOutcome::kFailed) << operation.what << " " << source.what;
      EXPECT_NE(error.find("not a regular file"), std::string::npos)
          << operation.what << " " << source.what << ": " << error;
      EXPECT_TRUE(PathExists(path)) << operation.what << " " << source.what;
      EXPECT_TRUE(FolderNames(dest).empty()) << operation.what << " " << source.what;
    }
  }
}

// A partial copy nobody holds is removed by the next copy into its folder; one that a
// live copy holds, and names that are not a partial copy's, stay.
TEST(HostileFiles, APartialCopyLeftByAKilledCopyIsRemoved) {
  TempFolder tmp;
  const std::string source = tmp.WriteFile("a.jpg", "picture");
  tmp.WriteFile("dest/.kov-copy-Stale1", std::string(4096, 'x'));
  tmp.WriteFile("dest/.kov-copy-TooLong1", "not ours");
  const std::string held = tmp.WriteFile("dest/.kov-copy-Held01", "being written");
  int holder = open(held.c_str(), O_RDONLY);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  std::string error;
  EXPECT_EQ(CopyFileInto(source, tmp / "dest", nullptr, &error), FileOutcome::kDone) << error;
  EXPECT_EQ(FolderNames(tmp / "dest"),
            (std::vector<std::string>{".kov-copy-Held01", ".kov-copy-TooLong1", "a.jpg"}));
  close(holder);
}
