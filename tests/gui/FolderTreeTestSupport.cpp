#include "tests/gui/FolderTreeTestSupport.h"

namespace kovtest {

std::vector<std::string> ChildPathsOf(GtkTreeView* tree, GtkTreePath* row) {
  GtkTreeModel* model = gtk_tree_view_get_model(tree);
  std::vector<std::string> paths;
  GtkTreeIter parent, child;
  if (!gtk_tree_model_get_iter(model, &parent, row)) return paths;
  for (bool more = gtk_tree_model_iter_children(model, &child, &parent); more;
       more = gtk_tree_model_iter_next(model, &child)) {
    gchar* path = nullptr;
    gtk_tree_model_get(model, &child, 1, &path, -1);
    paths.push_back(path ? path : "");
    g_free(path);
  }
  return paths;
}

namespace {

struct RowSearch {
  std::string wanted;
  GtkTreePath* found = nullptr;
};

gboolean MatchRow(GtkTreeModel* model, GtkTreePath* row, GtkTreeIter* iter, gpointer data) {
  auto* search = static_cast<RowSearch*>(data);
  gchar* path = nullptr;
  gtk_tree_model_get(model, iter, 1, &path, -1);
  bool match = path && search->wanted == path;
  g_free(path);
  if (match) search->found = gtk_tree_path_copy(row);
  return match;
}

}  // namespace

GtkTreePath* FindRow(GtkTreeView* tree, const std::string& path) {
  RowSearch search{path};
  gtk_tree_model_foreach(gtk_tree_view_get_model(tree), MatchRow, &search);
  return search.found;
}

}  // namespace kovtest
