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
#include "thumbs/ThumbStrip.h"

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
    StartNextStrip();
  } else if (command == kCmdBuilderStartPoll && state_ == State::kRendering) {
    if (!timerRunning_[TimerSlot(kTimerBuildPoll)]) StartTimer(kTimerBuildPoll, kPollPeriodMs);
    // The first look at the loaded page goes out at once: waiting for the next tick
    // would cost most strips half a poll period. A look still under way was asked
    // before the load ended, so another follows its answer at once. Pictures not
    // ready yet are asked again on the ticks.
    if (captureAsked_) askAgainAtAnswer_ = true;
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
  loadAgain_ = true;
}

std::string BuilderProgressText(unsigned done, unsigned total) {
  return std::to_string(done) + " of " + std::to_string(total);
}

// The whole queue is scanned first, so the status can give the total from the first
// picture on, also for a tree.
void CThumbBuilder::StartQueue() {
  folders_.clear();
  totalCount_ = 0;
  for (std::string& folder : CollectBuildFolders(startFolder_, includeSubfolders_)) {
    if (store_.IsFolderCurrent(folder)) continue;
    std::vector<std::string> images = ScanImages(folder);
    if (images.empty()) continue;  // a folder without pictures gets no cache
    totalCount_ += static_cast<unsigned>(images.size());
    folders_.push_back({std::move(folder), std::move(images)});
  }
  nextFolder_ = 0;
  state_ = State::kChoosingFolder;
  StartTimer(kTimerBuildFolder, kBuildStepDelayMs);
}

void CThumbBuilder::ChooseNextFolder() {
  while (nextFolder_ < folders_.size()) {
    FolderWork& work = folders_[nextFolder_++];
    const size_t pictures = work.images.size();
    if (OpenFolder(work.folder, std::move(work.images))) return;
    totalCount_ -= static_cast<unsigned>(pictures);  // left as it was: none of them is made
    ShowProgress();
  }
  End(unwritable_.empty() ? BuildResult::kOk : BuildResult::kNotSaved);
}

void CThumbBuilder::ShowProgress() {
  host_.SetStatus(BuilderProgressText(doneCount_, totalCount_));
  host_.SetProgress(doneCount_, totalCount_);
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
  plan_.clear();
  strip_.clear();
  cells_.clear();
  std::string caption = BuilderCaption(baseFolder_, folder, startingCaption_);
  if (!caption.empty()) host_.SetCaption(caption);
  state_ = State::kNextImage;
  host_.Post(kCmdBuilderNextImage);
  return true;
}

void CThumbBuilder::StartNextStrip() {
  // A run of records carried over with no picture among them goes straight in.
  for (TakeStrip(); cells_.empty(); TakeStrip()) {
    if (strip_.empty()) {
      FinishFolder();
      return;
    }
    WriteStrip(std::move(strip_));
    strip_.clear();
  }
  AskDecodeAhead();
  Render();
}

// Classifies images ahead until the plan holds a strip's worth of pictures to
// render (or kStripEntries entries), so the next strip's pictures are known while
// the one before is on show.
void CThumbBuilder::FillPlan() {
  size_t renders = 0;
  for (const Entry& entry : plan_) renders += entry.render;
  while (nextImage_ < images_.size() && renders < kStripPictures && plan_.size() < kStripEntries) {
    plan_.push_back(Classify(images_[nextImage_++]));
    renders += plan_.back().render;
  }
}

CThumbBuilder::Entry CThumbBuilder::Classify(const std::string& imagePath) {
  Entry entry;
  entry.path = imagePath;
  uint64_t lastWrite = 0;
  // Placeholders are never carried over, so a picture that failed once is tried again.
  entry.render = !reader_ || !reader_->FindRecord(BaseName(imagePath), &entry.record) ||
                 entry.record.width == 0 || entry.record.height == 0 ||
                 !store_.LastWriteOf(imagePath, &lastWrite) || lastWrite != entry.record.lastWrite;
  if (entry.render) entry.record = CacheRecord();
  return entry;
}

// The strip runs from the plan's front up to its last picture to render, with the
// records carried over before and between its pictures, which are written in their
// places. A strip without pictures holds only records.
void CThumbBuilder::TakeStrip() {
  strip_.clear();
  cells_.clear();
  for (FillPlan(); !plan_.empty() && cells_.size() < kStripPictures && strip_.size() < kStripEntries;) {
    strip_.push_back(std::move(plan_.front()));
    plan_.pop_front();
    if (strip_.back().render) cells_.push_back(strip_.size() - 1);
    if (plan_.empty()) FillPlan();
  }
  // Records after the strip's last picture wait for the next strip, as its lead.
  while (!cells_.empty() && !strip_.back().render) {
    plan_.push_front(std::move(strip_.back()));
    strip_.pop_back();
  }
  FillPlan();
}

void CThumbBuilder::AskDecodeAhead() {
  std::vector<std::string> paths;
  for (size_t cell : cells_) paths.push_back(strip_[cell].path);
  for (const Entry& entry : plan_)
    if (entry.render) paths.push_back(entry.path);
  host_.DecodeAhead(paths);
}

