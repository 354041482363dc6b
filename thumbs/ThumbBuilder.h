#pragma once
// The thumbnail builder's steps as a state machine that its window drives: it
// brings the thumbnail caches of one folder, or of a folder and its subfolders, up
// to date. Unchanged records are carried over; the other pictures are rendered a
// strip at a time (ThumbStrip.h), each in its own thumbnail-making page
// "kovp://thumbmk/<path>", captured from one snapshot and stored in the folder's
// order, or given the placeholder when they cannot be rendered; a picture whose
// page does not complete in time gets no record, so its folder stays stale and it
// is tried again.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "res/CommandIds.h"
#include "thumbs/ThumbBuilderPorts.h"
#include "thumbs/UnsavedCaches.h"

namespace kov {

enum ThumbBuilderTimer : int {
  kTimerBuildStart = 4001,
  kTimerBuildFolder = 4002,
  kTimerBuildPoll = 4003,
};

// The start and the step to the next folder go through the main loop, so the
// window is drawn and Cancel is seen between them, but wait for nothing more: a
// folder's wait is its pictures'.
constexpr unsigned kBuildStepDelayMs = 0;
constexpr unsigned kPollPeriodMs = 50;
// How long one strip may take from its own navigation to capture before its
// pictures not yet captured are left without a record: a page that never
// completes must not stop the build.
constexpr unsigned kRenderWaitLimitMs = 10000;

extern const char kBuilderCaption[];    // "Creating Thumbnails"
extern const char kScanningStatus[];    // "Scanning Files..."
extern const char kBuilderBlankPage[];  // "kovp://blank2/"

// Entries (pictures rendered or carried over) a strip spans at most, so the
// records carried over between its pictures are held only briefly.
constexpr size_t kStripEntries = 64;

// The page that renders one picture, with the path percent-encoded.
std::string ThumbnailPageUrl(const std::string& imagePath);
// "<folder below the base's parent> - <caption>", or "" when the caption stays.
std::string BuilderCaption(const std::string& baseFolder, const std::string& folder,
                           const std::string& startingCaption);

// The status while pictures are made: "7 of 21".
std::string BuilderProgressText(unsigned done, unsigned total);

class CThumbBuilder {
 public:
  CThumbBuilder(IThumbBuilderHost& host, IThumbStore& store, std::string baseFolder,
                std::string startFolder, bool includeSubfolders,
                std::string startingCaption = kBuilderCaption);
  ~CThumbBuilder();
  CThumbBuilder(const CThumbBuilder&) = delete;
  CThumbBuilder& operator=(const CThumbBuilder&) = delete;

  // The window is up: blank page, status text, start timer.
  void Begin();
  void OnTimer(int timerId);
  void OnCommand(int command);  // the commands it posts to itself
  // A page finished loading (kCmdPageLoaded from the pane), with the pane's address.
  void OnPageLoaded(const std::string& url);
  // A load failed: its page never came, and the pane still shows the one before.
  // When it is the current picture's page, that page is asked for again at the next
  // poll, within the same wait; other pages' failures are stale and change nothing.
  void OnPageFailed(const std::string& url);
  // The answer to a capture request: one result per picture of the strip on show.
  void OnCapture(unsigned token, const std::vector<CaptureResult>& cells);
  // Cancel button, Escape, Alt: the new cache of the current folder is thrown away,
  // its old cache stays; folders already finished keep their new caches.
  void Cancel();

  bool HasEnded() const { return state_ == State::kEnded; }
  BuildResult Result() const { return result_; }
  // Pictures rendered (captured or given the placeholder) over the whole run.
  unsigned RenderedCount() const { return renderedCount_; }
  // The pictures of the run's stale folders, counted before the first is made, and
  // how many of them are done (rendered or carried over); the status shows both.
  unsigned TotalCount() const { return totalCount_; }
  unsigned DoneCount() const { return doneCount_; }
  // Folders whose new cache could not be written, and why; they stay as they were.
  const std::vector<UnsavedCache>& UnwritableFolders() const { return unwritable_; }

 private:
  enum class State { kIdle, kStarting, kChoosingFolder, kNextImage, kRendering, kEnded };

  // A picture of the folder in its place in the records: one to render, or a
  // record carried over.
  struct Entry {
    std::string path;
    bool render = false;
    CacheRecord record;    // carried over
    bool settled = false;  // rendered: captured or found broken
    CaptureResult capture;
  };

  void StartTimer(int timerId, unsigned periodMs);
  void KillTimer(int timerId);
  void KillAllTimers();
  void StartQueue();
  void ShowProgress();
  void ChooseNextFolder();
  bool OpenFolder(const std::string& folder, std::vector<std::string> images);
  void StartNextStrip();
  void FillPlan();
  Entry Classify(const std::string& imagePath);
  void TakeStrip();
  void AskDecodeAhead();
  void Render();
  void Poll();
  void RequestCaptureOnce();
  void FinishStrip();
  void WriteStrip(std::vector<Entry> entries);
  void StoreRendered(const Entry& entry);
  bool StoreCapture(const std::string& imagePath, const CaptureResult& capture);
  void StorePlaceholder(const std::string& imagePath);
  void FinishFolder();
  void NoteUnwritable(const std::string& folder, const std::string& error);
  void DropFolderFiles();
  void End(BuildResult result);

  IThumbBuilderHost& host_;
  IThumbStore& store_;
  std::string baseFolder_;
  std::string startFolder_;
  bool includeSubfolders_;
  std::string startingCaption_;

  State state_ = State::kIdle;
  BuildResult result_ = BuildResult::kOk;
  bool timerRunning_[3] = {false, false, false};  // start, folder, poll

  struct FolderWork {
    std::string folder;
    std::vector<std::string> images;
  };
  std::vector<FolderWork> folders_;  // the stale folders with pictures, front first
  size_t nextFolder_ = 0;
  std::vector<std::string> images_;
  size_t nextImage_ = 0;  // the first image not yet classified
  std::string currentFolder_;
  unsigned renderedCount_ = 0;
  unsigned totalCount_ = 0;
  unsigned doneCount_ = 0;
  std::vector<UnsavedCache> unwritable_;

  std::unique_ptr<ICacheReader> reader_;
  std::unique_ptr<ICacheWriter> writer_;
  std::string cachePath_;
  std::string tempPath_;

  std::deque<Entry> plan_;    // classified, after the strip on show
  std::vector<Entry> strip_;  // the strip on show, with the records between its pictures
  std::vector<size_t> cells_;  // the strip's pictures to render, as indices into strip_

  // The strip being rendered.
  std::string pageUrl_;
  bool loadAgain_ = false;
  bool captureAsked_ = false;
  bool askAgainAtAnswer_ = false;  // the page finished loading while a look was under way
  unsigned captureToken_ = 0;
  unsigned waitedMs_ = 0;
};

}  // namespace kov
