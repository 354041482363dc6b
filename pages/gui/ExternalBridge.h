#pragma once
// window.external for one pane's pages: a user script at document start in every
// frame, and the script message handler it posts {method, args} to. Calls are decided
// by the core script bridge; the resulting command, with its data, goes to the host's
// target through the command queue, so it runs after the page's script has returned.
#include <webkit2/webkit2.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/ScriptBridge.h"
#include "platform/CommandQueue.h"

namespace kov {

// Where one pane's calls go: target 0 posts nothing. currentFolder names the folder a
// clicked thumbnail's picture lies in ("" when none, and without a source).
struct BridgeHost {
  CommandTarget target = 0;
  std::function<std::string()> currentFolder;
};

// host must outlive the manager's messages. false when the manager already has the
// bridge's message handler.
bool AttachExternalBridge(WebKitUserContentManager* manager, const BridgeHost* host);

// The arguments of one message as the core bridge takes them: strings stay strings,
// numbers with an integral value in range become integers, anything else is Other.
std::vector<BridgeValue> BridgeArgumentsOf(JSCValue* args);

}  // namespace kov
