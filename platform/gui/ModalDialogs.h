#pragma once
// Whether a modal dialog (print, a question, a file chooser, a message) holds the
// input now. Without a window manager nothing keeps such a dialog above windows the
// program raises later, so work that restacks windows on its own (the slide show's
// ticks) must not run while one is up.
namespace kov {

bool IsModalDialogUp();

}  // namespace kov
