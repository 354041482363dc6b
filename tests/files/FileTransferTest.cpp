#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "tests/support/FileChecks.h"
#include "tests/support/TempFolder.h"
#include "files/FileOperation.h"
#include "files/FileTransfer.h"

using namespace kov;
using kovtest::FolderNames;
using kovtest::ReadFileText;
using kovtest::TempFolder;

namespace {

// Names in folder, "" separated by spaces, sorted.
std::string Listing(const std::string& folder) {
  std::string out;
  for (const std::string& name : FolderNames(folder)) out += (out.empty() ? "" : " ") + name;
  return out;
}

}  // namespace

TEST(FileTransfer, TargetIsTheDestinationFolderWithTheSourcesName) {
  struct Case {
    std::string source, dest;
    const char* target;  // nullptr: refused
  } cases[] = {
      {"/p/a.jpg", "/stick", "/stick/a.jpg"},
      {"/p/a b#%&.jpg", "/stick/", "/stick/a b#%&.jpg"},
      {"/p/caf\xE9.jpg", "//stick//x", "/stick/x/caf\xE9.jpg"},
      {"/p/a.jpg", "/", "/a.jpg"},
      {"/p/a.jpg", "", nullptr},
      {"/p/", "/stick", nullptr},
      {"/p/..", "/stick", nullptr},
      {"/p/a.jpg", "/" + std::string(PATH_MAX, 'd'), nullptr},
  };
  for (const Case& c : cases) {
    std::string target = "unchanged";
    bool made = TransferTargetPath(c.source, c.dest, &target);
    EXPECT_EQ(made, c.target != nullptr) << c.source << " -> " << c.dest;
    EXPECT_EQ(target, c.target ? c.target : "unchanged") << c.source << " -> " << c.dest;
  }
}

