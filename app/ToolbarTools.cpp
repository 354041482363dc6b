// The toolbar's tool dialogs: About, background picture and music, thumbnails for a
// web page and the photo CD.
#include "app/MainDlg.h"
#include "app/ToolbarDlg.h"
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

bool CToolbarDlg::RunToolCommand(int id) {
  switch (id) {
    case kCmdAbout: {
      // As around every modal tool: the slide show would restack the panes over
      // the dialog, and the toolbar would be drawn enabled while it takes no clicks.
      slideShow_.Stop();
      GtkWindow* parent = GetDialogParent();
      CAboutDlg about;
      Show(false);
      about.DoModal(parent);
      Show(true);
      return true;
    }
    case kCmdBackground: RunBackgroundDialog(); return true;
    case kBtnPhotoCd: RunPhotoCdDialog(); return true;
    case kCmdWebThumbnails: RunWebThumbDialog(); return true;
    case kCmdPreviewMusic:
      if (background_ != nullptr)
        main_.info().RunScript(SetSoundStatement(FileUrl(background_->choice().musicPath())));
      return true;
    case kCmdPreviewPicture:
      if (background_ != nullptr)
        main_.imageView().RunScript(SetBackgroundStatement(FileUrl(background_->choice().picturePath())));
      return true;
    default: return false;
  }
}

void CToolbarDlg::RunBackgroundDialog() {
  CBackgroundDlg dialog(GetCurrentFolder(), [this](BackgroundPreview preview) {
    if (int command = PreviewCommand(preview)) PostCommand(target_, command);
  });
  slideShow_.Stop();
  GtkWindow* parent = GetDialogParent();
  background_ = &dialog;
  Show(false);
  dialog.DoModal(parent);
  Show(true);
  background_ = nullptr;
}

void CToolbarDlg::RunPhotoCdDialog() {
  slideShow_.Stop();
  GtkWindow* parent = GetDialogParent();
  // The folder opened, which the tree shows selected; the tree's cursor may stand
  // elsewhere (moved and cancelled, or a folder the tree cannot reach).
  CPhotoCdDlg dialog(walker_.RootFolder());
  Show(false);
  dialog.DoModal(parent);
  Show(true);
}

void CToolbarDlg::RunWebThumbDialog() {
  slideShow_.Stop();
  GtkWindow* parent = GetDialogParent();
  CWebThumbDlg dialog;
  Show(false);
  dialog.DoModal(parent);
  Show(true);
}

}  // namespace kov
