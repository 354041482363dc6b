#pragma once
// The thumbnail builder's steps as a state machine that its window drives: it
// brings the thumbnail caches of one folder, or of a folder and its subfolders, up
// to date. Unchanged records are carried over; every other picture is rendered by
// the window's page "kovp://thumbmk/<path>", captured and stored, or given the
// placeholder when it cannot be rendered; a picture whose page does not complete in
// time gets no record, so its folder stays stale and it is tried again.
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

constexpr unsigned kBuildStepDelayMs = 100;
constexpr unsigned kPollPeriodMs = 50;
// How long one picture may take from its own navigation to capture before it is
// left without a record: a page that never completes must not stop the build.
constexpr unsigned kRenderWaitLimitMs = 10000;

extern const char kBuilderCaption[];    // "Creating Thumbnails"
extern const char kScanningStatus[];    // "Scanning Files..."
extern const char kBuilderBlankPage[];  // "kovp://blank2/"

// The page that renders one picture, with the path percent-encoded.
std::string ThumbnailPageUrl(const std::string& imagePath);
// "<folder below the base's parent> - <caption>", or "" when the caption stays.
std::string BuilderCaption(const std::string& baseFolder, const std::string& folder,
                           const std::string& startingCaption);

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
  void OnCapture(unsigned token, const CaptureResult& result);
  // Cancel button, Escape, Alt: the new cache of the current folder is thrown away,
  // its old cache stays; folders already finished keep their new caches.
  void Cancel();

  bool HasEnded() const { return state_ == State::kEnded; }
  BuildResult Result() const { return result_; }
  // Pictures rendered (captured or given the placeholder) over the whole run.
  unsigned RenderedCount() const { return renderedCount_; }
  // Folders whose new cache could not be written, and why; they stay as they were.
  const std::vector<UnsavedCache>& UnwritableFolders() const { return unwritable_; }

 private:
  enum class State { kIdle, kStarting, kChoosingFolder, kNextImage, kRendering, kEnded };

  void StartTimer(int timerId, unsigned periodMs);
  void KillTimer(int timerId);
  void KillAllTimers();
  void StartQueue();
  void ChooseNextFolder();
  bool OpenFolder(const std::string& folder, std::vector<std::string> images);
  void StartNextImage();
  bool CarryOver(const std::string& imagePath);
  void Render(const std::string& imagePath);
  void Poll();
  void RequestCaptureOnce();
  void FinishImage(const CaptureResult* capture);
  bool StoreCapture(const CaptureResult& capture);
  void StorePlaceholder();
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

  std::vector<std::string> folders_;  // still to do, front first
  size_t nextFolder_ = 0;
  std::vector<std::string> images_;
  size_t nextImage_ = 0;
  std::string currentFolder_;
  std::string currentImage_;
  unsigned renderedCount_ = 0;
  std::vector<UnsavedCache> unwritable_;

  std::unique_ptr<ICacheReader> reader_;
  std::unique_ptr<ICacheWriter> writer_;
  std::string cachePath_;
  std::string tempPath_;

  // The picture being rendered.
  std::string pageUrl_;
  bool pageLoaded_ = false;
  bool loadAgain_ = false;
  bool captureAsked_ = false;
  unsigned captureToken_ = 0;
  unsigned waitedMs_ = 0;
};

}  // namespace kov
