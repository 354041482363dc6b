// The viewer's tool dialogs: About, background picture and music, thumbnails for a
// web page and the photo CD.
#include "app/Viewer.h"
#include "res/CommandIds.h"
#include "tools/gui/AboutDlg.h"
#include "tools/gui/BackgroundDlg.h"
#include "tools/gui/PhotoCdDlg.h"
#include "tools/gui/WebThumbDlg.h"

namespace kov {
namespace {

int PreviewCommand(BackgroundPreview preview) {
  switch (preview) {
    case BackgroundPreview::kBuiltInMusic: return kCmdPreviewBuiltInMusic;
    case BackgroundPreview::kBuiltInPicture: return kCmdPreviewBuiltInPicture;
    case BackgroundPreview::kChosenMusic: return kCmdPreviewMusic;
    case BackgroundPreview::kChosenPicture: return kCmdPreviewPicture;
    case BackgroundPreview::kFolderOwn: return kCmdReapplyBackground;
    case BackgroundPreview::kNone: break;
  }
  return 0;
}

}  // namespace

template <typename Dialog>
void CViewer::RunModal(Dialog& dialog) {
  slideShow_.Stop();
  GtkWindow* parent = GetDialogParent();
  ShowToolbar(false);
  dialog.DoModal(parent);
  ShowToolbar(true);
}

bool CViewer::RunToolCommand(int id) {
  switch (id) {
    case kCmdAbout: {
      CAboutDlg about;
      RunModal(about);
      return true;
    }
    case kCmdBackground: RunBackgroundDialog(); return true;
    case kBtnPhotoCd: {
      // The folder opened, which the tree shows selected; the tree's cursor may stand
      // elsewhere (moved and cancelled, or a folder the tree cannot reach).
      CPhotoCdDlg dialog(walker_.RootFolder());
      RunModal(dialog);
      return true;
    }
    case kCmdWebThumbnails: {
      CWebThumbDlg dialog;
      RunModal(dialog);
      return true;
    }
    case kCmdPreviewMusic:
      if (background_ != nullptr)
        parts_.info.RunScript(SetSoundStatement(FileUrl(background_->choice().musicPath())));
      return true;
    case kCmdPreviewPicture:
      if (background_ != nullptr)
        parts_.imageView.RunScript(SetBackgroundStatement(FileUrl(background_->choice().picturePath())));
      return true;
    default: return false;
  }
}

void CViewer::RunBackgroundDialog() {
  CBackgroundDlg dialog(GetCurrentFolder(), [this](BackgroundPreview preview) {
    if (int command = PreviewCommand(preview)) PostCommand(target_, command);
  });
  background_ = &dialog;
  RunModal(dialog);
  background_ = nullptr;
}

}  // namespace kov
