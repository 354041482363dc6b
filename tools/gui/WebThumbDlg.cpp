// The web-page thumbnails dialog's window.
#include "tools/gui/WebThumbDlg.h"

#include <sys/stat.h>

#include <memory>

#include "base/PathRules.h"
#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "platform/UriLauncher.h"
#include "thumbs/gui/ThumbBuilderDlg.h"
#include "folders/Settings.h"
#include "tools/WebThumbStore.h"
#include "tools/gui/DialogParts.h"
#include "folders/gui/FolderPicker.h"
#include "widgets/MessageBox.h"

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
  dialog_ = NewToolDialog(parent, "Create Thumbnails for Web Page");
  GtkWidget* content = ToolDialogContent(dialog_, 10, 6);
  AddLeftLabel(content, "Images Folder:");
  folderBox_ = AddFolderRow(
      content, imagesFolder_, [](GtkButton*, gpointer self) { static_cast<CWebThumbDlg*>(self)->OnBrowse(); },
      this, &browse_);

  GtkWidget* status = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  open_ = gtk_check_button_new_with_label("Open the HTML file when finished.");
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(open_), TRUE);
  count_ = gtk_label_new("");
  gtk_box_pack_start(GTK_BOX(status), open_, TRUE, TRUE, 0);
  gtk_box_pack_end(GTK_BOX(status), count_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), status, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 4);

  // OK starts the work and answers the dialog only when it is done.
  ok_ = AddWorkButtons(
      dialog_, content, [](GtkButton*, gpointer self) { static_cast<CWebThumbDlg*>(self)->OnOK(); }, this, &cancel_);
  gtk_widget_show_all(content);
  UpdateOkButton();
}

bool CWebThumbDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  return RunToolDialog(dialog_);
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
  GtkWindow* self = GTK_WINDOW(dialog_);
  CWebThumbRun run(imagesFolder_);

  // The pictures are rendered and captured in the builder's window, over this one.
  CThumbBuilderDlg builder(imagesFolder_, imagesFolder_, false, std::make_unique<CWebThumbStore>(run.entries()));
  bool finished = builder.Create(self) && builder.Run() == BuildResult::kOk;
  gtk_label_set_text(GTK_LABEL(count_), std::to_string(builder.RenderedCount()).c_str());
  entries_ = *run.entries();
  if (!finished) {
    // The older page stays, with the thumbnails it links.
    run.Abandon();
    gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_CANCEL);
    return;
  }
  std::string error;
  if (!run.Finish(&error)) {
    TraceLine("web page not written: " + error);
    GetMessageBox().ShowNotice(self, "The web page could not be written:\n\n" + DisplayName(error));
    gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_CANCEL);
    return;
  }
  // The box counts as it is now: unchecking it during the run keeps the page closed.
  const std::string page = JoinPath(imagesFolder_, "tnlist.htm");
  if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(open_)) && !GetUriLauncher().LaunchDefault(FileUri(page)))
    GetMessageBox().ShowNotice(self, "The web page was written, but no program was found to open it:\n\n" +
                                         DisplayName(page));
  gtk_dialog_response(GTK_DIALOG(dialog_), GTK_RESPONSE_OK);
}

}  // namespace kov
