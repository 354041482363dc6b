#include "pages/PageProtocolFactory.h"

#include <new>

#include "pages/PageProtocol.h"
#include "pages/PageProtocolInfo.h"

namespace kov {

HRESULT CPageProtocolFactory::QueryInterface(const IID& riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IClassFactory) {
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG CPageProtocolFactory::AddRef() { return static_cast<ULONG>(++refCount_); }

ULONG CPageProtocolFactory::Release() {
  if (refCount_ > 0) --refCount_;
  return static_cast<ULONG>(refCount_);
}

HRESULT CPageProtocolFactory::CreateInstance(IUnknown* outer, const IID& riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (riid == IID_IInternetProtocolRoot || riid == IID_IInternetProtocol) {
    auto* protocol = new (std::nothrow) CPageProtocol();
    if (!protocol) return E_OUTOFMEMORY;
    if (!protocol->Buffer().HasBlock()) {
      delete protocol;
      return E_OUTOFMEMORY;
    }
    HRESULT hr = protocol->QueryInterface(riid, ppv);
    if (Failed(hr)) delete protocol;
    return hr;
  }
  if (riid == IID_IInternetProtocolInfo) {
    auto* info = new (std::nothrow) CPageProtocolInfo();
    if (!info) return E_OUTOFMEMORY;
    if (Failed(info->QueryInterface(riid, ppv))) {
      delete info;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  return E_NOINTERFACE;
}

CPageProtocolFactory& GetPageProtocolFactory() {
  static CPageProtocolFactory* factory = new CPageProtocolFactory();
  return *factory;
}

}  // namespace kov
