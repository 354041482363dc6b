#pragma once
// Copy, move or trash a list of picture files, one after the other, and count what
// became of them. The work can run on a worker thread, so a large copy leaves the
// windows responsive; its report comes back on the thread that started it.
#include <gio/gio.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kov {

enum class FileOperation { kCopy, kMove, kTrash };

struct FileOperationReport {
  size_t done = 0;
  size_t alreadyThere = 0;  // a file of that name was in the destination and stayed
  size_t readOnly = 0;      // read-only files are not deleted
  size_t failed = 0;
  std::string firstError;   // the reason of the first failure
  size_t total() const { return done + alreadyThere + readOnly + failed; }
};

// Works through files in order; destFolder is unused for kTrash. A cancelled run
// counts the files it did not reach as failed.
FileOperationReport RunFileOperation(FileOperation operation, const std::vector<std::string>& files,
                                     const std::string& destFolder, GCancellable* cancellable);

// RunFileOperation on a worker thread. finished runs in the calling thread's main
// context when the work is over (also after a cancellation).
using FileOperationFinished = std::function<void(const FileOperationReport&)>;
void StartFileOperation(FileOperation operation, std::vector<std::string> files,
                        std::string destFolder, GCancellable* cancellable,
                        FileOperationFinished finished);

}  // namespace kov
