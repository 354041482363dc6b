#pragma once
// Start-up of the toolkit on whatever display the desktop offers: Wayland or X11, as
// GTK chooses. Nothing in the viewer places top-level windows by position, so both
// behave alike.
namespace kov {
bool InitToolkit(int* argc, char*** argv);
}
