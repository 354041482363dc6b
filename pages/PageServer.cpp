// Seed until the page protocol exists.
#include "pages/PageServer.h"

namespace kov {
PageResponse ServePageUrl(const std::string& url) { return {"", "text/html"}; }
std::string MimeTypeOfResponse(const std::string& body) { return "text/html"; }
}  // namespace kov
