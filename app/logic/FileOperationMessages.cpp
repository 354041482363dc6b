#include "app/logic/FileOperationMessages.h"

#include <cstdio>

#include "res/StringTable.h"

namespace kov {

namespace {

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

const char* PastVerb(FileOperation operation) {
  switch (operation) {
    case FileOperation::kCopy: return "copied";
    case FileOperation::kMove: return "moved";
    case FileOperation::kTrash: return "moved to the trash";
  }
  return "";
}

std::string Headline(FileOperation operation, const FileOperationReport& report) {
  const size_t total = report.total(), notDone = total - report.done;
  const std::string verb = PastVerb(operation);
  if (total == 1) return "The file was not " + verb + ".";
  if (notDone == 1) return "1 of " + std::to_string(total) + " files was not " + verb + ".";
  return std::to_string(notDone) + " of " + std::to_string(total) + " files were not " + verb + ".";
}

std::string FailureLine(FileOperation operation, const FileOperationReport& report) {
  std::string line = operation == FileOperation::kTrash ? "Not taken by the trash, left in place: "
                     : operation == FileOperation::kMove ? "Could not be moved: "
                                                         : "Could not be copied: ";
  line += std::to_string(report.failed);
  if (!report.firstError.empty()) line += " (" + report.firstError + ")";
  return line;
}

}  // namespace

std::string DeleteQuestionText(size_t count) {
  const char* format = LoadString(StringId::kDeleteQuestion);
  if (format == nullptr) return "";
  char text[256];
  std::snprintf(text, sizeof text, format, static_cast<unsigned long>(count));
  return WithoutCarriageReturns(text);
}

std::string FileOperationReportText(FileOperation operation, const FileOperationReport& report) {
  if (report.done == report.total()) {
    // A copy or a move leaves nothing to see in the list: the count is told. Trashed
    // files are seen to leave it.
    if (operation == FileOperation::kTrash || report.done == 0) return "";
    return report.done == 1 ? "1 file was " + std::string(PastVerb(operation)) + "."
                            : std::to_string(report.done) + " files were " + PastVerb(operation) + ".";
  }
  std::string text = Headline(operation, report) + "\n";
  if (report.alreadyThere > 0)
    text += "\nAlready in the destination folder, left as it was: " + std::to_string(report.alreadyThere);
  if (report.readOnly > 0) text += "\nRead-only, left in place: " + std::to_string(report.readOnly);
  if (report.failed > 0) text += "\n" + FailureLine(operation, report);
  return text;
}

std::string SavePictureFailureText(FileOutcome outcome, const std::string& error) {
  switch (outcome) {
    case FileOutcome::kDone:
    case FileOutcome::kAlreadyThere: return "";
    case FileOutcome::kReadOnly: return "The picture was not saved: the file there is read-only.";
    case FileOutcome::kFailed: break;
  }
  return "The picture was not saved" + (error.empty() ? std::string(".") : ": " + error + ".");
}

}  // namespace kov
