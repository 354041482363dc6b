#pragma once
// Helpers of the folder tree's window tests: running the main loop for a while,
// rows of the tree, keys sent through XTest and a screenshot of a window.
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace kovtest {

// Runs the main loop for about ms milliseconds.
void PumpEvents(int ms);
// Runs the main loop until done() holds or ms milliseconds passed; the last done().
template <typename Done>
bool PumpUntil(Done done, int ms) {
  for (int waited = 0; waited < ms && !done(); waited += 10) PumpEvents(10);
  return done();
}

// The folder paths of the children of the row at path ("" for placeholder rows).
std::vector<std::string> ChildPathsOf(GtkTreeView* tree, GtkTreePath* row);
// The row of the tree whose folder is path; null when no row shows it.
GtkTreePath* FindRow(GtkTreeView* tree, const std::string& path);

// Presses and releases a key (an X keysym) through XTest.
void SendKey(unsigned keysym);

// Saves what window shows as a PNG, making the file's folder; false on failure.
bool SaveScreenshot(GtkWidget* window, const std::string& file);

}  // namespace kovtest
