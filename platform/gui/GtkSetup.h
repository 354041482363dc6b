#pragma once
// Start-up of the toolkit: X11 backend forced, so window geometry, XTest input and
// screenshots behave the same with or without a window manager.
namespace kov {
bool InitToolkit(int* argc, char*** argv);
}
