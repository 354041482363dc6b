#include "tests/gui/FolderTreeTestSupport.h"

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

#include "pages/ContentTypes.h"

namespace kovtest {

void PumpEvents(int ms) {
  gint64 end = g_get_monotonic_time() + gint64(ms) * 1000;
  while (g_get_monotonic_time() < end) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    g_usleep(2000);
  }
}

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

void SendKey(unsigned keysym) {
  Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
  KeyCode code = XKeysymToKeycode(display, keysym);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
}

bool SaveScreenshot(GtkWidget* window, const std::string& file) {
  GdkWindow* surface = gtk_widget_get_window(window);
  if (!surface) return false;
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(surface, 0, 0, gdk_window_get_width(surface),
                                               gdk_window_get_height(surface));
  if (!shot) return false;
  g_mkdir_with_parents(kov::DirName(file).c_str(), 0755);
  bool saved = gdk_pixbuf_save(shot, file.c_str(), "png", nullptr, nullptr);
  g_object_unref(shot);
  return saved;
}

}  // namespace kovtest
