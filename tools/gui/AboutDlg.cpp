// The About dialog.
#include "tools/gui/AboutDlg.h"

#include <string>

#include "res/Version.h"
#include "tools/UserGuide.h"
#include "tools/gui/DialogParts.h"

namespace kov {

CAboutDlg::~CAboutDlg() {
  if (dialog_ != nullptr) gtk_widget_destroy(dialog_);
}

void CAboutDlg::Create(GtkWindow* parent) {
  if (dialog_ != nullptr) return;
  dialog_ = NewToolDialog(parent, "About KOV");
  gtk_window_set_resizable(GTK_WINDOW(dialog_), FALSE);
  GtkWidget* content = ToolDialogContent(dialog_, 12, 12);

  GtkWidget* head = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  // The program's own icon, as compiled into it; the theme's generic one only without.
  GdkPixbuf* icon = gdk_pixbuf_new_from_resource("/kov/icons/48.png", nullptr);
  icon_ = icon != nullptr ? gtk_image_new_from_pixbuf(icon)
                          : gtk_image_new_from_icon_name("image-x-generic", GTK_ICON_SIZE_DIALOG);
  if (icon != nullptr) g_object_unref(icon);
  gtk_box_pack_start(GTK_BOX(head), icon_, FALSE, FALSE, 0);
  version_ = gtk_label_new((std::string("KOV Version ") + ProgramVersion()).c_str());
  gtk_box_pack_start(GTK_BOX(head), version_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), head, FALSE, FALSE, 0);

  link_.url = UserGuideUri();
  GtkWidget* link = link_.Create("Online help and latest information about KOV on the Web");
  gtk_box_pack_start(GTK_BOX(content), link, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 0);

  ok_ = AddAnswerButtons(dialog_, nullptr);
  gtk_widget_show_all(content);
  // A copy of the program without its guide (on a disc, say) has nothing to link to.
  if (link_.url.empty()) gtk_widget_hide(link);
}

void CAboutDlg::DoModal(GtkWindow* parent) {
  Create(parent);
  RunToolDialog(dialog_);
}

}  // namespace kov
