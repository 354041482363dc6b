#include "app/ContextMenu.h"

#include "app/logic/ContextMenuRules.h"
#include "app/logic/FileOperationMessages.h"
#include "platform/DriveTypes.h"
#include "platform/Trace.h"
#include "res/CommandIds.h"
#include "res/CommandNames.h"
#include "res/Menus.h"
#include "files/FileTransfer.h"
#include "folders/Settings.h"
#include "files/gui/FileChooser.h"
#include "folders/gui/FolderPicker.h"
#include "widgets/MessageBox.h"

namespace kov {

namespace {

const char* OperationName(FileOperation operation) {
  switch (operation) {
    case FileOperation::kCopy: return "copy";
    case FileOperation::kMove: return "move";
    case FileOperation::kTrash: return "trash";
  }
  return "";
}

}  // namespace

CContextMenu::CContextMenu(ContextMenuHost host)
    : host_(std::move(host)), cancellable_(g_cancellable_new()) {
  target_ = RegisterCommandTarget([this](const Command& command) { OnCommand(command.id); });
}

CContextMenu::~CContextMenu() {
  for (CPaneDlg* pane : attached_) pane->page().SetContextMenuHandler(nullptr);
  g_cancellable_cancel(cancellable_);
  g_object_unref(cancellable_);
  if (menu_ != nullptr) {
    g_signal_handlers_disconnect_by_data(menu_, this);
    gtk_widget_destroy(menu_);
  }
  UnregisterCommandTarget(target_);
}

void CContextMenu::Attach(CPaneDlg* pane) {
  attached_.push_back(pane);
  pane->page().SetContextMenuHandler([this, pane](bool onImage, const std::string& url, GdkEvent* event) {
    OnRightClick(pane, onImage, url, event);
  });
}

// The menu waits for the page's answer, so its entries are right when it shows.
void CContextMenu::OnRightClick(CPaneDlg* pane, bool onImage, const std::string& imageUrl, GdkEvent* event) {
  if (menu_ != nullptr || event == nullptr) return;
  const unsigned click = ++rightClicks_;
  std::weak_ptr<int> alive = alive_;
  std::shared_ptr<GdkEvent> trigger(gdk_event_copy(event), gdk_event_free);
  const std::string folder = host_.currentFolder ? host_.currentFolder() : "";
  std::string picture = onImage ? PictureFileOfImageUrl(imageUrl, folder) : "";
  pane->page().ReadScriptJson(kThumbnailCellsScript, [this, alive, click, trigger, pane, picture,
                                                       folder](bool ok, const std::string& json) {
    if (alive.expired() || click != rightClicks_ || menu_ != nullptr) return;
    std::vector<ThumbnailCell> cells;
    if (ok) ParseThumbnailCells(json, &cells);  // an unreadable page has no selection
    pane_ = pane;
    pictureFile_ = picture;
    selection_ = SelectedPictures(cells, folder);
    ShowMenu(folder, trigger.get());
  });
}

void CContextMenu::ShowMenu(const std::string& folder, GdkEvent* event) {
  const Menu* menu = LoadMenu(MenuId::kContextMenu);
  if (menu == nullptr) return;
  ContextMenuFacts facts;
  facts.onPicture = !pictureFile_.empty();
  facts.selectedCount = selection_.cellCount;
  facts.folderDriveType = GetPathDriveType(folder);
  facts.operationRunning = running_;
  menu_ = gtk_menu_new();
  for (size_t i = 0; i < menu->count; ++i) {
    const MenuItem& item = menu->items[i];
    GtkWidget* entry = item.text == nullptr ? gtk_separator_menu_item_new()
                                            : MakeMenuEntry(item.commandId, item.text,
                                                            IsContextMenuEntryEnabled(item.commandId, facts));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), entry);
  }
  gtk_widget_show_all(menu_);
  // Closed, with or without a choice: the menu goes once the choice has been posted.
  g_signal_connect(menu_, "deactivate", G_CALLBACK(+[](GtkMenuShell* shell, gpointer self) {
                     static_cast<CContextMenu*>(self)->menu_ = nullptr;
                     g_idle_add(+[](gpointer w) { gtk_widget_destroy(GTK_WIDGET(w)); return G_SOURCE_REMOVE; }, shell);
                   }),
                   this);
  gtk_menu_popup_at_pointer(GTK_MENU(menu_), event);
  TraceLine("context menu shown, " + std::to_string(selection_.cellCount) + " selected");
}

GtkWidget* CContextMenu::MakeMenuEntry(int commandId, const char* text, bool enabled) {
  MenuLabel label = SplitMenuText(text);
  std::string shown = label.mnemonicLabel + (label.keyHint.empty() ? "" : "    " + label.keyHint);
  GtkWidget* entry = gtk_menu_item_new_with_mnemonic(shown.c_str());
  gtk_widget_set_sensitive(entry, enabled);
  g_object_set_data(G_OBJECT(entry), "kov-command", GINT_TO_POINTER(commandId));
  g_signal_connect(entry, "activate", G_CALLBACK(+[](GtkMenuItem* m, gpointer self) {
                     int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(m), "kov-command"));
                     PostCommand(static_cast<CContextMenu*>(self)->target_, id);
                   }),
                   this);
  return entry;
}

