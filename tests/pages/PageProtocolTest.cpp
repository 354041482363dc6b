// The COM side of the page server: the factory, the info object's security URL, and
// a request's Start, reporting order and Read results seen through a recording sink.
#include <gtest/gtest.h>
#include <glib.h>

#include <string>
#include <vector>

#include "pages/PageProtocol.h"
#include "pages/PageProtocolFactory.h"
#include "pages/PageProtocolInfo.h"
#include "res/Resources.h"

using namespace kov;

namespace {

struct Report {
  std::string kind;
  DWORD flags;
  ULONG progress, progressMax;
  HRESULT result;
  bool operator==(const Report& o) const {
    return kind == o.kind && flags == o.flags && progress == o.progress &&
           progressMax == o.progressMax && result == o.result;
  }
};

// Records every report; refuses the ReportData call number refuseAt (1-based).
class CRecordingSink : public IInternetProtocolSink {
 public:
  explicit CRecordingSink(int refuseAt = 0) : refuseAt_(refuseAt) {}
  HRESULT QueryInterface(const IID&, void** ppv) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT ReportData(DWORD flags, ULONG progress, ULONG progressMax) override {
    reports.push_back({"data", flags, progress, progressMax, 0});
    return ++dataCalls_ == refuseAt_ ? E_FAIL : S_OK;
  }
  HRESULT ReportResult(HRESULT result, DWORD error, const char* text) override {
    reports.push_back({"result", error, 0, 0, result});
    resultTextWasNull = text == nullptr;
    return S_OK;
  }
  std::vector<Report> reports;
  bool resultTextWasNull = false;

 private:
  int refuseAt_;
  int dataCalls_ = 0;
};

IInternetProtocol* NewProtocol() {
  void* object = nullptr;
  EXPECT_EQ(GetPageProtocolFactory().CreateInstance(nullptr, IID_IInternetProtocol, &object), S_OK);
  return static_cast<IInternetProtocol*>(object);
}

std::vector<Report> Complete(ULONG n) {
  return {{"data", 9, n, n, 0}, {"data", 12, n, n, 0}, {"result", 0, 0, 0, S_OK}};
}

std::string Resource(int id, ResourceType type) {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(id, type, &bytes));
  return bytes;
}

}  // namespace

TEST(PageProtocol, ReportsCompleteOnceAndReadsToTheEnd) {
  std::string page = Resource(157, ResourceType::kHtml);
  ASSERT_FALSE(page.empty());
  IInternetProtocol* protocol = NewProtocol();
  CRecordingSink sink;
  EXPECT_EQ(protocol->Start("kovp://blank/", &sink, nullptr, 0, 0), S_OK);
  EXPECT_EQ(sink.reports, Complete(static_cast<ULONG>(page.size())));
  EXPECT_TRUE(sink.resultTextWasNull);

  // Exactly the remaining length is S_OK; only the following read is S_FALSE.
  std::string got(page.size(), '\0');
  ULONG n = 0;
  EXPECT_EQ(protocol->Read(&got[0], 10, &n), S_OK);
  EXPECT_EQ(n, 10u);
  EXPECT_EQ(protocol->Read(&got[10], static_cast<ULONG>(page.size() - 10), &n), S_OK);
  EXPECT_EQ(got, page);
  EXPECT_EQ(protocol->Read(&got[0], 10, &n), S_FALSE);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(protocol->Release(), 0u);

  // A read larger than the response returns it whole.
  protocol = NewProtocol();
  EXPECT_EQ(protocol->Start("kovp://blank2", nullptr, nullptr, 0, 0), S_OK);  // no sink: no reports
  std::string big(1 << 17, '\0');
  EXPECT_EQ(protocol->Read(&big[0], static_cast<ULONG>(big.size()), &n), S_OK);
  EXPECT_EQ(big.substr(0, n), Resource(177, ResourceType::kHtml));
  EXPECT_EQ(protocol->Read(&big[0], 1, &n), S_FALSE);
  EXPECT_EQ(protocol->Read(nullptr, 1, &n), E_POINTER);
  protocol->Release();
}

TEST(PageProtocol, RefusedReportsStopAndEmptyResponsesStillComplete) {
  for (int refuseAt : {1, 2}) {
    IInternetProtocol* protocol = NewProtocol();
    CRecordingSink sink(refuseAt);
    EXPECT_EQ(protocol->Start("kovp://blank/", &sink, nullptr, 0, 0), S_OK);
    ASSERT_EQ(sink.reports.size(), static_cast<size_t>(refuseAt)) << refuseAt;
    EXPECT_EQ(sink.reports.back().kind, "data");
    char byte;
    ULONG n = 0;
    EXPECT_EQ(protocol->Read(&byte, 1, &n), S_OK);  // the response is there all the same
    protocol->Release();
  }

  IInternetProtocol* protocol = NewProtocol();
  CRecordingSink sink;
  EXPECT_EQ(protocol->Start("kovp://bin/999", &sink, nullptr, 0, 0), S_OK);
  EXPECT_EQ(sink.reports, Complete(0));
  char byte;
  ULONG n = 7;
  EXPECT_EQ(protocol->Read(&byte, 1, &n), S_FALSE);
  EXPECT_EQ(n, 0u);
  protocol->Release();
}

