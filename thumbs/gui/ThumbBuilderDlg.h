#pragma once
// The modal "Creating Thumbnails" window: a small topmost window centred on the
// screen with a browser pane that renders the pictures a strip at a time, each
// through the thumbnail-making page in a cell of its own, a bar and a status text
// with the pictures done out of the total ("7 of 21"), and a Cancel button. It is
// the window the thumbnail builder's steps (CThumbBuilder) run in: their timers, posted commands, page loads and captures. The capture is
// a snapshot of what the engine painted, cut into the pictures' rectangles.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "formats/DecodeAhead.h"
#include "platform/CommandQueue.h"
#include "platform/Timers.h"
#include "thumbs/PictureProbe.h"
#include "thumbs/ThumbBuilder.h"
#include "widgets/BrowserPane.h"

namespace kov {

// Where a run's time went, summed over its rendered pictures (milliseconds).
struct BuilderPhaseTimes {
  unsigned pictures = 0;   // pictures that reached the store
  double load = 0;         // navigation until the page reported its load
  double pollWait = 0;     // load until the first probe of the picture
  double probe = 0;        // probing, including probes that found it not ready yet
  double snapshot = 0;     // the engine painting the snapshot
  double store = 0;        // cropping, quantising, encoding and writing the record
};

class CThumbBuilderDlg : private IThumbBuilderHost {
 public:
  // The window's size in pixels: a drawn caption strip on top, then the pane that
  // renders each picture and, under it, the status line and Cancel.
  static constexpr int kWidth = 275;
  static constexpr int kClientHeight = 242;
  static constexpr int kCaptionHeight = 18;
  static constexpr int kPaneHeight = 208;  // the pane; the status row takes the rest

  // store: where caches are read and written; nullptr for the real cache files.
  CThumbBuilderDlg(const std::string& baseFolder, const std::string& startFolder,
                   bool includeSubfolders, std::unique_ptr<IThumbStore> store = nullptr);
  ~CThumbBuilderDlg() override;
  CThumbBuilderDlg(const CThumbBuilderDlg&) = delete;
  CThumbBuilderDlg& operator=(const CThumbBuilderDlg&) = delete;

  // Makes the hidden window, centred on the screen; false when the pane cannot be made.
  bool Create(GtkWindow* parent);
  // Shows the window and runs a nested main loop until every folder is done or the
  // build is cancelled; the window is hidden again on return.
  BuildResult Run();

  // Called with every new status text (the count of rendered pictures) of any builder
  // window, and that window; the screenshot driver of unattended runs watches the
  // progress with it.
  using StatusObserverFn = std::function<void(const std::string& status, GtkWidget* window)>;
  static void SetStatusObserver(StatusObserverFn observer);
  // Cancel button, Escape, Alt held at capture time.
  void OnCancel();

  GtkWidget* window() const { return window_; }
  GtkWidget* cancelButton() const { return cancel_; }
  GtkWidget* statusLabel() const { return status_; }
  std::string StatusText() const;
  std::string CaptionText() const;
  unsigned RenderedCount() const { return builder_->RenderedCount(); }
  unsigned DoneCount() const { return builder_->DoneCount(); }  // rendered or carried over
  const std::vector<UnsavedCache>& UnwritableFolders() const { return builder_->UnwritableFolders(); }
  const BuilderPhaseTimes& PhaseTimes() const { return times_; }

 private:
  struct SnapshotRequest;

  void BuildWidgets(GtkWindow* parent);
  void OnCommand(int command);
  void ShowInStripPage(const std::string& url, const std::vector<std::string>& paths);
  void OnProbe(unsigned token, bool ok, const std::string& json);
  void OnSnapshot(const SnapshotRequest& request, cairo_surface_t* snapshot);
  // The cells' answers as far as the probe alone gives them: failed or not ready.
  static std::vector<CaptureResult> AnswerWithoutSnapshot(const SnapshotRequest& request);
  // A cell's probed rectangle of the snapshot as a 24-bit DIB, or a failed capture.
  CaptureResult CropSnapshot(const PictureProbe& probe, const CaptureRect& cell,
                             cairo_surface_t* snapshot);
  // When the strip on show reached each phase (microseconds; 0 not yet).
  struct StripStamps {
    int64_t navigated = 0, loaded = 0, firstProbe = 0, probed = 0, snapped = 0;
  };
  // Adds one strip's time per phase to the totals the benchmark reads; its store
  // includes starting the next strip, whose page loads meanwhile.
  void AddPhaseTimes(const StripStamps& stamps, int64_t storedAt, unsigned pictures);
  void Answer(unsigned token, const std::vector<CaptureResult>& cells);
  static void OnSnapshotReady(GObject* view, GAsyncResult* result, gpointer data);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);

  // IThumbBuilderHost
  void Navigate(const std::string& url) override;
  void StartTimer(int timerId, unsigned periodMs) override;
  void KillTimer(int timerId) override;
  void Post(int command) override;
  void RequestCapture(unsigned token) override;
  void DecodeAhead(const std::vector<std::string>& paths) override;
  void SetCaption(const std::string& text) override;
  void SetStatus(const std::string& text) override;
  void SetProgress(unsigned done, unsigned total) override;
  bool IsShown() override;
  void End(BuildResult result) override;

  std::unique_ptr<IThumbStore> store_;
  TimerSet timers_;
  CommandTarget target_ = 0;
  GtkWidget* window_ = nullptr;
  GtkWidget* caption_ = nullptr;
  GtkWidget* status_ = nullptr;
  GtkWidget* progress_ = nullptr;  // the bar of pictures done, drawn by the dialog
  double progressFraction_ = 0;     // its part done, 0 to 1
  GtkWidget* cancel_ = nullptr;
  std::unique_ptr<CNotifyBrowserPane> pane_;
  GCancellable* snapshots_ = nullptr;  // cancels snapshots still running at destruction
  std::unique_ptr<CThumbBuilder> builder_;
  // Decodes the next strips' pictures on the other cores while one is painted and stored.
  std::shared_ptr<CDecodeAhead> decodeAhead_;
  std::string stripUrl_;  // the strip page navigated to last, and its number of cells
  size_t stripCells_ = 0;
  bool stripPageLoaded_ = false;  // the pane holds a strip page, which shows the next strips
  GMainLoop* loop_ = nullptr;
  bool ended_ = false;
  BuildResult result_ = BuildResult::kCancelled;

  BuilderPhaseTimes times_;
  StripStamps stamps_;
};

// Runs the builder's window modally over parent: true when every folder was done,
// false when the build was cancelled, the window could not be made, or a folder's
// thumbnails could be saved nowhere (the user is told of each such folder once).
bool RunThumbnailBuilder(GtkWindow* parent, const std::string& base, const std::string& start,
                         bool recursive);

// Builds base's whole tree for a disc (CThumbCacheStore::WriteOnlyFolderCaches):
// kNotSaved with the folders that cannot hold a cache of their own, and why, in
// *unsaved, which the caller names; kCancelled also when the window could not be made.
BuildResult RunFolderCacheBuilder(GtkWindow* parent, const std::string& base,
                                  std::vector<UnsavedCache>* unsaved);

}  // namespace kov
