// The page views: which pane is in front and what it shows.
#include "app/Viewer.h"
#include "app/logic/ThumbnailView.h"
#include "base/TextEscape.h"
#include "res/CommandIds.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/gui/ThumbBuilderDlg.h"

namespace kov {

void CViewer::OpenSelectedFolder() { OpenFolder(parts_.folderTree.GetSelectedPath()); }

// The folder named on the command line: selected in the tree (where the tree can
// reach it) so that the tools see it as the chosen folder, but never stored as
// "imgfolder". A picture is shown over its folder's thumbnails, so Escape goes back to
// them and Return walks on from it.
void CViewer::OpenStartPath() {
  if (startFolder_.empty()) return;
  std::string folder, picture;
  folder.swap(startFolder_);
  picture.swap(startPicture_);
  parts_.folderTree.SelectPath(folder);
  OpenFolder(folder);
  if (picture.empty()) return;
  walker_.SelectImage(picture);
  ShowImage(picture);
}

void CViewer::OpenFolder(const std::string& root) {
  parts_.info.RunScript(ClearInfoStatement());
  slideShow_.Stop();
  bool current = false;
  const bool openedAhead = options_.folderAhead && options_.folderAhead->Take(root, &walker_, &current);
  if (!openedAhead) walker_.Open(root);
  SetFolderMusic(walker_.CurrentFolder());
  ShowThumbnails(false, openedAhead ? &current : nullptr);
}

void CViewer::ShowThumbnails(bool reload, const bool* folderCurrent) {
  CThumbListDlg& list = parts_.thumbList;
  list.Activate();
  parts_.toolbar.SetTooltip(kBtnQuitOrBack, StringId::kTipQuit);
  // The last picture is dropped. A pane that shows none (not sent a page yet, or the
  // blank page last) is left alone: at start a blank page would come before the list
  // page in the one web process.
  const std::string& shown = parts_.imageView.navigatedUrl();
  if (!shown.empty() && shown != kBlankPageUrl) parts_.imageView.Navigate(kBlankPageUrl);
  const std::string folder = walker_.CurrentFolder();
  ThumbnailStep step =
      DecideThumbnailStep(folder, list.shownFolder(), reload, [folderCurrent](const std::string& f) {
        return folderCurrent ? *folderCurrent : IsFolderCurrent(f);
      });
  if (step == ThumbnailStep::kNothing) return;
  if (step == ThumbnailStep::kBuildThenShowList) {
    StartMusic();  // the build takes a while: the music plays over it
    GtkWindow* parent = GetDialogParent();
    ShowToolbar(false);
    // Whatever the builder's outcome, the list shows what the cache now holds.
    RunThumbnailBuilder(parent, walker_.RootFolder(), folder, false);
    ShowToolbar(true);
  }
  list.ShowFolder(folder);
}

void CViewer::ShowImage(const std::string& path) {
  CImageViewDlg& view = parts_.imageView;
  view.Activate();
  const std::string url = "kovp://image/" + PercentEncodePath(path);
  view.Navigate(url);
  if (viewing_) viewing_->OnPictureShown(path, url);
  parts_.toolbar.SetTooltip(kBtnQuitOrBack, QuitButtonTooltipForImage(thumbnailCount_));
  SetFolderMusic(walker_.CurrentFolder());
}

void CViewer::ShowNextImage() { StepImage(SlideDirection::kForward); }

void CViewer::ShowPreviousImage() { StepImage(SlideDirection::kBackward); }

void CViewer::StepImage(SlideDirection direction) {
  std::string path = direction == SlideDirection::kForward ? walker_.NextImage() : walker_.PreviousImage();
  if (path.empty())
    ShowNoImages();
  else
    ShowImage(path);
}

void CViewer::BeginShuffledShow() {
  if (viewing_) viewing_->DealWalk();
}

void CViewer::ShowShuffledImage() {
  if (viewing_)
    viewing_->ShowShuffledPicture();
  else
    ShowNextImage();
}

void CViewer::StartMusic() {
  if (musicStarted_) return;
  musicStarted_ = true;
  parts_.info.LoadBackground();  // the music plays from that page
  std::string statement = music_.StatementFor(musicHeld_ ? heldMusicFolder_ : walker_.CurrentFolder());
  // Nothing plays yet, so even no folder at all gets the built-in music.
  parts_.info.RunScript(statement.empty() ? SetSoundStatement(options_.builtInMusicUrl) : statement);
}

void CViewer::ShowNoImages() {
  StartMusic();
  slideShow_.Stop();
  parts_.info.Activate();
  parts_.info.RunScript(NoImagesStatement(walker_.CurrentFolder()));
}

void CViewer::SetFolderMusic(const std::string& folder) {
  if (!musicStarted_) {
    heldMusicFolder_ = folder, musicHeld_ = true;
    return;
  }
  std::string statement = music_.StatementFor(folder);
  if (!statement.empty()) parts_.info.RunScript(statement);
}

}  // namespace kov
