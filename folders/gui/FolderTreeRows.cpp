// The rows of the folder tree: the top level, lazy expansion with a placeholder
// child, children dropped on collapse so the next expansion reads the disk again,
// and the walk that selects a path.
#include <gio/gio.h>

#include "base/PathRules.h"
#include "folders/FolderTreeModel.h"
#include "folders/gui/FolderTreeDlg.h"

namespace kov {

namespace {

enum Column { kColName = 0, kColPath = 1, kColIcon = 2 };

// A placeholder row has an empty path; it only makes its parent expandable.
bool IsPlaceholder(GtkTreeModel* model, GtkTreeIter* iter) {
  gchar* path = nullptr;
  gtk_tree_model_get(model, iter, kColPath, &path, -1);
  bool placeholder = !path || !*path;
  g_free(path);
  return placeholder;
}

}  // namespace

void CFolderTreeDlg::InsertTopLevel() {
  for (const FolderNode& node : ListTopLevelFolders(sources_.documents, sources_.mountPoints))
    InsertFolder(nullptr, node);
}

void CFolderTreeDlg::InsertFolder(GtkTreeIter* parent, const FolderNode& node) {
  GtkTreeIter item;
  gtk_tree_store_append(store_, &item, parent);
  gchar* shown = g_filename_display_name(node.displayName.c_str());
  // The folder icon is asked of the theme once, when the row is made.
  GIcon* icon = g_content_type_get_icon("inode/directory");
  gtk_tree_store_set(store_, &item, kColName, shown, kColPath, node.path.c_str(), kColIcon, icon, -1);
  g_object_unref(icon);
  g_free(shown);
  GtkTreeIter placeholder;
  gtk_tree_store_append(store_, &placeholder, &item);
  gtk_tree_store_set(store_, &placeholder, kColName, "", kColPath, "", -1);
}

bool CFolderTreeDlg::FillChildren(GtkTreeIter* item) {
  GtkTreeModel* model = GTK_TREE_MODEL(store_);
  GtkTreeIter child;
  if (!gtk_tree_model_iter_children(model, &child, item)) return false;
  if (!IsPlaceholder(model, &child)) return true;  // already read
  gtk_tree_store_remove(store_, &child);
  gchar* path = nullptr;
  gtk_tree_model_get(model, item, kColPath, &path, -1);
  std::vector<FolderNode> subfolders;
  ListSubfolders(path ? path : "", &subfolders);
  g_free(path);
  for (const FolderNode& node : subfolders) InsertFolder(item, node);
  return !subfolders.empty();
}

void CFolderTreeDlg::ResetChildren(GtkTreeIter* item) {
  GtkTreeModel* model = GTK_TREE_MODEL(store_);
  GtkTreeIter child;
  while (gtk_tree_model_iter_children(model, &child, item)) gtk_tree_store_remove(store_, &child);
  gtk_tree_store_append(store_, &child, item);
  gtk_tree_store_set(store_, &child, kColName, "", kColPath, "", -1);
}

gboolean CFolderTreeDlg::OnTestExpandRow(GtkTreeView*, GtkTreeIter* iter, GtkTreePath*, gpointer self) {
  // TRUE refuses the expansion: the folder has no subfolders and loses its expander.
  return static_cast<CFolderTreeDlg*>(self)->FillChildren(iter) ? FALSE : TRUE;
}

void CFolderTreeDlg::OnRowCollapsed(GtkTreeView*, GtkTreeIter* iter, GtkTreePath*, gpointer self) {
  static_cast<CFolderTreeDlg*>(self)->ResetChildren(iter);
}

std::vector<std::string> CFolderTreeDlg::ChildPaths(GtkTreeIter* parent) {
  GtkTreeModel* model = GTK_TREE_MODEL(store_);
  std::vector<std::string> paths;
  GtkTreeIter child;
  bool more = gtk_tree_model_iter_children(model, &child, parent);
  while (more) {
    gchar* path = nullptr;
    gtk_tree_model_get(model, &child, kColPath, &path, -1);
    if (path && *path) paths.push_back(path);
    g_free(path);
    more = gtk_tree_model_iter_next(model, &child);
  }
  return paths;
}

std::vector<std::string> CFolderTreeDlg::ExpandAndList(const std::vector<size_t>& trail, bool reread) {
  if (trail.empty()) return ChildPaths(nullptr);
  std::vector<gint> indices(trail.begin(), trail.end());
  GtkTreePath* row = gtk_tree_path_new_from_indicesv(indices.data(), indices.size());
  GtkTreeIter item;
  std::vector<std::string> paths;
  if (gtk_tree_model_get_iter(GTK_TREE_MODEL(store_), &item, row)) {
    if (reread) {
      // A collapse drops the children and the expansion reads them from the disk.
      gtk_tree_view_collapse_row(tree_, row);
      ResetChildren(&item);  // also where the row was not expanded
    }
    gtk_tree_view_expand_row(tree_, row, FALSE);
    paths = ChildPaths(&item);
  }
  gtk_tree_path_free(row);
  return paths;
}

bool CFolderTreeDlg::SelectPath(const std::string& path) {
  if (path.empty() || !tree_) return false;
  const std::string before = GetSelectedPath();
  if (SelectReachable(path)) return true;
  // Reading a stale listing again collapsed its row, which takes the selection along
  // when it lay below: an unreachable folder leaves the selection as it was.
  if (!before.empty() && GetSelectedPath() != before) SelectReachable(before);
  return false;
}

bool CFolderTreeDlg::SelectReachable(const std::string& path) {
  FolderTreeWalk walk = WalkToFolder(NormalizePath(path), [this](const std::vector<size_t>& trail, bool reread) {
    return ExpandAndList(trail, reread);
  });
  if (!walk.found) return false;
  std::vector<gint> indices(walk.trail.begin(), walk.trail.end());
  GtkTreePath* row = gtk_tree_path_new_from_indicesv(indices.data(), indices.size());
  gtk_tree_view_set_cursor(tree_, row, nullptr, FALSE);
  gtk_tree_view_scroll_to_cell(tree_, row, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(row);
  return true;
}

std::string CFolderTreeDlg::GetSelectedPath() const {
  GtkTreeModel* model = nullptr;
  GtkTreeIter item;
  if (!tree_ || !gtk_tree_selection_get_selected(gtk_tree_view_get_selection(tree_), &model, &item)) return "";
  gchar* path = nullptr;
  gtk_tree_model_get(model, &item, kColPath, &path, -1);
  std::string selected = path ? path : "";
  g_free(path);
  return selected;
}

}  // namespace kov
