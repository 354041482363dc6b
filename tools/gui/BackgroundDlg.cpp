// The background picture and music dialog's window.
#include "tools/gui/BackgroundDlg.h"

#include "base/TextEscape.h"
#include "platform/Trace.h"
#include "tools/gui/DialogParts.h"
#include "files/gui/FileChooser.h"
#include "widgets/MessageBox.h"

namespace kov {
namespace {

struct ButtonBinding {
  CBackgroundDlg* dialog;
  bool picture;
};

void FreeBinding(gpointer binding, GClosure*) { delete static_cast<ButtonBinding*>(binding); }

void Connect(GtkWidget* button, CBackgroundDlg* dialog, bool picture, void (*handler)(GtkButton*, gpointer)) {
  g_signal_connect_data(button, "clicked", G_CALLBACK(handler), new ButtonBinding{dialog, picture}, FreeBinding,
                        GConnectFlags(0));
}

}  // namespace

CBackgroundDlg::CBackgroundDlg(const std::string& folder, PreviewHandler onPreview)
    : choice_(folder), onPreview_(std::move(onPreview)) {}

CBackgroundDlg::~CBackgroundDlg() {
  if (dialog_ != nullptr) gtk_widget_destroy(dialog_);
}

GtkWidget* CBackgroundDlg::AddRow(GtkGrid* grid, int row, const char* title, bool picture) {
  GtkWidget* label = gtk_label_new(title);
  gtk_widget_set_halign(label, GTK_ALIGN_START);
  GtkWidget* box = NewPathBox("");  // ShowPaths fills it in
  gtk_widget_set_hexpand(box, TRUE);
  GtkWidget* clear = gtk_button_new_with_label("X");
  GtkWidget* browse = gtk_button_new_with_label("...");
  Connect(clear, this, picture, [](GtkButton*, gpointer b) {
    auto* binding = static_cast<ButtonBinding*>(b);
    binding->dialog->OnClear(binding->picture);
  });
  Connect(browse, this, picture, [](GtkButton*, gpointer b) {
    auto* binding = static_cast<ButtonBinding*>(b);
    binding->dialog->OnBrowse(binding->picture);
  });
  gtk_grid_attach(grid, label, 0, row * 2, 3, 1);
  gtk_grid_attach(grid, box, 0, row * 2 + 1, 1, 1);
  gtk_grid_attach(grid, clear, 1, row * 2 + 1, 1, 1);
  gtk_grid_attach(grid, browse, 2, row * 2 + 1, 1, 1);
  (picture ? clearPicture_ : clearMusic_) = clear;
  (picture ? browsePicture_ : browseMusic_) = browse;
  return box;
}

void CBackgroundDlg::Create(GtkWindow* parent) {
  if (dialog_ != nullptr) return;
  dialog_ = NewToolDialog(parent, "Background Picture and Music");
  GtkWidget* content = ToolDialogContent(dialog_, 10, -1);
  GtkGrid* grid = GTK_GRID(gtk_grid_new());
  gtk_grid_set_row_spacing(grid, 4);
  gtk_grid_set_column_spacing(grid, 4);
  pictureBox_ = AddRow(grid, 0, "Picture:", true);
  musicBox_ = AddRow(grid, 1, "Music:", false);
  gtk_box_pack_start(GTK_BOX(content), GTK_WIDGET(grid), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 8);
  ok_ = AddAnswerButtons(dialog_, &cancel_);
  g_signal_connect(dialog_, "response", G_CALLBACK(+[](GtkDialog*, gint response, gpointer self) {
                     static_cast<CBackgroundDlg*>(self)->OnResponse(response == GTK_RESPONSE_OK);
                   }),
                   this);
  gtk_widget_show_all(content);
  ShowPaths();
}

bool CBackgroundDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  return RunToolDialog(dialog_);
}

void CBackgroundDlg::ShowPaths() {
  gtk_entry_set_text(GTK_ENTRY(pictureBox_), DisplayName(choice_.picturePath()).c_str());
  gtk_entry_set_text(GTK_ENTRY(musicBox_), DisplayName(choice_.musicPath()).c_str());
}

void CBackgroundDlg::Preview(BackgroundPreview preview) {
  if (preview != BackgroundPreview::kNone && onPreview_) onPreview_(preview);
}

void CBackgroundDlg::OnBrowse(bool picture) {
  std::string path;
  GtkWindow* owner = GTK_WINDOW(dialog_);
  const StringId filters = picture ? StringId::kPictureFileFilter : StringId::kMusicFileFilter;
  if (!GetFileChooser().ChooseFileToOpen(owner, filters, &path)) return;
  BackgroundPreview preview = choice_.Choose(picture, path);
  ShowPaths();
  Preview(preview);
}

void CBackgroundDlg::OnClear(bool picture) {
  BackgroundPreview preview = choice_.Clear(picture);
  ShowPaths();
  Preview(preview);
}

void CBackgroundDlg::OnResponse(bool ok) {
  if (!ok) {
    Preview(choice_.Cancel());
    return;
  }
  std::string error;
  if (choice_.Apply(&error)) return;
  // The panes go back to what the folder really holds, which is what it will show.
  TraceLine("background not written: " + error);
  GetMessageBox().ShowNotice(GTK_WINDOW(dialog_), "The background could not be saved:\n\n" + DisplayName(error));
  Preview(BackgroundPreview::kFolderOwn);
}

}  // namespace kov
