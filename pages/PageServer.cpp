// Serves one kovp URL whole, through the protocol factory exactly as a browser does:
// CreateInstance, Start with a sink that only acknowledges, then Read until S_FALSE.
#include "pages/PageServer.h"

#include <strings.h>

#include "pages/PageProtocolFactory.h"

namespace kov {

namespace {

// Accepts every report; the response is taken from Read afterwards.
class CAcceptingSink : public IInternetProtocolSink {
 public:
  HRESULT QueryInterface(const IID& riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT ReportData(DWORD grfBSCF, ULONG progress, ULONG progressMax) override { return S_OK; }
  HRESULT ReportResult(HRESULT result, DWORD error, const char* text) override { return S_OK; }
};

bool StartsWith(const std::string& body, const char* prefix) {
  return body.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

PageResponse ServePageUrl(const std::string& url) {
  PageResponse response;
  void* object = nullptr;
  if (Failed(GetPageProtocolFactory().CreateInstance(nullptr, IID_IInternetProtocol, &object))) {
    response.mimeType = MimeTypeOfResponse(response.body);
    return response;
  }
  auto* protocol = static_cast<IInternetProtocol*>(object);
  CAcceptingSink sink;
  if (protocol->Start(url.c_str(), &sink, nullptr, 0, 0) == S_OK) {
    char chunk[16384];
    ULONG got = 0;
    while (protocol->Read(chunk, sizeof chunk, &got) == S_OK) response.body.append(chunk, got);
  }
  protocol->Release();
  response.mimeType = MimeTypeOfResponse(response.body);
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
