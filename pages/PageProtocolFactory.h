#pragma once
// The class factory of the kovp scheme: one process-wide instance, never deleted,
// that makes a CPageProtocol per request and a CPageProtocolInfo on demand.
#include "platform/Com.h"

namespace kov {

class CPageProtocolFactory : public IClassFactory {
 public:
  virtual ~CPageProtocolFactory() = default;

  HRESULT QueryInterface(const IID& riid, void** ppv) override;
  // The count is bookkeeping only; Release never goes below 0 and never deletes.
  ULONG AddRef() override;
  ULONG Release() override;
  // No aggregation. IInternetProtocol(Root) gives a new protocol object and
  // IInternetProtocolInfo a new info object, each with the count 1 in the caller's
  // hands; any other interface, IUnknown included, is E_NOINTERFACE.
  HRESULT CreateInstance(IUnknown* outer, const IID& riid, void** ppv) override;
  HRESULT LockServer(bool lock) override { return S_OK; }

 private:
  int32_t refCount_ = 0;
};

// The process's one factory.
CPageProtocolFactory& GetPageProtocolFactory();

}  // namespace kov
