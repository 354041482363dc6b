#pragma once
// Whether a modal dialog (print, a question, a file chooser, a message, a tool)
// holds the input now. Work that would change what the viewer shows under it (the
// slide show's ticks, a path handed over by a later start) waits for it to end.
#include <gtk/gtk.h>

#include <functional>

namespace kov {

bool IsModalDialogUp();
// The modal dialog holding the input; nullptr when none is up.
GtkWindow* ModalDialogUp();
// Runs then once the modal dialog that is up now has been hidden or destroyed (at
// once when none is up); a dialog shown after it is waited for in turn.
void AfterModalDialogs(std::function<void()> then);

}  // namespace kov
