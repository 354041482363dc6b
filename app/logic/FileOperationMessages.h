#pragma once
// The texts of the selection commands' message boxes: the question before a delete
// (StringId::kDeleteQuestion) and the one message that says how many files were not
// copied, moved or trashed, and why. Line breaks are '\n'.
#include <cstddef>
#include <string>

#include "files/FileOperation.h"
#include "files/FileTransfer.h"

namespace kov {

// The delete question with the number of selected thumbnails.
std::string DeleteQuestionText(size_t count);

// When every file was done: how many were copied or moved ("" for the trash, whose
// files are seen to leave the list). Otherwise how many were not, out of how many,
// and a line for each reason that occurred.
std::string FileOperationReportText(FileOperation operation, const FileOperationReport& report);

// "" when Save Picture wrote the file; otherwise why it did not (error: the reason
// SaveFileCopy gave for kFailed).
std::string SavePictureFailureText(FileOutcome outcome, const std::string& error);

}  // namespace kov
