// The web-page thumbnails dialog's window.
#include "tools/gui/WebThumbDlg.h"

#include <sys/stat.h>

#include <memory>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "platform/UriLauncher.h"
#include "thumbs/gui/ThumbBuilderDlg.h"
#include "tools/Settings.h"
#include "tools/WebThumbStore.h"
#include "tools/gui/FolderPicker.h"

namespace kov {
namespace {

constexpr char kFolderSetting[] = "webthumbimgdir";

bool IsFolder(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FileUri(const std::string& path) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string text = uri ? uri : "";
  g_free(uri);
  return text;
}

}  // namespace

CWebThumbDlg::CWebThumbDlg() {
  if (!GetSetting(kFolderSetting, &imagesFolder_)) imagesFolder_.clear();
}

CWebThumbDlg::~CWebThumbDlg() {
  if (dialog_ != nullptr) gtk_widget_destroy(dialog_);
}

void CWebThumbDlg::Create(GtkWindow* parent) {
  if (dialog_ != nullptr) return;
  dialog_ = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog_), "Create Thumbnails for Web Page");
  gtk_window_set_modal(GTK_WINDOW(dialog_), TRUE);
  if (parent != nullptr) gtk_window_set_transient_for(GTK_WINDOW(dialog_), parent);
  gtk_window_set_position(GTK_WINDOW(dialog_), GTK_WIN_POS_CENTER);

  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog_));
  gtk_container_set_border_width(GTK_CONTAINER(content), 10);
  gtk_box_set_spacing(GTK_BOX(content), 6);
  GtkWidget* title = gtk_label_new("Images Folder:");
  gtk_widget_set_halign(title, GTK_ALIGN_START);
  gtk_box_pack_start(GTK_BOX(content), title, FALSE, FALSE, 0);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  folderBox_ = gtk_entry_new();
  gtk_editable_set_editable(GTK_EDITABLE(folderBox_), FALSE);  // the folder changes through "..." only
  gtk_entry_set_width_chars(GTK_ENTRY(folderBox_), 40);
  gtk_entry_set_text(GTK_ENTRY(folderBox_), DisplayName(imagesFolder_).c_str());
  browse_ = gtk_button_new_with_label("...");
  g_signal_connect(browse_, "clicked",
                   G_CALLBACK(+[](GtkButton*, gpointer self) { static_cast<CWebThumbDlg*>(self)->OnBrowse(); }),
                   this);
  gtk_box_pack_start(GTK_BOX(row), folderBox_, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(row), browse_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 0);

  GtkWidget* status = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  open_ = gtk_check_button_new_with_label("Open the HTML file when finished.");
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(open_), TRUE);
  count_ = gtk_label_new("");
  gtk_box_pack_start(GTK_BOX(status), open_, TRUE, TRUE, 0);
  gtk_box_pack_end(GTK_BOX(status), count_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), status, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 4);

  // OK starts the work and answers the dialog only when it is done.
  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(buttons), 6);
  ok_ = gtk_button_new_with_label("OK");
  cancel_ = gtk_button_new_with_label("Cancel");
  g_signal_connect(ok_, "clicked",
                   G_CALLBACK(+[](GtkButton*, gpointer self) { static_cast<CWebThumbDlg*>(self)->OnOK(); }), this);
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

bool CWebThumbDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  gtk_widget_show(dialog_);
  gtk_window_present(GTK_WINDOW(dialog_));
  bool ok = gtk_dialog_run(GTK_DIALOG(dialog_)) == GTK_RESPONSE_OK;
  gtk_widget_hide(dialog_);
  return ok;
}

void CWebThumbDlg::UpdateOkButton() { gtk_widget_set_sensitive(ok_, IsFolder(imagesFolder_)); }

void CWebThumbDlg::OnBrowse() {
  std::string path = imagesFolder_;
  if (!BrowseForFolder(GTK_WINDOW(dialog_), &path, false)) return;
  imagesFolder_ = path;
  SetSetting(kFolderSetting, imagesFolder_);
  gtk_entry_set_text(GTK_ENTRY(folderBox_), DisplayName(imagesFolder_).c_str());
  UpdateOkButton();
}

void CWebThumbDlg::OnOK() {
  if (!IsFolder(imagesFolder_)) return UpdateOkButton();
  gtk_widget_set_sensitive(ok_, FALSE);
  gtk_widget_set_sensitive(browse_, FALSE);
  entries_.clear();
  RemoveOldWebThumbs(imagesFolder_);

  // The pictures are rendered and captured in the builder's window, over this one.
  CThumbBuilderDlg builder(imagesFolder_, imagesFolder_, false, std::make_unique<CWebThumbStore>(&entries_));
  bool finished = builder.Create(GTK_WINDOW(dialog_)) && builder.Run() == BuildResult::kOk;
  gtk_label_set_text(GTK_LABEL(count_), std::to_string(builder.RenderedCount()).c_str());
  if (!finished) {
    // The thumbnails made so far stay; an older page stays as it was.
    gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_CANCEL);
    return;
  }
  std::string error;
  bool written = WriteThumbListPage(imagesFolder_, entries_, &error);
  if (!written) TraceLine("web page not written: " + error);
  // The box counts as it is now: unchecking it during the run keeps the page closed.
  if (written && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(open_)))
    GetUriLauncher().LaunchDefault(FileUri(JoinPath(imagesFolder_, "tnlist.htm")));
  gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_OK);
}

}  // namespace kov
