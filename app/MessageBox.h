#pragma once
// Questions and notices of the selection commands, behind an interface so tests can
// answer them without a message box.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // A question with Yes and No, Yes the default; true when the user answered Yes.
  virtual bool AskYesNo(GtkWindow* parent, const std::string& text) = 0;
  // A notice with OK.
  virtual void ShowNotice(GtkWindow* parent, const std::string& text) = 0;
};

// Modal GtkMessageDialogs captioned with the program's name.
class CGtkMessageBox : public IMessageBox {
 public:
  bool AskYesNo(GtkWindow* parent, const std::string& text) override;
  void ShowNotice(GtkWindow* parent, const std::string& text) override;
};

// The toolkit's message box unless a test installed its own (not owned; null restores
// the toolkit's).
IMessageBox& GetMessageBox();
void SetMessageBox(IMessageBox* messageBox);

}  // namespace kov
