#pragma once
// Where Save Picture writes: the toolkit's save dialog, behind an interface so tests
// can give their own answer.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class ISaveChooser {
 public:
  virtual ~ISaveChooser() = default;
  // Offers the picture's name in the user's Pictures folder and asks before an
  // existing file is replaced. true and the chosen path when the user saved.
  virtual bool ChooseSavePath(GtkWindow* parent, const std::string& picture, std::string* target) = 0;
};

class CGtkSaveChooser : public ISaveChooser {
 public:
  bool ChooseSavePath(GtkWindow* parent, const std::string& picture, std::string* target) override;
};

// The toolkit's dialog unless a test installed its own (not owned; null restores it).
ISaveChooser& GetSaveChooser();
void SetSaveChooser(ISaveChooser* chooser);

}  // namespace kov
