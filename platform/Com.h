#pragma once
// A small COM-like base: result codes, interface ids and the abstract interfaces the
// kovp page server implements and calls. It is the seam where a Windows build would
// plug in the real pluggable-protocol service; on Linux the WebKit scheme adapter and
// kovtool drive these interfaces directly. URLs and texts are byte strings here, as
// paths are, instead of wide strings.
#include <cstdint>

namespace kov {

using HRESULT = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;

constexpr HRESULT MakeHresult(uint32_t code) { return static_cast<HRESULT>(code); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001u);
constexpr HRESULT E_NOINTERFACE = MakeHresult(0x80004002u);
constexpr HRESULT E_POINTER = MakeHresult(0x80004003u);
constexpr HRESULT E_FAIL = MakeHresult(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000Eu);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHresult(0x80040110u);
constexpr HRESULT INET_E_DEFAULT_ACTION = MakeHresult(0x800C0011u);

constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool Failed(HRESULT hr) { return hr < 0; }

struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
using IID = GUID;

bool operator==(const GUID& a, const GUID& b);
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

// The interface ids a Windows build would see.
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IInternetProtocolRoot = {
    0x79EAC9E3, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
constexpr IID IID_IInternetProtocol = {
    0x79EAC9E4, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
constexpr IID IID_IInternetProtocolSink = {
    0x79EAC9E5, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
constexpr IID IID_IInternetProtocolInfo = {
    0x79EAC9EC, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};

// ReportData flags.
constexpr DWORD BSCF_FIRSTDATANOTIFICATION = 0x01;
constexpr DWORD BSCF_LASTDATANOTIFICATION = 0x04;
constexpr DWORD BSCF_DATAFULLYAVAILABLE = 0x08;

// ParseUrl actions.
enum PARSEACTION { PARSE_CANONICALIZE = 1, PARSE_SECURITY_URL = 3 };

class IUnknown {
 public:
  virtual HRESULT QueryInterface(const IID& riid, void** ppv) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

class IClassFactory : public IUnknown {
 public:
  virtual HRESULT CreateInstance(IUnknown* outer, const IID& riid, void** ppv) = 0;
  virtual HRESULT LockServer(bool lock) = 0;

 protected:
  ~IClassFactory() = default;
};

class IInternetProtocolSink : public IUnknown {
 public:
  virtual HRESULT ReportData(DWORD grfBSCF, ULONG progress, ULONG progressMax) = 0;
  virtual HRESULT ReportResult(HRESULT result, DWORD error, const char* resultText) = 0;

 protected:
  ~IInternetProtocolSink() = default;
};

class IInternetProtocolRoot : public IUnknown {
 public:
  virtual HRESULT Start(const char* url, IInternetProtocolSink* sink, const void* bindInfo,
                        DWORD grfPI, uintptr_t reserved) = 0;
  virtual HRESULT Continue(const void* protocolData) = 0;
  virtual HRESULT Abort(HRESULT reason, DWORD options) = 0;
  virtual HRESULT Terminate(DWORD options) = 0;
  virtual HRESULT Suspend() = 0;
  virtual HRESULT Resume() = 0;

 protected:
  ~IInternetProtocolRoot() = default;
};

class IInternetProtocol : public IInternetProtocolRoot {
 public:
  virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  virtual HRESULT Seek(int64_t move, DWORD origin, uint64_t* newPosition) = 0;
  virtual HRESULT LockRequest(DWORD options) = 0;
  virtual HRESULT UnlockRequest() = 0;

 protected:
  ~IInternetProtocol() = default;
};

class IInternetProtocolInfo : public IUnknown {
 public:
  // result holds cchResult characters; *pcchResult receives the length needed with its NUL.
  virtual HRESULT ParseUrl(const char* url, int action, DWORD flags, char* result, DWORD cchResult,
                           DWORD* pcchResult, DWORD reserved) = 0;
  virtual HRESULT CombineUrl(const char* baseUrl, const char* relativeUrl, DWORD flags,
                             char* result, DWORD cchResult, DWORD* pcchResult, DWORD reserved) = 0;
  virtual HRESULT CompareUrl(const char* url1, const char* url2, DWORD flags) = 0;
  virtual HRESULT QueryInfo(const char* url, int option, DWORD flags, void* buffer, DWORD cbBuffer,
                            DWORD* pcbBuffer, DWORD reserved) = 0;

 protected:
  ~IInternetProtocolInfo() = default;
};

// Release of an object that deletes itself when its count goes from 1 to 0. A count
// that is already 0 stays 0 and deletes nothing, so a stray Release cannot free twice.
template <class T>
ULONG ReleaseAndDeleteAtZero(T* self, int32_t& count) {
  if (count <= 0) return 0;
  if (count == 1) {
    count = 0;
    delete self;
    return 0;
  }
  return static_cast<ULONG>(--count);
}

}  // namespace kov
