#pragma once
// Questions and notices in modal message boxes, behind an interface so tests can read
// and answer them without a window.
#include <gtk/gtk.h>

#include <string>

#include "res/ResourceIds.h"

namespace kov {

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // A question with Yes and No, Yes the default; true when the user answered Yes.
  // A stand-in that does not answer says No.
  virtual bool AskYesNo(GtkWindow* parent, const std::string& text) { return false; }
  // A warning with OK.
  virtual void ShowNotice(GtkWindow* parent, const std::string& text) {}
  // A text of the string table with the icon of type, and OK.
  virtual void ShowMessage(GtkWindow* parent, StringId stringId, GtkMessageType type) {}
};

// Modal GtkMessageDialogs captioned with the program's name.
class CGtkMessageBox : public IMessageBox {
 public:
  bool AskYesNo(GtkWindow* parent, const std::string& text) override;
  void ShowNotice(GtkWindow* parent, const std::string& text) override;
  void ShowMessage(GtkWindow* parent, StringId stringId, GtkMessageType type) override;
};

// The toolkit's message box unless a test installed its own (not owned; null restores
// the toolkit's).
IMessageBox& GetMessageBox();
void SetMessageBox(IMessageBox* messageBox);

}  // namespace kov
