#pragma once
// The folder tree pop-up: a layer floating in the viewer's window, holding a tree of
// folders read from disk only when a node is expanded, with OK and Cancel in the
// bottom-right corner. It is created once, hidden, and keeps its expansion and
// selection between uses.
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "folders/UserFolders.h"
#include "widgets/ImageButton.h"

namespace kov {

class CFolderTreeDlg {
 public:
  // The window's fixed size in pixels: the tree above the OK and Cancel buttons.
  static constexpr int kWidth = 245;
  static constexpr int kHeight = 361;

  // onFolderChosen runs after OK has hidden the window and stored the choice; the
  // owner then opens GetSelectedPath().
  CFolderTreeDlg(FolderTreeSources sources, std::function<void()> onFolderChosen);
  ~CFolderTreeDlg();
  CFolderTreeDlg(const CFolderTreeDlg&) = delete;
  CFolderTreeDlg& operator=(const CFolderTreeDlg&) = delete;

  // Builds the hidden layer in host (a layer host; without one, a window of its own
  // over the screen), fills the top level and selects the start-up folder.
  bool Create(GtkWindow* host);
  // Moves the layer to (x, y) in its window keeping its size, shows it, raises it and
  // gives it the keyboard focus.
  void ShowAt(int x, int y);
  // The selected folder; "" when nothing is selected.
  std::string GetSelectedPath() const;
  // Expands the tree down to path and selects it; false when it cannot be reached
  // (the tree then stays expanded as far as the match went).
  bool SelectPath(const std::string& path);
  void SelectInitialFolder();

  void OnOK();
  void OnCancel();

  // The tree's layer.
  GtkWidget* window() const { return window_; }
  GtkTreeView* treeView() const { return tree_; }
  GtkWidget* okButton() const { return ok_.Widget(); }
  GtkWidget* cancelButton() const { return cancel_.Widget(); }
  const CImageButton& okImageButton() const { return ok_; }

 private:
  void BuildWidgets(GtkWindow* host);
  void BuildButtons(GtkFixed* fixed);
  void InsertTopLevel();
  void InsertFolder(GtkTreeIter* parent, const FolderNode& node);
  // Replaces the placeholder child by the folder's subfolders; false when it has none.
  bool FillChildren(GtkTreeIter* item);
  void ResetChildren(GtkTreeIter* item);
  std::vector<std::string> ChildPaths(GtkTreeIter* parent);
  std::vector<std::string> ExpandAndList(const std::vector<size_t>& trail, bool reread);
  // SelectPath's walk and selection, without keeping the selection on failure.
  bool SelectReachable(const std::string& path);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
  void UpdateOkButton();

  static gboolean OnTestExpandRow(GtkTreeView*, GtkTreeIter* iter, GtkTreePath*, gpointer self);
  static void OnRowCollapsed(GtkTreeView*, GtkTreeIter* iter, GtkTreePath*, gpointer self);

  FolderTreeSources sources_;
  std::function<void()> onFolderChosen_;
  GtkWidget* window_ = nullptr;
  GtkWindow* ownHost_ = nullptr;  // the window made for a tree created without a host
  GtkWindow* host_ = nullptr;  // whose key and destroy handlers name this tree
  GtkTreeView* tree_ = nullptr;
  GtkTreeStore* store_ = nullptr;
  CImageButton ok_;
  CImageButton cancel_;
};

}  // namespace kov