TEST(PageProtocol, MethodResultsAndReferenceCounts) {
  CPageProtocol local;  // count 0: Release must not delete it
  EXPECT_EQ(local.Release(), 0u);
  EXPECT_EQ(local.Continue(nullptr), S_OK);
  EXPECT_EQ(local.Abort(E_FAIL, 0), S_OK);
  EXPECT_EQ(local.Terminate(0), S_OK);
  EXPECT_EQ(local.Suspend(), E_NOTIMPL);
  EXPECT_EQ(local.Resume(), E_NOTIMPL);
  EXPECT_EQ(local.Seek(0, 0, nullptr), E_FAIL);
  EXPECT_EQ(local.LockRequest(0), S_OK);
  EXPECT_EQ(local.UnlockRequest(), S_OK);

  void* ppv = &local;
  EXPECT_EQ(local.QueryInterface(IID_IClassFactory, &ppv), E_NOINTERFACE);
  EXPECT_EQ(ppv, nullptr);
  for (const IID& iid : {IID_IUnknown, IID_IInternetProtocolRoot, IID_IInternetProtocol}) {
    EXPECT_EQ(local.QueryInterface(iid, &ppv), S_OK);
    EXPECT_EQ(ppv, static_cast<IInternetProtocol*>(&local));
  }
  EXPECT_EQ(local.AddRef(), 4u);
  EXPECT_EQ(local.Release(), 3u);
}

TEST(PageProtocolFactory, CreatesOnlyTheProtocolAndInfoObjects) {
  CPageProtocolFactory& factory = GetPageProtocolFactory();
  EXPECT_EQ(&factory, &GetPageProtocolFactory());
  void* ppv = nullptr;
  EXPECT_EQ(factory.QueryInterface(IID_IClassFactory, &ppv), S_OK);
  EXPECT_EQ(ppv, static_cast<IClassFactory*>(&factory));
  factory.Release();
  for (int i = 0; i < 5; ++i) factory.Release();
  EXPECT_EQ(factory.Release(), 0u);  // never below 0, never deleted
  EXPECT_EQ(factory.AddRef(), 1u);
  EXPECT_EQ(factory.Release(), 0u);
  EXPECT_EQ(factory.LockServer(true), S_OK);

  ppv = &factory;
  EXPECT_EQ(factory.CreateInstance(reinterpret_cast<IUnknown*>(&factory), IID_IInternetProtocol, &ppv),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(ppv, nullptr);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IUnknown, &ppv), E_NOINTERFACE);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IClassFactory, &ppv), E_NOINTERFACE);
  EXPECT_EQ(ppv, nullptr);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IInternetProtocol, nullptr), E_POINTER);

  ASSERT_EQ(factory.CreateInstance(nullptr, IID_IInternetProtocolRoot, &ppv), S_OK);
  auto* root = static_cast<IInternetProtocolRoot*>(ppv);
  void* asProtocol = nullptr;
  EXPECT_EQ(root->QueryInterface(IID_IInternetProtocol, &asProtocol), S_OK);
  EXPECT_EQ(root->Release(), 1u);  // the caller held one reference, the query added one
  EXPECT_EQ(static_cast<IInternetProtocol*>(asProtocol)->Release(), 0u);

  ASSERT_EQ(factory.CreateInstance(nullptr, IID_IInternetProtocolInfo, &ppv), S_OK);
  auto* info = static_cast<IInternetProtocolInfo*>(ppv);
  EXPECT_EQ(info->QueryInterface(IID_IInternetProtocol, &asProtocol), E_NOINTERFACE);
  EXPECT_EQ(asProtocol, nullptr);
  EXPECT_EQ(info->Release(), 0u);
}

TEST(PageProtocolInfo, SecurityUrlIsTheProgramFileForEveryUrl) {
  gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
  ASSERT_NE(exe, nullptr);
  std::string expected = std::string("file://") + exe;
  g_free(exe);
  DWORD needed = static_cast<DWORD>(expected.size() + 1);  // path length + 8

  auto* info = new CPageProtocolInfo();
  info->AddRef();
  std::string result(needed + 8, 'x');
  DWORD reported = 0;
  EXPECT_EQ(info->ParseUrl("kovp://blank/", PARSE_SECURITY_URL, 0, &result[0], needed - 1,
                           &reported, 0),
            S_FALSE);
  EXPECT_EQ(reported, needed);
  EXPECT_EQ(result, std::string(needed + 8, 'x'));  // nothing written
  for (const char* url : {"kovp://blank/", "kovp://image//tmp/x.jpg"}) {
    EXPECT_EQ(info->ParseUrl(url, PARSE_SECURITY_URL, 0, &result[0], needed, &reported, 0), S_OK);
    EXPECT_EQ(std::string(result.c_str()), expected);
  }
  EXPECT_EQ(info->ParseUrl("kovp://blank/", PARSE_CANONICALIZE, 0, &result[0], needed, &reported, 0),
            INET_E_DEFAULT_ACTION);
  EXPECT_EQ(info->CombineUrl("a", "b", 0, nullptr, 0, nullptr, 0), INET_E_DEFAULT_ACTION);
  EXPECT_EQ(info->CompareUrl("a", "b", 0), INET_E_DEFAULT_ACTION);
  EXPECT_EQ(info->QueryInfo("a", 0, 0, nullptr, 0, nullptr, 0), E_NOTIMPL);
  EXPECT_EQ(info->Release(), 0u);
}
