#pragma once
// The viewer draws without GL: its pages are painted by the engine on the processor
// and shown as images. Yet at start the toolkit probes GLX for its visuals, and the
// engine makes an EGL display twice, to check for GPU buffer sharing and to find the
// GPU device its page process should use. On a machine without a GPU these load
// Mesa's software renderer and libLLVM into the viewer: about 50 MB resident, 20 MB
// of it its own (measured), and the time to load and start them on every start. Only
// variables of the environment turn these probes off, so they are set before the
// toolkit starts. The page process makes its own EGL display whatever is set.
#include <string>
#include <vector>

namespace kov {

// Sets the variables that keep GL out of the viewer's own process, each one only
// when the user has not set it. Call before any thread starts and before the toolkit
// starts; a second call does nothing.
void ChooseDrawingWithoutGl();

// The variables ChooseDrawingWithoutGl set (not those the user set): programs the
// viewer starts for the user must not inherit them.
const std::vector<std::string>& DrawingVariablesSet();

}  // namespace kov
