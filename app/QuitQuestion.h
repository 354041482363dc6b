#pragma once
// The question the quit button asks before the program ends (StringId::kQuitQuestion). Behind an
// interface so tests can answer it without a message box.
#include <gtk/gtk.h>

namespace kov {

class IQuitQuestion {
 public:
  virtual ~IQuitQuestion() = default;
  // true when the user answered Yes.
  virtual bool AskToQuit(GtkWindow* parent) = 0;
};

// A modal GtkMessageDialog with Yes and No and the question icon.
class CMessageBoxQuitQuestion : public IQuitQuestion {
 public:
  bool AskToQuit(GtkWindow* parent) override;
};

// The toolkit's message box unless a test installed its own (not owned; null
// restores the message box).
IQuitQuestion& GetQuitQuestion();
void SetQuitQuestion(IQuitQuestion* question);

}  // namespace kov
