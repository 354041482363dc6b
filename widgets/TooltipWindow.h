#pragma once
// The small yellow popup that shows a button's tooltip: one label line per text line,
// placed by the cursor and kept on the screen.
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace kov {

class CTooltipWindow {
 public:
  CTooltipWindow() = default;
  ~CTooltipWindow();
  CTooltipWindow(const CTooltipWindow&) = delete;
  CTooltipWindow& operator=(const CTooltipWindow&) = delete;

  // Shows the lines for the cursor at (cursorX, cursorY), screen coordinates.
  void ShowAt(const std::vector<std::string>& lines, int cursorX, int cursorY);
  void Hide();
  bool IsShown() const;
  // The popup window (nullptr before the first showing) and the text it shows.
  GtkWidget* Window() const { return window_; }
  std::string ShownText() const;

 private:
  void Build();
  void TakeNoInput();

  GtkWidget* window_ = nullptr;
  GtkWidget* label_ = nullptr;
};

}  // namespace kov
