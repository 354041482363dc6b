// The photo-CD dialog's window.
#include "tools/gui/PhotoCdDlg.h"

#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "thumbs/gui/ThumbBuilderDlg.h"
#include "tools/PhotoCd.h"
#include "tools/gui/FolderPicker.h"
#include "widgets/MessageBox.h"

namespace kov {
namespace {

constexpr int kAutorunFailedString = 5012;
constexpr int kDoneString = 5013;
constexpr int kProgramFailedString = 5014;

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
  dialog_ = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog_), "Prepare Photo CD");
  gtk_window_set_modal(GTK_WINDOW(dialog_), TRUE);
  if (parent != nullptr) gtk_window_set_transient_for(GTK_WINDOW(dialog_), parent);
  gtk_window_set_position(GTK_WINDOW(dialog_), GTK_WIN_POS_CENTER);

  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog_));
  gtk_container_set_border_width(GTK_CONTAINER(content), 10);
  gtk_box_set_spacing(GTK_BOX(content), 6);
  GtkWidget* title = gtk_label_new("Select the folder that will be the root folder of the photo CD:");
  gtk_widget_set_halign(title, GTK_ALIGN_START);
  gtk_box_pack_start(GTK_BOX(content), title, FALSE, FALSE, 0);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  folderBox_ = gtk_entry_new();
  gtk_editable_set_editable(GTK_EDITABLE(folderBox_), FALSE);  // the folder changes through "..." only
  gtk_entry_set_width_chars(GTK_ENTRY(folderBox_), 40);
  gtk_entry_set_text(GTK_ENTRY(folderBox_), DisplayName(rootFolder_).c_str());
  browse_ = gtk_button_new_with_label("...");
  g_signal_connect(browse_, "clicked",
                   G_CALLBACK(+[](GtkButton*, gpointer self) { static_cast<CPhotoCdDlg*>(self)->OnBrowse(); }), this);
  gtk_box_pack_start(GTK_BOX(row), folderBox_, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(row), browse_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 0);

  thumbnails_ = CheckBox("Create thumbnails");
  autorun_ = CheckBox("KOV autorun");
  gtk_box_pack_start(GTK_BOX(content), thumbnails_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), autorun_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 4);

  // OK is an ordinary button, not one of the dialog's answers: a failure keeps the
  // dialog open, so OK answers the dialog only when the work is done.
  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(buttons), 6);
  ok_ = gtk_button_new_with_label("OK");
  cancel_ = gtk_button_new_with_label("Cancel");
  g_signal_connect(ok_, "clicked",
                   G_CALLBACK(+[](GtkButton*, gpointer self) { static_cast<CPhotoCdDlg*>(self)->OnOK(); }), this);
  g_signal_connect(cancel_, "clicked", G_CALLBACK(+[](GtkButton*, gpointer dialog) {
                     gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
                   }),
                   dialog_);
  gtk_container_add(GTK_CONTAINER(buttons), ok_);
  gtk_container_add(GTK_CONTAINER(buttons), cancel_);
  gtk_box_pack_start(GTK_BOX(content), buttons, FALSE, FALSE, 0);
  gtk_widget_show_all(content);
  UpdateOkButton();
}

bool CPhotoCdDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  gtk_widget_show(dialog_);
  gtk_window_present(GTK_WINDOW(dialog_));
  bool ok = gtk_dialog_run(GTK_DIALOG(dialog_)) == GTK_RESPONSE_OK;
  gtk_widget_hide(dialog_);
  return ok;
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
  switch (WritePhotoCdFiles(rootFolder_, IsChecked(autorun_), kRunningProgram, &error)) {
    case PhotoCdOutcome::kAutorunFailed:
      TraceLine("photo CD: " + error);
      GetMessageBox().ShowMessage(self, kAutorunFailedString, GTK_MESSAGE_WARNING);
      return;
    case PhotoCdOutcome::kProgramFailed:
      TraceLine("photo CD: " + error);
      GetMessageBox().ShowMessage(self, kProgramFailedString, GTK_MESSAGE_WARNING);
      return;
    case PhotoCdOutcome::kFilesWritten: break;
  }
  // A cancelled build ends the dialog without a message; what was made stays.
  if (IsChecked(thumbnails_) && !RunThumbnailBuilder(self, rootFolder_, rootFolder_, true)) {
    gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_CANCEL);
    return;
  }
  GetMessageBox().ShowMessage(self, kDoneString, GTK_MESSAGE_INFO);
  gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_OK);
}

}  // namespace kov