void CThumbBuilder::Render() {
  state_ = State::kRendering;
  loadAgain_ = false;
  captureAsked_ = false;
  askAgainAtAnswer_ = false;
  waitedMs_ = 0;
  std::vector<std::string> paths;
  for (size_t cell : cells_) paths.push_back(strip_[cell].path);
  pageUrl_ = ThumbStripUrl(paths);
  host_.Navigate(pageUrl_);
  // The poll timer also measures the wait from navigation on, so a page that
  // never reports its load still ends; its cells are probed on every tick, so a
  // cell that never completes does not hold back the others.
  StartTimer(kTimerBuildPoll, kPollPeriodMs);
}

void CThumbBuilder::Poll() {
  waitedMs_ += kPollPeriodMs;
  if (waitedMs_ >= kRenderWaitLimitMs) {
    FinishStrip();
    return;
  }
  if (loadAgain_) {
    loadAgain_ = false;
    host_.Navigate(pageUrl_);
    return;
  }
  RequestCaptureOnce();
}

void CThumbBuilder::RequestCaptureOnce() {
  if (captureAsked_) return;  // one request at a time; its answer comes first
  captureAsked_ = true;
  host_.RequestCapture(++captureToken_);
}

void CThumbBuilder::OnCapture(unsigned token, const std::vector<CaptureResult>& cells) {
  // An answer for a strip that has been given up on, or a second answer, is stale.
  if (state_ != State::kRendering || !captureAsked_ || token != captureToken_) return;
  captureAsked_ = false;
  if (cells.size() != cells_.size()) return;  // not this strip's page: asked again
  bool settledNow = false, open = false;
  for (size_t i = 0; i < cells.size(); ++i) {
    Entry& entry = strip_[cells_[i]];
    if (entry.settled) continue;
    if (cells[i].status == CaptureResult::Status::kNotReady) {
      open = true;
      continue;
    }
    entry.settled = settledNow = true;
    entry.capture = cells[i];
  }
  if (settledNow && !host_.IsShown()) {
    Cancel();
    return;
  }
  if (!open) {
    FinishStrip();
  } else if (askAgainAtAnswer_) {
    askAgainAtAnswer_ = false;
    RequestCaptureOnce();
  }  // otherwise the rest is asked again at the next poll
}

void CThumbBuilder::FinishStrip() {
  KillTimer(kTimerBuildPoll);
  std::vector<Entry> finished = std::move(strip_);
  // The next strip's page loads while this one's thumbnails are quantised and
  // stored; they go into the cache first, so the records keep the folder's order.
  TakeStrip();
  const bool rendering = !cells_.empty();
  if (rendering) {
    AskDecodeAhead();
    Render();
  } else {
    // Records only, or the folder's end: the next step goes through the main loop.
    while (!strip_.empty()) {
      plan_.push_front(std::move(strip_.back()));
      strip_.pop_back();
    }
  }
  if (state_ == State::kEnded) return;  // cancelled as the next strip began
  WriteStrip(std::move(finished));
  ShowProgress();
  if (!rendering) {
    state_ = State::kNextImage;
    host_.Post(kCmdBuilderNextImage);
  }
}

void CThumbBuilder::WriteStrip(std::vector<Entry> entries) {
  for (const Entry& entry : entries) {
    ++doneCount_;
    if (!entry.render) {
      writer_->AppendRecord(entry.record, nullptr);
      continue;
    }
    ++renderedCount_;
    StoreRendered(entry);
  }
}

void CThumbBuilder::StoreRendered(const Entry& entry) {
  if (!entry.settled) {
    // Out of time is not given up for good: without a record the folder stays
    // stale, so the next visit or F3 tries the picture again.
    if (TraceEnabled()) TraceLine("builder timed out, no record " + entry.path);
  } else if (!StoreCapture(entry.path, entry.capture)) {
    if (TraceEnabled())
      TraceLine("builder placeholder " + entry.path +
                (entry.capture.status == CaptureResult::Status::kCaptured ? " (not stored)"
                                                                           : " (not a picture)"));
    StorePlaceholder(entry.path);
  }
}

bool CThumbBuilder::StoreCapture(const std::string& imagePath, const CaptureResult& capture) {
  if (capture.status != CaptureResult::Status::kCaptured) return false;
  // The page showed the picture reduced by the page server, which knows its real
  // size; a picture the engine received whole reports its own.
  int32_t width = capture.naturalWidth, height = capture.naturalHeight;
  RecallNaturalSize(imagePath, &width, &height);
  return writer_->AppendCapture(imagePath, capture.dib, height, width, nullptr);
}

void CThumbBuilder::StorePlaceholder(const std::string& imagePath) {
  std::string placeholder;
  if (store_.LoadPlaceholder(&placeholder)) writer_->AppendFile(imagePath, placeholder, 0, 0, nullptr);
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
  plan_.clear();
  strip_.clear();
  cells_.clear();
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
  host_.DecodeAhead({});
  state_ = State::kEnded;
  result_ = result;
  host_.End(result);
}

}  // namespace kov
