#pragma once
// The pieces the tool dialogs (About, background, photo CD, web thumbnails) are built
// from, so each builds its window, buttons and folder rows and runs modally the same
// way.
#include <gtk/gtk.h>

#include <string>

namespace kov {

using ButtonHandler = void (*)(GtkButton*, gpointer);

// A hidden modal dialog titled title, centred over parent (may be null).
GtkWidget* NewToolDialog(GtkWindow* parent, const char* title);
// dialog's content area with border pixels around it and spacing between its rows
// (a negative spacing leaves the toolkit's).
GtkWidget* ToolDialogContent(GtkWidget* dialog, int border, int spacing);
// Shows dialog over everything and runs it; true when it was answered with OK. It is
// hidden again afterwards, not destroyed.
bool RunToolDialog(GtkWidget* dialog);

// A left-aligned label at the end of content.
void AddLeftLabel(GtkWidget* content, const char* text);
// An entry that shows path (as it displays) and that only the dialog's buttons change;
// it takes no focus.
GtkWidget* NewPathBox(const std::string& path);
// A row of NewPathBox(folder) and a "..." button that calls onBrowse(self), added to
// content; the entry, and the button in *browse.
GtkWidget* AddFolderRow(GtkWidget* content, const std::string& folder, ButtonHandler onBrowse, gpointer self,
                        GtkWidget** browse);

// Return and Enter, wherever the focus is in dialog, press ok when it can be pressed.
void PressOkOnReturn(GtkWidget* dialog, GtkWidget* ok);

// OK (the default, pressed by Return) and Cancel as ordinary buttons at the end of content: OK calls onOk(self), which
// answers the dialog itself once its work is done (a failure keeps the dialog open);
// Cancel answers it with GTK_RESPONSE_CANCEL. The OK button, and Cancel in *cancel.
GtkWidget* AddWorkButtons(GtkWidget* dialog, GtkWidget* content, ButtonHandler onOk, gpointer self,
                          GtkWidget** cancel);
// OK (the default, pressed by Return) and, when cancel is not null, Cancel as the
// dialog's own answers;
// the OK button, and Cancel in *cancel.
GtkWidget* AddAnswerButtons(GtkWidget* dialog, GtkWidget** cancel);

}  // namespace kov
