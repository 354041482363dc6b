#pragma once
// window.external for one pane's pages: a user script at document start in every
// frame, and the script message handler it posts {method, args} to. Calls are decided
// by the core script bridge; the resulting command goes to the toolbar through the
// command queue, so it runs after the page's script has returned.
#include <webkit2/webkit2.h>

#include <vector>

#include "pages/ScriptBridge.h"

namespace kov {

// false when the manager already has the bridge's message handler.
bool AttachExternalBridge(WebKitUserContentManager* manager);

// The arguments of one message as the core bridge takes them: strings stay strings,
// numbers with an integral value in range become integers, anything else is Other.
std::vector<BridgeValue> BridgeArgumentsOf(JSCValue* args);

}  // namespace kov
