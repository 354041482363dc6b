#include "pages/PageProtocol.h"

#include <strings.h>

#include <new>

namespace kov {

namespace {

using Handler = void (CPageProtocol::*)();

struct CommandEntry {
  const char* command;
  Handler handler;
};

// Looked up in this order, without regard to letter case; the first match wins and
// anything else, the empty command included, gets the default page.
const CommandEntry kCommands[] = {
    {"blank", &CPageProtocol::ServeDefaultPage},
    {"image", &CPageProtocol::ServeImagePage},
    {"bin", &CPageProtocol::ServeBinResource},
    {"thumbmk", &CPageProtocol::ServeThumbMakerPage},
    {"thumbvw", &CPageProtocol::ServeThumbnail},
    {"thumblst", &CPageProtocol::ServeThumbnailList},
    {"background", &CPageProtocol::ServeBackgroundPage},
    {"blank2", &CPageProtocol::ServeBlank2Page},
    {"picture", &CPageProtocol::ServePictureFile},
    {"reduced", &CPageProtocol::ServeReducedPicture},
    {"decoded", &CPageProtocol::ServeDecodedPicture},
};

}  // namespace

HRESULT CPageProtocol::QueryInterface(const IID& riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IInternetProtocolRoot || riid == IID_IInternetProtocol) {
    *ppv = static_cast<IInternetProtocol*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG CPageProtocol::AddRef() { return static_cast<ULONG>(++refCount_); }

ULONG CPageProtocol::Release() {
  return ReleaseAndDeleteAtZero(this, refCount_);
}

HRESULT CPageProtocol::Start(const char* url, IInternetProtocolSink* sink, const void* bindInfo,
                             DWORD grfPI, uintptr_t reserved) {
  parts_ = PageUrlParts();
  sink_ = sink;
  try {
    std::string canonical = CanonicalizePageUrl(url ? url : "");
    if (!ParsePageUrl(canonical, &parts_)) parts_ = PageUrlParts();
    Dispatch();
  } catch (const std::bad_alloc&) {
    sink_ = nullptr;
    return E_OUTOFMEMORY;
  }
  sink_ = nullptr;
  return S_OK;
}

void CPageProtocol::Dispatch() {
  for (const CommandEntry& entry : kCommands) {
    if (strcasecmp(parts_.command.c_str(), entry.command) == 0) {
      (this->*entry.handler)();
      return;
    }
  }
  ServeDefaultPage();
}

void CPageProtocol::ReportComplete() {
  if (!sink_) return;
  ULONG n = static_cast<ULONG>(buffer_.GetTotalAppended());
  if (sink_->ReportData(BSCF_FIRSTDATANOTIFICATION | BSCF_DATAFULLYAVAILABLE, n, n) != S_OK) return;
  if (sink_->ReportData(BSCF_LASTDATANOTIFICATION | BSCF_DATAFULLYAVAILABLE, n, n) != S_OK) return;
  sink_->ReportResult(S_OK, 0, nullptr);
}

HRESULT CPageProtocol::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv && cb > 0) return E_POINTER;
  size_t k = buffer_.Read(pv, cb);
  if (pcbRead) *pcbRead = static_cast<ULONG>(k);
  return k > 0 ? S_OK : S_FALSE;
}

}  // namespace kov
