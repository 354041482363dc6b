#include "pages/PageProtocolInfo.h"

#include <glib.h>

#include <cstring>

namespace kov {

HRESULT CPageProtocolInfo::QueryInterface(const IID& riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IInternetProtocolInfo) {
    *ppv = static_cast<IInternetProtocolInfo*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG CPageProtocolInfo::AddRef() { return static_cast<ULONG>(++refCount_); }

ULONG CPageProtocolInfo::Release() {
  return ReleaseAndDeleteAtZero(this, refCount_);
}

std::string PageSecurityUrl() {
  gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
  if (!exe) return "";
  std::string url = std::string("file://") + exe;
  g_free(exe);
  return url;
}

HRESULT CPageProtocolInfo::ParseUrl(const char* url, int action, DWORD flags, char* result,
                                    DWORD cchResult, DWORD* pcchResult, DWORD reserved) {
  if (action != PARSE_SECURITY_URL) return INET_E_DEFAULT_ACTION;
  if (!pcchResult) return E_POINTER;
  std::string securityUrl = PageSecurityUrl();
  if (securityUrl.empty()) return E_FAIL;
  DWORD needed = static_cast<DWORD>(securityUrl.size() + 1);
  *pcchResult = needed;
  if (cchResult < needed) return S_FALSE;
  if (!result) return E_POINTER;
  std::memcpy(result, securityUrl.c_str(), needed);
  return S_OK;
}

}  // namespace kov