void CContextMenu::OnCommand(int id) {
  TraceCommand(CommandName(id));
  switch (id) {
    case kCmdPrintPreview:
    case kCmdPrintPage: PrintPage(); return;
    case kCmdSavePicture: SavePicture(); return;
    case kCmdCopySelected: CopyOrMoveSelected(true); return;
    case kCmdMoveSelected: CopyOrMoveSelected(false); return;
    case kCmdDeleteSelected: DeleteSelected(); return;
    default: return;
  }
}

// The toolkit's print dialog, whose preview serves Print Preview too.
void CContextMenu::PrintPage() {
  if (pane_ == nullptr || pane_->page().View() == nullptr) return;
  WebKitPrintOperation* print = webkit_print_operation_new(pane_->page().View());
  webkit_print_operation_run_dialog(print, pane_->dialogParent());
  g_object_unref(print);
}

// The picture's own bytes, copied, not encoded again.
void CContextMenu::SavePicture() {
  if (pictureFile_.empty() || pane_ == nullptr) return;
  std::string target;
  if (!GetFileChooser().ChooseFileToSave(pane_->dialogParent(), pictureFile_, &target)) return;
  std::string error;
  FileOutcome saved = SaveFileCopy(pictureFile_, target, &error);
  std::string failure = SavePictureFailureText(saved, error);
  if (!failure.empty()) GetMessageBox().ShowNotice(pane_->dialogParent(), failure);
}

void CContextMenu::CopyOrMoveSelected(bool copy) {
  if (running_ || selection_.files.empty() || pane_ == nullptr) return;
  const char* setting = copy ? kCopyToSetting : kMoveToSetting;
  std::string dest;
  if (!host_.settings.get || !host_.settings.get(setting, &dest)) dest.clear();
  if (!BrowseForFolder(pane_->dialogParent(), &dest, false)) return;
  if (host_.settings.set) host_.settings.set(setting, dest);
  StartOperation(copy ? FileOperation::kCopy : FileOperation::kMove, dest);
}

void CContextMenu::DeleteSelected() {
  if (running_ || selection_.files.empty() || pane_ == nullptr) return;
  if (!GetMessageBox().AskYesNo(pane_->dialogParent(), DeleteQuestionText(selection_.cellCount))) return;
  StartOperation(FileOperation::kTrash, "");
}

void CContextMenu::StartOperation(FileOperation operation, const std::string& destFolder) {
  running_ = true;
  busyPane_ = pane_;
  SetWaitCursor(true);
  TraceLine(std::string("files ") + OperationName(operation) + " started, " +
            std::to_string(selection_.files.size()) + " files");
  std::weak_ptr<int> alive = alive_;
  StartFileOperation(operation, selection_.files, destFolder, cancellable_,
                     [this, alive, operation](const FileOperationReport& report) {
                       if (!alive.expired()) OnOperationFinished(operation, report);
                     });
}

void CContextMenu::OnOperationFinished(FileOperation operation, const FileOperationReport& report) {
  running_ = false;
  SetWaitCursor(false);
  TraceLine(std::string("files ") + OperationName(operation) + " finished, " + std::to_string(report.done) +
            " done, " + std::to_string(report.alreadyThere) + " already there, " +
            std::to_string(report.readOnly) + " read-only, " + std::to_string(report.failed) + " failed");
  std::string text = FileOperationReportText(operation, report);
  if (!text.empty()) GetMessageBox().ShowNotice(busyPane_ ? busyPane_->dialogParent() : nullptr, text);
  // The current folder has changed: its thumbnails are made again.
  if (operation != FileOperation::kCopy && report.done > 0) PostCommand(host_.viewer, kCmdRebuildThumbnails);
}

// On the pane the menu was opened in, until the work is over (the page sets its own
// cursor again when the pointer moves over it).
void CContextMenu::SetWaitCursor(bool wait) {
  if (busyPane_ == nullptr || busyPane_->window() == nullptr) return;
  GdkWindow* top = gtk_widget_get_window(GTK_WIDGET(busyPane_->window()));
  if (top == nullptr) return;
  GdkCursor* cursor = wait ? gdk_cursor_new_from_name(gdk_window_get_display(top), "wait") : nullptr;
  gdk_window_set_cursor(top, cursor);
  if (WebKitWebView* view = busyPane_->page().View()) {
    if (GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(view))) gdk_window_set_cursor(own, cursor);
  }
  if (cursor != nullptr) g_object_unref(cursor);
  gdk_display_flush(gdk_window_get_display(top));
}

}  // namespace kov
