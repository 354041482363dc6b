#pragma once
// One kovp request served whole: what the WebKit scheme handler and kovtool use.
// Goes through the protocol factory, Start and Read exactly as a browser would.
#include <string>

namespace kov {

struct PageResponse {
  std::string body;
  std::string mimeType;  // announced from the first bytes (MimeTypeOfResponse)
};

PageResponse ServePageUrl(const std::string& url);

// <html (any case) text/html, GIF8 image/gif, BM image/bmp, MThd audio/midi,
// empty text/html, otherwise application/octet-stream.
std::string MimeTypeOfResponse(const std::string& body);

}  // namespace kov
