#pragma once
// Answers the URL questions of the kovp scheme: only the security URL, which puts
// every kovp page in the zone of the program's own file; everything else is left to
// the default action.
#include <string>

#include "platform/Com.h"

namespace kov {

class CPageProtocolInfo : public IInternetProtocolInfo {
 public:
  virtual ~CPageProtocolInfo() = default;

  HRESULT QueryInterface(const IID& riid, void** ppv) override;
  ULONG AddRef() override;
  ULONG Release() override;  // deletes the object when the count goes from 1 to 0

  // PARSE_SECURITY_URL: "file://" + the program's path, whatever the URL.
  // *pcchResult = its length + 1; S_FALSE and nothing written when cchResult is less.
  HRESULT ParseUrl(const char* url, int action, DWORD flags, char* result, DWORD cchResult,
                   DWORD* pcchResult, DWORD reserved) override;
  HRESULT CombineUrl(const char* baseUrl, const char* relativeUrl, DWORD flags, char* result,
                     DWORD cchResult, DWORD* pcchResult, DWORD reserved) override {
    return INET_E_DEFAULT_ACTION;
  }
  HRESULT CompareUrl(const char* url1, const char* url2, DWORD flags) override {
    return INET_E_DEFAULT_ACTION;
  }
  HRESULT QueryInfo(const char* url, int option, DWORD flags, void* buffer, DWORD cbBuffer,
                    DWORD* pcbBuffer, DWORD reserved) override {
    return E_NOTIMPL;
  }

 private:
  int32_t refCount_ = 0;
};

// The security URL every kovp page gets; empty when the program's path is unknown.
std::string PageSecurityUrl();

}  // namespace kov
