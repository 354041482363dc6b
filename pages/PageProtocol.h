#pragma once
// One kovp request. Start parses the URL, runs exactly one handler that appends the
// whole response to the buffer, and reports it complete before returning; the
// browser then drains it with Read. No request stays pending and none fails at the
// protocol level: a missing target gives a fallback or an empty response.
#include <string>

#include "pages/PageBuffer.h"
#include "pages/PageUrl.h"
#include "platform/Com.h"

namespace kov {

class CPageProtocol : public IInternetProtocol {
 public:
  CPageProtocol() = default;
  virtual ~CPageProtocol() = default;
  CPageProtocol(const CPageProtocol&) = delete;
  CPageProtocol& operator=(const CPageProtocol&) = delete;

  HRESULT QueryInterface(const IID& riid, void** ppv) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT Start(const char* url, IInternetProtocolSink* sink, const void* bindInfo, DWORD grfPI,
                uintptr_t reserved) override;
  HRESULT Continue(const void* protocolData) override { return S_OK; }
  HRESULT Abort(HRESULT reason, DWORD options) override { return S_OK; }
  HRESULT Terminate(DWORD options) override { return S_OK; }
  HRESULT Suspend() override { return E_NOTIMPL; }
  HRESULT Resume() override { return E_NOTIMPL; }
  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT Seek(int64_t move, DWORD origin, uint64_t* newPosition) override { return E_FAIL; }
  HRESULT LockRequest(DWORD options) override { return S_OK; }
  HRESULT UnlockRequest() override { return S_OK; }

  // What the handlers work with (the thumbnail pages live in their own file).
  const std::string& GetCommand() const { return parts_.command; }
  const std::string& GetFolderPart() const { return parts_.folder; }
  const std::string& GetNamePart() const { return parts_.name; }
  // NormalizePath("/" + folder part + "/" + name part).
  std::string GetRequestPath() const { return PagePathOf(parts_); }
  CPageBuffer& Buffer() { return buffer_; }
  // Tells the sink the response is whole: ReportData(9, n, n), ReportData(12, n, n),
  // ReportResult(S_OK); a sink refusing either ReportData ends the reporting.
  void ReportComplete();

  // Handlers: each appends its response and ends with ReportComplete.
  void ServeDefaultPage();
  void ServeBlank2Page();
  void ServeBackgroundPage();
  void ServeImagePage();
  void ServeThumbMakerPage();
  void ServeBinResource();
  void ServePictureFile();
  void ServeReducedPicture();  // DecodedPictureHandlers.cpp
  void ServeDecodedPicture();
  void ServeThumbnailList();
  void ServeThumbnail();

  // The background picture URL for the request's folder: the folder's own kovbgimg
  // picture by its PictureUrlOf URL, or the built-in kovp://bin/152.gif.
  std::string GetImageBackgroundUrl() const;

 private:
  void Dispatch();
  void AppendPictureFileBytes(const std::string& path);

  int32_t refCount_ = 0;
  IInternetProtocolSink* sink_ = nullptr;  // not referenced; valid only inside Start
  CPageBuffer buffer_;
  PageUrlParts parts_;
};

}  // namespace kov
