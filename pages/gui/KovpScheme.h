#pragma once
// The engine context with the kovp scheme answered by the page server.
#include <functional>
#include <string>

#include "pages/PageServer.h"

namespace kov {

// Makes the process's engine context (platform/gui/WebEngine.h) serving kovp; false
// when the scheme could not be set up (the caller ends the process silently).
bool CreateKovpWebEngine();

// Where kovp responses come from: ServePageUrl unless replaced (tests serve their own
// pages through the real scheme handler). An empty function restores the default.
using PageSource = std::function<PageResponse(const std::string& url)>;
void SetPageSource(PageSource source);

}  // namespace kov
