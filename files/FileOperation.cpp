#include "files/FileOperation.h"

#include "files/FileTransfer.h"

namespace kov {

namespace {

FileOutcome RunOne(FileOperation operation, const std::string& file, const std::string& destFolder,
                   GCancellable* cancellable, std::string* error) {
  switch (operation) {
    case FileOperation::kCopy: return CopyFileInto(file, destFolder, cancellable, error);
    case FileOperation::kMove: return MoveFileInto(file, destFolder, cancellable, error);
    case FileOperation::kTrash: return TrashFile(file, cancellable, error);
  }
  return FileOutcome::kFailed;
}

void Count(FileOutcome outcome, const std::string& error, FileOperationReport* report) {
  switch (outcome) {
    case FileOutcome::kDone: ++report->done; return;
    case FileOutcome::kAlreadyThere: ++report->alreadyThere; return;
    case FileOutcome::kReadOnly: ++report->readOnly; return;
    case FileOutcome::kFailed:
      if (report->failed++ == 0) report->firstError = error;
      return;
  }
}

struct OperationJob {
  FileOperation operation;
  std::vector<std::string> files;
  std::string destFolder;
  FileOperationFinished finished;
  FileOperationReport report;
};

void RunJob(GTask* task, gpointer, gpointer data, GCancellable* cancellable) {
  auto* job = static_cast<OperationJob*>(data);
  job->report = RunFileOperation(job->operation, job->files, job->destFolder, cancellable);
  g_task_return_boolean(task, TRUE);
}

void OnJobDone(GObject*, GAsyncResult* result, gpointer) {
  auto* job = static_cast<OperationJob*>(g_task_get_task_data(G_TASK(result)));
  if (job->finished) job->finished(job->report);
}

}  // namespace

FileOperationReport RunFileOperation(FileOperation operation, const std::vector<std::string>& files,
                                     const std::string& destFolder, GCancellable* cancellable) {
  FileOperationReport report;
  for (const std::string& file : files) {
    if (g_cancellable_is_cancelled(cancellable)) {
      Count(FileOutcome::kFailed, "cancelled", &report);
      continue;
    }
    std::string error;
    FileOutcome outcome = RunOne(operation, file, destFolder, cancellable, &error);
    Count(outcome, error, &report);
  }
  return report;
}

void StartFileOperation(FileOperation operation, std::vector<std::string> files,
                        std::string destFolder, GCancellable* cancellable,
                        FileOperationFinished finished) {
  auto* job = new OperationJob{operation, std::move(files), std::move(destFolder), std::move(finished), {}};
  GTask* task = g_task_new(nullptr, cancellable, OnJobDone, nullptr);
  g_task_set_task_data(task, job, [](gpointer data) { delete static_cast<OperationJob*>(data); });
  g_task_run_in_thread(task, RunJob);
  g_object_unref(task);
}

}  // namespace kov
