#include <gtest/gtest.h>

#include "app/logic/FileOperationMessages.h"

using namespace kov;

TEST(FileOperationMessages, OneMessageSaysHowManyWereNotDoneAndWhy) {
  struct Case {
    FileOperation operation;
    FileOperationReport report;  // done, already there, read-only, failed, first error
    const char* text;
  } cases[] = {
      {FileOperation::kCopy, {3, 0, 0, 0, ""}, "3 files were copied."},
      {FileOperation::kMove, {1, 0, 0, 0, ""}, "1 file was moved."},
      {FileOperation::kTrash, {2, 0, 0, 0, ""}, ""},
      {FileOperation::kCopy, {1, 1, 0, 0, ""},
       "1 of 2 files was not copied.\n\nAlready in the destination folder, left as it was: 1"},
      {FileOperation::kCopy, {0, 2, 0, 1, "No space left on device"},
       "3 of 3 files were not copied.\n\nAlready in the destination folder, left as it was: 2\n"
       "Could not be copied: 1 (No space left on device)"},
      {FileOperation::kMove, {0, 0, 0, 1, ""}, "The file was not moved.\n\nCould not be moved: 1"},
      {FileOperation::kMove, {4, 1, 0, 0, ""},
       "1 of 5 files was not moved.\n\nAlready in the destination folder, left as it was: 1"},
      {FileOperation::kTrash, {1, 0, 1, 1, "Trashing on system internal mounts is not supported"},
       "2 of 3 files were not moved to the trash.\n\nRead-only, left in place: 1\n"
       "Not taken by the trash, left in place: 1 (Trashing on system internal mounts is not supported)"},
  };
  for (const Case& c : cases) EXPECT_EQ(FileOperationReportText(c.operation, c.report), c.text);
  EXPECT_EQ(DeleteQuestionText(3), "3 files will be deleted.\n\nContinue?");
  EXPECT_EQ(SavePictureFailureText(FileOutcome::kDone, ""), "");
  EXPECT_EQ(SavePictureFailureText(FileOutcome::kReadOnly, ""),
            "The picture was not saved: the file there is read-only.");
  EXPECT_EQ(SavePictureFailureText(FileOutcome::kFailed, "Permission denied"),
            "The picture was not saved: Permission denied.");
}
