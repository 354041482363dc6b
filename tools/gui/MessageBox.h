#pragma once
// Telling the user something in a modal message box. Callers go through
// IMessageBox so tests can read the message instead of answering a window.
#include <gtk/gtk.h>

namespace kov {

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // Shows string stringId with the icon of type and waits for OK.
  virtual void ShowMessage(GtkWindow* parent, int stringId, GtkMessageType type) = 0;
};

// A modal GtkMessageDialog with OK.
class CGtkMessageBox : public IMessageBox {
 public:
  void ShowMessage(GtkWindow* parent, int stringId, GtkMessageType type) override;
};

// The toolkit's message box unless a test installed its own (not owned; null
// restores the toolkit's).
IMessageBox& GetMessageBox();
void SetMessageBox(IMessageBox* box);

}  // namespace kov
