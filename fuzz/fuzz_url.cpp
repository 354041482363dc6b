// Arbitrary bytes after "kovp://" through canonicalisation, parsing and dispatch:
// every request must end with a response (or an empty one) and never read or write
// outside its data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pages/PageServer.h"
#include "pages/PageUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string tail(reinterpret_cast<const char*>(data), size);
  std::string url = "kovp://" + tail;

  std::string canonical = kov::CanonicalizePageUrl(url);
  if (canonical.size() > url.size()) std::abort();  // decoding only ever shortens
  kov::PageUrlParts parts;
  if (kov::ParsePageUrl(canonical, &parts)) {
    if (parts.command.size() > kov::kMaxPageCommandLength) std::abort();
    if (parts.command.find('/') != std::string::npos) std::abort();
    if (parts.name.find('/') != std::string::npos) std::abort();
  }
  // Whole URLs, with and without the scheme, through the server as a browser asks.
  kov::ServePageUrl(url);
  kov::ServePageUrl(tail);
  return 0;
}
