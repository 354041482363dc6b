#pragma once
// What the thumbnail builder needs from the outside, as narrow interfaces: the
// window that renders and captures pictures, and the thumbnail cache store. The
// builder itself (ThumbBuilder.h) only decides; tests drive it with fakes. A step of
// the store that fails returns false (or nothing) and, where error is not null, says
// why in it, so the user can be told.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kov {

// One record of a folder's thumbnail cache, as the builder carries it over.
struct CacheRecord {
  std::string name;        // the image's file name, no folder part
  uint64_t lastWrite = 0;  // the image's last-write time when the record was made
  int32_t height = 0;      // natural size; 0 in a placeholder record
  int32_t width = 0;
  std::string payload;  // the thumbnail picture, unscrambled
};

class ICacheReader {
 public:
  virtual ~ICacheReader() = default;
  // The record of an image name; false when there is none.
  virtual bool FindRecord(const std::string& name, CacheRecord* record) = 0;
};

class ICacheWriter {
 public:
  virtual ~ICacheWriter() = default;
  virtual bool AppendRecord(const CacheRecord& record, std::string* error) = 0;
  // A record for the image file at imagePath (its name and present last-write time)
  // with payload as the picture (a BMP is turned into a GIF by the store).
  virtual bool AppendFile(const std::string& imagePath, const std::string& payload, int32_t height,
                          int32_t width, std::string* error) = 0;
  // As AppendFile with a packed 24-bit bottom-up DIB (header, no colour table, rows).
  virtual bool AppendCapture(const std::string& imagePath, const std::string& dib, int32_t height,
                             int32_t width, std::string* error) = 0;
  // Closes the file and renames it over finalPath in one step; on failure the file
  // is deleted and finalPath stays as it was.
  virtual bool CommitTo(const std::string& finalPath, std::string* error) = 0;
  // Closes the file and deletes it.
  virtual void Discard() = 0;
};

class IThumbStore {
 public:
  virtual ~IThumbStore() = default;
  virtual bool IsFolderCurrent(const std::string& folder) = 0;
  // Where the folder's cache goes; creates the per-volume folders where needed. ""
  // when it can go nowhere.
  virtual std::string CachePathForWrite(const std::string& folder, std::string* error) = 0;
  // A new empty file in folder for the cache being written; "" when none can be made.
  virtual std::string MakeTempFileName(const std::string& folder, std::string* error) = 0;
  // nullptr when there is no readable cache at path.
  virtual std::unique_ptr<ICacheReader> OpenForRead(const std::string& path) = 0;
  // Creates (or empties) the file at path; nullptr when it cannot be created.
  virtual std::unique_ptr<ICacheWriter> CreateForWrite(const std::string& path,
                                                       std::string* error) = 0;
  // The image file's present last-write time in the records' units.
  virtual bool LastWriteOf(const std::string& imagePath, uint64_t* lastWrite) = 0;
  // The picture stored for images that cannot be rendered; false when there is none.
  virtual bool LoadPlaceholder(std::string* bytes) = 0;
};

// The answer of the window to a capture request for one cell of the strip, from one
// script call that reads each cell's state, the picture's natural size and
// rectangle, then one snapshot of the whole strip.
struct CaptureResult {
  enum class Status {
    kNotReady,  // the cell's document has not completed: ask again at the next poll
    kCaptured,  // the picture as displayed, with its natural size
    kFailed,    // complete, but no picture could be taken (broken or unknown file)
  };
  Status status = Status::kFailed;
  int32_t naturalWidth = 0;
  int32_t naturalHeight = 0;
  std::string dib;  // packed 24-bit bottom-up DIB of the displayed picture
};

// kNotSaved: every folder was done, but the cache of at least one could be written
// nowhere (CThumbBuilder::UnwritableFolders); that is not a success.
enum class BuildResult { kOk, kCancelled, kNotSaved };

// The builder's window. Timers repeat until killed; starting a running timer
// restarts it. Posted commands come back through CThumbBuilder::OnCommand, timers
// through OnTimer, page loads through OnPageLoaded, captures through OnCapture;
// none of these is ever called from inside one of the calls below.
class IThumbBuilderHost {
 public:
  virtual ~IThumbBuilderHost() = default;
  virtual void Navigate(const std::string& url) = 0;
  virtual void StartTimer(int timerId, unsigned periodMs) = 0;
  virtual void KillTimer(int timerId) = 0;
  virtual void Post(int command) = 0;
  // Answered through OnCapture with one result per cell of the strip on show.
  virtual void RequestCapture(unsigned token) = 0;
  // The pictures to be rendered next, in order, the strip on show first: decoded
  // ahead while the strip before them is painted and stored. Pictures named before
  // and not now are no longer wanted; an empty list ends the decoding ahead.
  virtual void DecodeAhead(const std::vector<std::string>& paths) = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void SetStatus(const std::string& text) = 0;
  // done of total pictures, for a bar beside the status; total is never below done.
  virtual void SetProgress(unsigned done, unsigned total) {}
  // Whether the builder's window is still shown; captures are only kept while it is.
  virtual bool IsShown() = 0;
  virtual void End(BuildResult result) = 0;
};

}  // namespace kov