// Nothing is ever replaced: a name already taken in the destination (by another
// file, by the same file, by a dangling link) leaves both files as they were, and a
// failure leaves no half or temporary file behind.
TEST(FileTransfer, CopyAndMoveNeverReplaceAndLeaveNoTemporaryFile) {
  enum Setup { kEmptyDest, kOtherFileThere, kDanglingLinkThere, kDestIsSourceFolder, kNoSource,
               kNoDestFolder, kSourceIsFolder };
  struct Case {
    const char* what;
    FileOperation operation;
    Setup setup;
    FileOutcome outcome;
  } cases[] = {
      {"copy", FileOperation::kCopy, kEmptyDest, FileOutcome::kDone},
      {"copy onto another file", FileOperation::kCopy, kOtherFileThere, FileOutcome::kAlreadyThere},
      {"copy onto a dangling link", FileOperation::kCopy, kDanglingLinkThere, FileOutcome::kAlreadyThere},
      {"copy onto itself", FileOperation::kCopy, kDestIsSourceFolder, FileOutcome::kAlreadyThere},
      {"copy of a missing file", FileOperation::kCopy, kNoSource, FileOutcome::kFailed},
      {"copy into a missing folder", FileOperation::kCopy, kNoDestFolder, FileOutcome::kFailed},
      {"copy of a folder", FileOperation::kCopy, kSourceIsFolder, FileOutcome::kFailed},
      {"move", FileOperation::kMove, kEmptyDest, FileOutcome::kDone},
      {"move onto another file", FileOperation::kMove, kOtherFileThere, FileOutcome::kAlreadyThere},
      {"move onto a dangling link", FileOperation::kMove, kDanglingLinkThere, FileOutcome::kAlreadyThere},
      {"move onto itself", FileOperation::kMove, kDestIsSourceFolder, FileOutcome::kAlreadyThere},
      {"move of a missing file", FileOperation::kMove, kNoSource, FileOutcome::kFailed},
      {"move into a missing folder", FileOperation::kMove, kNoDestFolder, FileOutcome::kFailed},
      {"move of a folder", FileOperation::kMove, kSourceIsFolder, FileOutcome::kFailed},
  };
  for (const Case& c : cases) {
    TempFolder tmp;
    std::string source = c.setup == kNoSource ? tmp / "src/IMG_0001.JPG"
                         : c.setup == kSourceIsFolder ? tmp.MakeFolder("src/IMG_0001.JPG")
                                                      : tmp.WriteFile("src/IMG_0001.JPG", "camera A");
    tmp.MakeFolder("src");
    struct timespec old[2] = {{1000000000, 0}, {1000000000, 5}};
    utimensat(AT_FDCWD, source.c_str(), old, 0);
    std::string dest = c.setup == kDestIsSourceFolder ? tmp / "src"
                       : c.setup == kNoDestFolder    ? tmp / "nowhere"
                                                     : tmp.MakeFolder("dest");
    if (c.setup == kOtherFileThere) tmp.WriteFile("dest/IMG_0001.JPG", "camera B");
    if (c.setup == kDanglingLinkThere) {
      ASSERT_EQ(symlink("gone", (dest + "/IMG_0001.JPG").c_str()), 0);
    }
    const std::string target = dest + "/IMG_0001.JPG";
    const std::string before = Listing(dest);

    std::string error;
    FileOutcome outcome = c.operation == FileOperation::kCopy ? CopyFileInto(source, dest, nullptr, &error)
                                                              : MoveFileInto(source, dest, nullptr, &error);
    EXPECT_EQ(outcome, c.outcome) << c.what;
    EXPECT_EQ(error.empty(), c.outcome != FileOutcome::kFailed) << c.what << ": " << error;
    if (c.outcome == FileOutcome::kDone) {
      EXPECT_EQ(ReadFileText(target), "camera A") << c.what;
      struct stat st {};
      ASSERT_EQ(stat(target.c_str(), &st), 0);
      EXPECT_EQ(st.st_mtim.tv_sec, 1000000000) << c.what;  // the picture keeps its time
      EXPECT_EQ(access(source.c_str(), F_OK) == 0, c.operation == FileOperation::kCopy) << c.what;
    } else {
      EXPECT_EQ(Listing(dest), before) << c.what;  // nothing added, nothing removed
      if (c.setup == kOtherFileThere) {
        EXPECT_EQ(ReadFileText(target), "camera B") << c.what;
      }
      if (c.setup == kOtherFileThere || c.setup == kDestIsSourceFolder || c.setup == kDanglingLinkThere) {
        EXPECT_EQ(ReadFileText(source), "camera A") << c.what;
      }
    }
    if (c.outcome == FileOutcome::kDone) {
      EXPECT_EQ(Listing(dest), "IMG_0001.JPG") << c.what;
    }
  }
}

// Across file systems a move is a copy, synced and checked, and then the original
// goes; the copy carries the picture's bytes and time.
TEST(FileTransfer, MoveAcrossFileSystemsCopiesThenRemovesTheOriginal) {
  TempFolder tmp;
  char shmPattern[] = "/dev/shm/kov-move-XXXXXX";
  const char* shm = g_file_test("/dev/shm", G_FILE_TEST_IS_DIR) ? mkdtemp(shmPattern) : nullptr;
  struct stat a {}, b {};
  if (shm == nullptr || stat(shm, &a) != 0 || stat(tmp.path().c_str(), &b) != 0 || a.st_dev == b.st_dev) {
    if (shm != nullptr) rmdir(shm);
    GTEST_SKIP() << "needs /dev/shm on another file system than the temporary folder";
  }
  std::string source = std::string(shm) + "/a.jpg";
  std::string bytes(3 * 1024 * 1024 + 7, 'x');  // more than one copy chunk
  ASSERT_TRUE(g_file_set_contents(source.c_str(), bytes.data(), bytes.size(), nullptr));
  std::string dest = tmp.MakeFolder("album");
  std::string error;
  EXPECT_EQ(MoveFileInto(source, dest, nullptr, &error), FileOutcome::kDone) << error;
  EXPECT_EQ(ReadFileText(dest + "/a.jpg"), bytes);
  EXPECT_NE(access(source.c_str(), F_OK), 0);
  EXPECT_EQ(Listing(dest), "a.jpg");
  unlink(source.c_str());
  rmdir(shm);
}

