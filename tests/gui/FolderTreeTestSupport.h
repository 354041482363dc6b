#pragma once
// Helpers of the folder tree's window tests: reading the rows of the tree. The main
// loop, keys and screenshots come from GuiTestSupport.
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace kovtest {

// The folder paths of the children of the row at path ("" for placeholder rows).
std::vector<std::string> ChildPathsOf(GtkTreeView* tree, GtkTreePath* row);
// The row of the tree whose folder is path; null when no row shows it.
GtkTreePath* FindRow(GtkTreeView* tree, const std::string& path);

}  // namespace kovtest
