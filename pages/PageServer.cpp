// Serves one kovp URL whole: one request object, Start, then Read until the end.
#include "pages/PageServer.h"

#include <strings.h>

#include "pages/PageProtocol.h"

namespace kov {

namespace {

// Learns the response's length from the first report, so the body grows once.
class CReservingSink : public IPageSink {
 public:
  explicit CReservingSink(std::string* body) : body_(body) {}
  bool ReportData(unsigned flags, size_t bytes, size_t bytesMax) override {
    if (flags & kPageDataFirst) body_->reserve(bytesMax);
    return true;
  }
  void ReportResult(PageResult result) override {}

 private:
  std::string* body_;
};

bool StartsWith(const std::string& body, const char* prefix) {
  return body.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

PageResponse ServePageUrl(const std::string& url) {
  PageResponse response;
  CPageProtocol request;
  CReservingSink sink(&response.body);
  if (request.Buffer().HasBlock() && request.Start(url, &sink) == PageResult::kOk) {
    char chunk[16384];
    size_t got = 0;
    while (request.Read(chunk, sizeof chunk, &got) == PageResult::kOk) response.body.append(chunk, got);
  }
  const std::string& stated = request.GetContentType();
  response.mimeType = stated.empty() ? MimeTypeOfResponse(response.body) : stated;
  return response;
}

std::string MimeTypeOfResponse(const std::string& body) {
  if (body.empty()) return "text/html";
  if (body.size() >= 5 && strncasecmp(body.c_str(), "<html", 5) == 0) return "text/html";
  if (StartsWith(body, "GIF8")) return "image/gif";
  if (StartsWith(body, "BM")) return "image/bmp";
  if (StartsWith(body, "\xFF\xD8\xFF")) return "image/jpeg";
  if (StartsWith(body, "\x89PNG")) return "image/png";
  if (StartsWith(body, "MThd")) return "audio/midi";
  return "application/octet-stream";
}

}  // namespace kov
