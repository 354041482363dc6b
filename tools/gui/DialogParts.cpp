// Building and running the tool dialogs.
#include "tools/gui/DialogParts.h"

#include "base/TextEscape.h"

namespace kov {

GtkWidget* NewToolDialog(GtkWindow* parent, const char* title) {
  GtkWidget* dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), title);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  if (parent != nullptr) gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  return dialog;
}

GtkWidget* ToolDialogContent(GtkWidget* dialog, int border, int spacing) {
  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_container_set_border_width(GTK_CONTAINER(content), border);
  if (spacing >= 0) gtk_box_set_spacing(GTK_BOX(content), spacing);
  return content;
}

bool RunToolDialog(GtkWidget* dialog) {
  gtk_widget_show(dialog);
  gtk_window_present(GTK_WINDOW(dialog));
  bool ok = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK;
  gtk_widget_hide(dialog);
  return ok;
}

void AddLeftLabel(GtkWidget* content, const char* text) {
  GtkWidget* label = gtk_label_new(text);
  gtk_widget_set_halign(label, GTK_ALIGN_START);
  gtk_box_pack_start(GTK_BOX(content), label, FALSE, FALSE, 0);
}

GtkWidget* NewPathBox(const std::string& path) {
  GtkWidget* box = gtk_entry_new();
  gtk_editable_set_editable(GTK_EDITABLE(box), FALSE);
  // Only the buttons change it: it takes no focus, so it shows no caret, and Return
  // and Tab go to the buttons.
  gtk_widget_set_can_focus(box, FALSE);
  gtk_entry_set_width_chars(GTK_ENTRY(box), 40);
  gtk_entry_set_text(GTK_ENTRY(box), DisplayName(path).c_str());
  return box;
}

void PressOkOnReturn(GtkWidget* dialog, GtkWidget* ok) {
  g_signal_connect(dialog, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* event, gpointer button) -> gboolean {
                     const guint key = event->keyval;
                     const bool plain = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) == 0;
                     if (!plain || (key != GDK_KEY_Return && key != GDK_KEY_KP_Enter && key != GDK_KEY_ISO_Enter))
                       return FALSE;
                     if (gtk_widget_is_sensitive(GTK_WIDGET(button))) gtk_button_clicked(GTK_BUTTON(button));
                     return TRUE;
                   }),
                   ok);
}

GtkWidget* AddFolderRow(GtkWidget* content, const std::string& folder, ButtonHandler onBrowse, gpointer self,
                        GtkWidget** browse) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  GtkWidget* box = NewPathBox(folder);
  *browse = gtk_button_new_with_label("...");
  g_signal_connect(*browse, "clicked", G_CALLBACK(onBrowse), self);
  gtk_box_pack_start(GTK_BOX(row), box, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(row), *browse, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 0);
  return box;
}

GtkWidget* AddWorkButtons(GtkWidget* dialog, GtkWidget* content, ButtonHandler onOk, gpointer self,
                          GtkWidget** cancel) {
  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(buttons), 6);
  GtkWidget* ok = gtk_button_new_with_label("OK");
  *cancel = gtk_button_new_with_label("Cancel");
  g_signal_connect(ok, "clicked", G_CALLBACK(onOk), self);
  g_signal_connect(*cancel, "clicked", G_CALLBACK(+[](GtkButton*, gpointer answered) {
                     gtk_dialog_response(GTK_DIALOG(answered), GTK_RESPONSE_CANCEL);
                   }),
                   dialog);
  gtk_container_add(GTK_CONTAINER(buttons), ok);
  gtk_container_add(GTK_CONTAINER(buttons), *cancel);
  gtk_box_pack_start(GTK_BOX(content), buttons, FALSE, FALSE, 0);
  gtk_widget_set_can_default(ok, TRUE);
  gtk_widget_grab_default(ok);
  PressOkOnReturn(dialog, ok);
  return ok;
}

GtkWidget* AddAnswerButtons(GtkWidget* dialog, GtkWidget** cancel) {
  GtkWidget* ok = gtk_dialog_add_button(GTK_DIALOG(dialog), "OK", GTK_RESPONSE_OK);
  if (cancel != nullptr) *cancel = gtk_dialog_add_button(GTK_DIALOG(dialog), "Cancel", GTK_RESPONSE_CANCEL);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  PressOkOnReturn(dialog, ok);
  return ok;
}

}  // namespace kov
