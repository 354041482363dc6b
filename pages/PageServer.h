#pragma once
// One kovp request served whole: what the WebKit scheme handler and kovtool use.
#include <string>

namespace kov {

struct PageResponse {
  std::string body;
  // The type the handler stated (CPageProtocol::SetContentType), otherwise the one
  // MimeTypeOfResponse names from the first bytes.
  std::string mimeType;
};

PageResponse ServePageUrl(const std::string& url);

// <html (any case) text/html, GIF8 image/gif, BM image/bmp, FF D8 FF image/jpeg,
// 89 "PNG" image/png, MThd audio/midi, empty text/html, otherwise
// application/octet-stream.
std::string MimeTypeOfResponse(const std::string& body);

}  // namespace kov