// A delete goes to the trash or nowhere: a read-only file and a file the trash cannot
// take stay where they are.
TEST(FileTransfer, TrashLeavesWhatItCannotTakeInPlace) {
  TempFolder tmp;
  std::string readOnly = tmp.WriteFile("ro.jpg", "keep");
  chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(TrashFile(readOnly, nullptr, nullptr), FileOutcome::kReadOnly);
  EXPECT_EQ(ReadFileText(readOnly), "keep");
  std::string error;
  EXPECT_EQ(TrashFile(tmp / "missing.jpg", nullptr, &error), FileOutcome::kFailed);
  EXPECT_FALSE(error.empty());
  // Files on a system mount have no trash.
  char shmPattern[] = "/dev/shm/kov-trash-XXXXXX";
  if (const char* shm = mkdtemp(shmPattern)) {
    std::string file = std::string(shm) + "/a.jpg";
    ASSERT_TRUE(g_file_set_contents(file.c_str(), "keep", 4, nullptr));
    std::string refusal;
    EXPECT_EQ(TrashFile(file, nullptr, &refusal), FileOutcome::kFailed);
    EXPECT_EQ(ReadFileText(file), "keep") << refusal;
    unlink(file.c_str());
    rmdir(shm);
  }
}

TEST(FileTransfer, SaveReplacesOnlyWhatMayBeReplaced) {
  TempFolder tmp;
  std::string source = tmp.WriteFile("a.jpg", "picture");
  std::string other = tmp.WriteFile("out/b.jpg", "older");
  EXPECT_EQ(SaveFileCopy(source, other, nullptr), FileOutcome::kDone);
  EXPECT_EQ(ReadFileText(other), "picture");
  EXPECT_EQ(SaveFileCopy(source, source, nullptr), FileOutcome::kDone);
  EXPECT_EQ(ReadFileText(source), "picture");
  std::string readOnly = tmp.WriteFile("out/c.jpg", "older");
  chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(SaveFileCopy(source, readOnly, nullptr), FileOutcome::kReadOnly);
  EXPECT_EQ(ReadFileText(readOnly), "older");
  EXPECT_EQ(SaveFileCopy(source, tmp / "nowhere/d.jpg", nullptr), FileOutcome::kFailed);
  EXPECT_EQ(Listing(tmp / "out"), "b.jpg c.jpg");
}

// The worker's report comes back on the thread that started it, counted by reason.
TEST(FileTransfer, OperationOnAWorkerReportsEachOutcome) {
  TempFolder tmp;
  std::vector<std::string> files = {tmp.WriteFile("src/1.jpg", "one"), tmp.WriteFile("src/2.jpg", "two"),
                                    tmp / "src/missing.jpg"};
  tmp.WriteFile("dest/2.jpg", "other two");
  bool finished = false;
  FileOperationReport report;
  GThread* caller = g_thread_self();
  StartFileOperation(FileOperation::kCopy, files, tmp / "dest", nullptr,
                     [&](const FileOperationReport& r) {
                       EXPECT_EQ(g_thread_self(), caller);
                       report = r;
                       finished = true;
                     });
  while (!finished) g_main_context_iteration(nullptr, TRUE);
  EXPECT_EQ(report.done, 1u);
  EXPECT_EQ(report.alreadyThere, 1u);
  EXPECT_EQ(report.failed, 1u);
  EXPECT_FALSE(report.firstError.empty());
  EXPECT_EQ(ReadFileText(tmp / "dest/2.jpg"), "other two");
  EXPECT_EQ(Listing(tmp / "dest"), "1.jpg 2.jpg");
}
