#include "thumbs/ThumbBuilder.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <strings.h>

#include <utility>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "thumbs/BuildQueue.h"
#include "thumbs/NaturalSizeMemo.h"

namespace kov {

const char kBuilderCaption[] = "Creating Thumbnails";
const char kScanningStatus[] = "Scanning Files...";
const char kBuilderBlankPage[] = "kovp://blank2/";

namespace {

int TimerSlot(int timerId) { return timerId - kTimerBuildStart; }

bool IsTimerId(int timerId) { return timerId >= kTimerBuildStart && timerId <= kTimerBuildPoll; }

}  // namespace

std::string ThumbnailPageUrl(const std::string& imagePath) {
  return "kovp://thumbmk/" + PercentEncodePath(imagePath);
}

std::string BuilderCaption(const std::string& baseFolder, const std::string& folder,
                           const std::string& startingCaption) {
  std::string base = NormalizePath(baseFolder);
  size_t slash = base.rfind('/');
  size_t from = slash == std::string::npos ? 0 : slash + 1;
  if (from >= folder.size()) return "";
  return DisplayName(folder.substr(from)) + " - " + startingCaption;
}

CThumbBuilder::CThumbBuilder(IThumbBuilderHost& host, IThumbStore& store, std::string baseFolder,
                             std::string startFolder, bool includeSubfolders,
                             std::string startingCaption)
    : host_(host),
      store_(store),
      baseFolder_(NormalizePath(baseFolder)),
      startFolder_(NormalizePath(startFolder)),
      includeSubfolders_(includeSubfolders),
      startingCaption_(std::move(startingCaption)) {}

CThumbBuilder::~CThumbBuilder() {
  // A builder destroyed in the middle of a folder leaves no temporary file behind.
  if (writer_) DropFolderFiles();
}

void CThumbBuilder::StartTimer(int timerId, unsigned periodMs) {
  timerRunning_[TimerSlot(timerId)] = true;
  host_.StartTimer(timerId, periodMs);
}

void CThumbBuilder::KillTimer(int timerId) {
  if (!timerRunning_[TimerSlot(timerId)]) return;
  timerRunning_[TimerSlot(timerId)] = false;
  host_.KillTimer(timerId);
}

void CThumbBuilder::KillAllTimers() {
  for (int id : {kTimerBuildStart, kTimerBuildFolder, kTimerBuildPoll}) KillTimer(id);
}

void CThumbBuilder::Begin() {
  if (state_ != State::kIdle) return;
  state_ = State::kStarting;
  host_.SetStatus(kScanningStatus);
  host_.Navigate(kBuilderBlankPage);
  StartTimer(kTimerBuildStart, kBuildStepDelayMs);
}

void CThumbBuilder::OnTimer(int timerId) {
  if (!IsTimerId(timerId) || !timerRunning_[TimerSlot(timerId)]) return;  // late tick of a killed timer
  if (timerId == kTimerBuildStart && state_ == State::kStarting) {
    KillTimer(timerId);
    StartQueue();
  } else if (timerId == kTimerBuildFolder && state_ == State::kChoosingFolder) {
    KillTimer(timerId);
    ChooseNextFolder();
  } else if (timerId == kTimerBuildPoll && state_ == State::kRendering) {
    Poll();
  }
}

void CThumbBuilder::OnCommand(int command) {
  if (command == kCmdBuilderNextImage && state_ == State::kNextImage) {
    StartNextImage();
  } else if (command == kCmdBuilderStartPoll && state_ == State::kRendering) {
    pageLoaded_ = true;
    if (!timerRunning_[TimerSlot(kTimerBuildPoll)]) StartTimer(kTimerBuildPoll, kPollPeriodMs);
    // The first look at the page goes out at once: waiting for the next tick would
    // cost most pictures half a poll period. Pictures not ready yet are asked again
    // on the ticks.
    RequestCaptureOnce();
  }
}

void CThumbBuilder::OnPageLoaded(const std::string& url) {
  if (state_ != State::kRendering) return;
  if (strncasecmp(url.c_str(), "kovp://blank2", 13) == 0) return;  // the page it starts with
  host_.Post(kCmdBuilderStartPoll);
}

void CThumbBuilder::OnPageFailed(const std::string& url) {
  // Only this picture's own page: a late failure of an earlier page (one given up
  // on, or the blank start page) must not make this one load again, which would cut
  // its own load short and fail it in turn.
  if (state_ != State::kRendering || strcasecmp(url.c_str(), pageUrl_.c_str()) != 0) return;
  pageLoaded_ = false;
  loadAgain_ = true;
}

void CThumbBuilder::StartQueue() {
  folders_ = CollectBuildFolders(startFolder_, includeSubfolders_);
  nextFolder_ = 0;
  state_ = State::kChoosingFolder;
  StartTimer(kTimerBuildFolder, kBuildStepDelayMs);
}

void CThumbBuilder::ChooseNextFolder() {
  while (nextFolder_ < folders_.size()) {
    const std::string folder = folders_[nextFolder_++];
    if (store_.IsFolderCurrent(folder)) continue;
    std::vector<std::string> images = ScanImages(folder);
    if (images.empty()) continue;  // a folder without pictures gets no cache
    if (OpenFolder(folder, std::move(images))) return;
  }
  End(unwritable_.empty() ? BuildResult::kOk : BuildResult::kNotSaved);
}

bool CThumbBuilder::OpenFolder(const std::string& folder, std::vector<std::string> images) {
  std::string error;
  cachePath_ = store_.CachePathForWrite(folder, &error);
  // The new cache is written next to the old one, so it can replace it in one rename.
  tempPath_ = cachePath_.empty() ? "" : store_.MakeTempFileName(DirName(cachePath_), &error);
  if (tempPath_.empty() || !(writer_ = store_.CreateForWrite(tempPath_, &error))) {
    // Nowhere to write: rendering would be wasted, and the folder stays as it was.
    if (!tempPath_.empty()) g_unlink(tempPath_.c_str());
    tempPath_.clear();
    NoteUnwritable(folder, error);
    return false;
  }
  reader_ = store_.OpenForRead(cachePath_);  // none: every picture is rendered
  currentFolder_ = folder;
  images_ = std::move(images);
  nextImage_ = 0;
  std::string caption = BuilderCaption(baseFolder_, folder, startingCaption_);
  if (!caption.empty()) host_.SetCaption(caption);
  state_ = State::kNextImage;
  host_.Post(kCmdBuilderNextImage);
  return true;
}

void CThumbBuilder::StartNextImage() {
  while (nextImage_ < images_.size()) {
    currentImage_ = images_[nextImage_++];
    if (!CarryOver(currentImage_)) {
      Render(currentImage_);
      return;
    }
  }
  FinishFolder();
}

bool CThumbBuilder::CarryOver(const std::string& imagePath) {
  CacheRecord record;
  uint64_t lastWrite = 0;
  if (!reader_ || !reader_->FindRecord(BaseName(imagePath), &record)) return false;
  // Placeholders are never carried over, so a picture that failed once is tried again.
  if (record.width == 0 || record.height == 0) return false;
  if (!store_.LastWriteOf(imagePath, &lastWrite) || lastWrite != record.lastWrite) return false;
  return writer_->AppendRecord(record, nullptr);
}

void CThumbBuilder::Render(const std::string& imagePath) {
  state_ = State::kRendering;
  pageLoaded_ = false;
  loadAgain_ = false;
  captureAsked_ = false;
  waitedMs_ = 0;
  pageUrl_ = ThumbnailPageUrl(imagePath);
  host_.Navigate(pageUrl_);
  // The poll timer also measures the wait from navigation on, so a page that
  // never reports its load still ends in the placeholder.
  StartTimer(kTimerBuildPoll, kPollPeriodMs);
}

void CThumbBuilder::Poll() {
  waitedMs_ += kPollPeriodMs;
  if (waitedMs_ >= kRenderWaitLimitMs) {
    FinishImage(nullptr);
    return;
  }
  if (loadAgain_) {
    loadAgain_ = false;
    host_.Navigate(pageUrl_);
    return;
  }
  if (pageLoaded_) RequestCaptureOnce();
}

void CThumbBuilder::RequestCaptureOnce() {
  if (captureAsked_) return;  // one request at a time; its answer comes first
  captureAsked_ = true;
  host_.RequestCapture(++captureToken_);
}

void CThumbBuilder::OnCapture(unsigned token, const CaptureResult& result) {
  // An answer for a picture that has been given up on, or a second answer, is stale.
  if (state_ != State::kRendering || !captureAsked_ || token != captureToken_) return;
  captureAsked_ = false;
  if (result.status == CaptureResult::Status::kNotReady) return;  // asked again at the next poll
  if (!host_.IsShown()) {
    Cancel();
    return;
  }
  FinishImage(&result);
}

void CThumbBuilder::FinishImage(const CaptureResult* capture) {
  KillTimer(kTimerBuildPoll);
  ++renderedCount_;
  if (capture == nullptr) {
    // Out of time is not given up for good: without a record the folder stays
    // stale, so the next visit or F3 tries the picture again.
    if (TraceEnabled()) TraceLine("builder timed out, no record " + currentImage_);
  } else if (!StoreCapture(*capture)) {
    if (TraceEnabled())
      TraceLine("builder placeholder " + currentImage_ +
                (capture->status == CaptureResult::Status::kCaptured ? " (not stored)"
                                                                     : " (not a picture)"));
    StorePlaceholder();
  }
  host_.SetStatus(std::to_string(renderedCount_));
  state_ = State::kNextImage;
  host_.Post(kCmdBuilderNextImage);
}

bool CThumbBuilder::StoreCapture(const CaptureResult& capture) {
  if (capture.status != CaptureResult::Status::kCaptured) return false;
  // The page showed the picture reduced by the page server, which knows its real
  // size; a picture the engine received whole reports its own.
  int32_t width = capture.naturalWidth, height = capture.naturalHeight;
  RecallNaturalSize(currentImage_, &width, &height);
  return writer_->AppendCapture(currentImage_, capture.dib, height, width, nullptr);
}

void CThumbBuilder::StorePlaceholder() {
  std::string placeholder;
  if (store_.LoadPlaceholder(&placeholder)) writer_->AppendFile(currentImage_, placeholder, 0, 0, nullptr);
}

void CThumbBuilder::FinishFolder() {
  reader_.reset();
  // Readers see the old cache or the new one, never a part; on failure the old stays.
  std::string error;
  bool committed = writer_->CommitTo(cachePath_, &error);
  writer_.reset();
  if (!committed) {
    g_unlink(tempPath_.c_str());
    NoteUnwritable(currentFolder_, error);
  }
  tempPath_.clear();
  state_ = State::kChoosingFolder;
  StartTimer(kTimerBuildFolder, kBuildStepDelayMs);
}

void CThumbBuilder::NoteUnwritable(const std::string& folder, const std::string& error) {
  unwritable_.push_back({folder, error.empty() ? "no cache file could be made there" : error});
}

void CThumbBuilder::DropFolderFiles() {
  reader_.reset();
  if (writer_) writer_->Discard();
  writer_.reset();
  if (!tempPath_.empty()) g_unlink(tempPath_.c_str());
  tempPath_.clear();
}

void CThumbBuilder::Cancel() {
  if (state_ == State::kEnded) return;
  DropFolderFiles();
  End(BuildResult::kCancelled);
}

void CThumbBuilder::End(BuildResult result) {
  KillAllTimers();
  state_ = State::kEnded;
  result_ = result;
  host_.End(result);
}

}  // namespace kov
