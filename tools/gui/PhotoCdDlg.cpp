// The photo-CD dialog's window.
#include "tools/gui/PhotoCdDlg.h"

#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "thumbs/gui/ThumbBuilderDlg.h"
#include "tools/PhotoCd.h"
#include "tools/gui/DialogParts.h"
#include "folders/gui/FolderPicker.h"
#include "widgets/MessageBox.h"

namespace kov {
namespace {

GtkWidget* CheckBox(const char* text) {
  GtkWidget* box = gtk_check_button_new_with_label(text);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box), TRUE);
  return box;
}

bool IsChecked(GtkWidget* box) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(box)) != FALSE; }

}  // namespace

CPhotoCdDlg::~CPhotoCdDlg() {
  if (dialog_ != nullptr) gtk_widget_destroy(dialog_);
}

void CPhotoCdDlg::Create(GtkWindow* parent) {
  if (dialog_ != nullptr) return;
  dialog_ = NewToolDialog(parent, "Prepare Photo CD");
  GtkWidget* content = ToolDialogContent(dialog_, 10, 6);
  AddLeftLabel(content, "Select the folder that will be the root folder of the photo CD:");
  folderBox_ = AddFolderRow(
      content, rootFolder_, [](GtkButton*, gpointer self) { static_cast<CPhotoCdDlg*>(self)->OnBrowse(); }, this,
      &browse_);

  thumbnails_ = CheckBox("Create thumbnails");
  autorun_ = CheckBox("KOV autorun");
  gtk_box_pack_start(GTK_BOX(content), thumbnails_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), autorun_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 4);

  // A failure keeps the dialog open, so OK answers the dialog only when the work is done.
  ok_ = AddWorkButtons(
      dialog_, content, [](GtkButton*, gpointer self) { static_cast<CPhotoCdDlg*>(self)->OnOK(); }, this, &cancel_);
  gtk_widget_show_all(content);
  UpdateOkButton();
}

bool CPhotoCdDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  return RunToolDialog(dialog_);
}

void CPhotoCdDlg::UpdateOkButton() { gtk_widget_set_sensitive(ok_, CanPreparePhotoCd(rootFolder_)); }

void CPhotoCdDlg::OnBrowse() {
  std::string path = rootFolder_;
  if (!BrowseForFolder(GTK_WINDOW(dialog_), &path, true)) return;
  rootFolder_ = path;
  gtk_entry_set_text(GTK_ENTRY(folderBox_), DisplayName(rootFolder_).c_str());
  UpdateOkButton();
}

void CPhotoCdDlg::OnOK() {
  UpdateOkButton();
  if (!CanPreparePhotoCd(rootFolder_)) return;
  GtkWindow* self = GTK_WINDOW(dialog_);
  std::string error;
  bool ownScriptKept = false;
  switch (WritePhotoCdFiles(rootFolder_, IsChecked(autorun_), kRunningProgram, &error, &ownScriptKept)) {
    case PhotoCdOutcome::kAutorunFailed:
      TraceLine("photo CD: " + error);
      GetMessageBox().ShowMessage(self, StringId::kAutorunFailed, GTK_MESSAGE_WARNING);
      return;
    case PhotoCdOutcome::kProgramFailed:
      TraceLine("photo CD: " + error);
      GetMessageBox().ShowMessage(self, StringId::kProgramCopyFailed, GTK_MESSAGE_WARNING);
      return;
    case PhotoCdOutcome::kFilesWritten: break;
  }
  if (ownScriptKept) GetMessageBox().ShowNotice(self, kOwnAutorunKeptText);
  if (IsChecked(thumbnails_)) {
    std::vector<UnsavedCache> unsaved;
    switch (RunFolderCacheBuilder(self, rootFolder_, &unsaved)) {
      case BuildResult::kCancelled:  // without a message; what was made stays
        gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_CANCEL);
        return;
      case BuildResult::kNotSaved:  // the disc would lack them: that is not "Done!"
        GetMessageBox().ShowNotice(self, FoldersLeftWithoutThumbnailsText(unsaved));
        gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_CANCEL);
        return;
      case BuildResult::kOk: break;
    }
  }
  GetMessageBox().ShowMessage(self, StringId::kPhotoCdDone, GTK_MESSAGE_INFO);
  gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_OK);
}

}  // namespace kov
