// The toolbar's page views: which pane is in front and what it shows.
#include "app/MainDlg.h"
#include "app/ToolbarDlg.h"
#include "app/logic/ThumbnailView.h"
#include "base/TextEscape.h"
#include "pages/BridgeState.h"
#include "res/CommandIds.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/gui/ThumbBuilderDlg.h"

namespace kov {

void CToolbarDlg::OpenSelectedFolder() { OpenFolder(main_.folderTree().GetSelectedPath()); }

// The folder named on the command line: selected in the tree (where the tree can
// reach it) so that the tools see it as the chosen folder, but never stored as
// "imgfolder". A picture is shown over its folder's thumbnails, so Escape goes back to
// them and Return walks on from it.
void CToolbarDlg::OpenStartPath() {
  if (startFolder_.empty()) return;
  std::string folder, picture;
  folder.swap(startFolder_);
  picture.swap(startPicture_);
  main_.folderTree().SelectPath(folder);
  OpenFolder(folder);
  if (picture.empty()) return;
  walker_.SelectImage(picture);
  ShowImage(picture);
}

void CToolbarDlg::OpenFolder(const std::string& root) {
  main_.info().RunScript(ClearInfoStatement());
  slideShow_.Stop();
  walker_.Open(root);
  SetFolderMusic(walker_.CurrentFolder());
  ShowThumbnails(false);
}

void CToolbarDlg::ShowThumbnails(bool reload) {
  CThumbListDlg& list = main_.thumbList();
  list.Activate();
  SetTooltip(kBtnQuitOrBack, StringId::kTipQuit);
  main_.imageView().Navigate("kovp://blank/");  // the last picture is dropped
  const std::string folder = walker_.CurrentFolder();
  ThumbnailStep step = DecideThumbnailStep(folder, list.shownFolder(), reload,
                                           [](const std::string& f) { return IsFolderCurrent(f); });
  if (step == ThumbnailStep::kNothing) return;
  if (step == ThumbnailStep::kBuildThenShowList) {
    StartMusic();  // the build takes a while: the music plays over it
    GtkWindow* parent = GetDialogParent();
    Show(false);
    // Whatever the builder's outcome, the list shows what the cache now holds.
    RunThumbnailBuilder(parent, walker_.RootFolder(), folder, false);
    Show(true);
  }
  list.ShowFolder(folder);
}

void CToolbarDlg::ShowImage(const std::string& path) {
  CImageViewDlg& view = main_.imageView();
  view.Activate();
  const std::string url = "kovp://image/" + PercentEncodePath(path);
  view.Navigate(url);
  if (viewing_) viewing_->OnPictureShown(path, url);
  SetTooltip(kBtnQuitOrBack, QuitButtonTooltipForImage(ThumbnailCount()));
  SetFolderMusic(walker_.CurrentFolder());
}

void CToolbarDlg::ShowNextImage() {
  std::string path = walker_.NextImage();
  if (path.empty())
    ShowNoImages();
  else
    ShowImage(path);
}

void CToolbarDlg::ShowPreviousImage() {
  std::string path = walker_.PreviousImage();
  if (path.empty())
    ShowNoImages();
  else
    ShowImage(path);
}

void CToolbarDlg::BeginShuffledShow() {
  if (viewing_) viewing_->DealWalk();
}

void CToolbarDlg::ShowShuffledImage() {
  if (viewing_)
    viewing_->ShowShuffledPicture();
  else
    ShowNextImage();
}

void CToolbarDlg::StartMusic() {
  if (musicStarted_) return;
  musicStarted_ = true;
  main_.info().LoadBackground();  // the music plays from that page
  std::string statement = music_.StatementFor(musicHeld_ ? heldMusicFolder_ : walker_.CurrentFolder());
  // Nothing plays yet, so even no folder at all gets the built-in music.
  main_.info().RunScript(statement.empty() ? SetSoundStatement(builtInMusicUrl_) : statement);
}

void CToolbarDlg::ShowNoImages() {
  StartMusic();
  slideShow_.Stop();
  main_.info().Activate();
  main_.info().RunScript(NoImagesStatement(walker_.CurrentFolder()));
}

void CToolbarDlg::SetFolderMusic(const std::string& folder) {
  if (!musicStarted_) {
    heldMusicFolder_ = folder, musicHeld_ = true;
    return;
  }
  std::string statement = music_.StatementFor(folder);
  if (!statement.empty()) main_.info().RunScript(statement);
}

}  // namespace kov
