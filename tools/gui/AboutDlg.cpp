// The About dialog.
#include "tools/gui/AboutDlg.h"

#include <string>

#include "res/Version.h"
#include "tools/UserGuide.h"

namespace kov {

CAboutDlg::~CAboutDlg() {
  if (dialog_ != nullptr) gtk_widget_destroy(dialog_);
}

void CAboutDlg::Create(GtkWindow* parent) {
  if (dialog_ != nullptr) return;
  dialog_ = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog_), "About KOV");
  gtk_window_set_resizable(GTK_WINDOW(dialog_), FALSE);
  gtk_window_set_modal(GTK_WINDOW(dialog_), TRUE);
  if (parent != nullptr) gtk_window_set_transient_for(GTK_WINDOW(dialog_), parent);
  gtk_window_set_position(GTK_WINDOW(dialog_), GTK_WIN_POS_CENTER);

  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog_));
  gtk_container_set_border_width(GTK_CONTAINER(content), 12);
  gtk_box_set_spacing(GTK_BOX(content), 12);

  GtkWidget* head = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_box_pack_start(GTK_BOX(head), gtk_image_new_from_icon_name("image-x-generic", GTK_ICON_SIZE_DIALOG),
                     FALSE, FALSE, 0);
  version_ = gtk_label_new((std::string("KOV Version ") + ProgramVersion()).c_str());
  gtk_box_pack_start(GTK_BOX(head), version_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), head, FALSE, FALSE, 0);

  link_.url = UserGuideUri();
  gtk_box_pack_start(GTK_BOX(content), link_.Create("Online help and latest information about KOV on the Web"),
                     FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 0);

  ok_ = gtk_dialog_add_button(GTK_DIALOG(dialog_), "OK", GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog_), GTK_RESPONSE_OK);
  gtk_widget_show_all(content);
}

void CAboutDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  gtk_widget_show(dialog_);
  gtk_window_present(GTK_WINDOW(dialog_));
  gtk_dialog_run(GTK_DIALOG(dialog_));
  gtk_widget_hide(dialog_);
}

}  // namespace kov
