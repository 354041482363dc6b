// Requests per second through the protocol object, as a browser drives it:
// CreateInstance, Start, Read until S_FALSE, Release.
#include <benchmark/benchmark.h>

#include <string>

#include "pages/PageProtocolFactory.h"

namespace {

class CNullSink : public kov::IInternetProtocolSink {
 public:
  kov::HRESULT QueryInterface(const kov::IID&, void** ppv) override { return kov::E_NOINTERFACE; }
  kov::ULONG AddRef() override { return 1; }
  kov::ULONG Release() override { return 1; }
  kov::HRESULT ReportData(kov::DWORD, kov::ULONG, kov::ULONG) override { return kov::S_OK; }
  kov::HRESULT ReportResult(kov::HRESULT, kov::DWORD, const char*) override { return kov::S_OK; }
};

void ServeRequests(benchmark::State& state, const char* url) {
  CNullSink sink;
  char chunk[16384];
  size_t bytes = 0;
  for (auto _ : state) {
    void* object = nullptr;
    kov::GetPageProtocolFactory().CreateInstance(nullptr, kov::IID_IInternetProtocol, &object);
    auto* protocol = static_cast<kov::IInternetProtocol*>(object);
    protocol->Start(url, &sink, nullptr, 0, 0);
    kov::ULONG got = 0;
    while (protocol->Read(chunk, sizeof chunk, &got) == kov::S_OK) bytes += got;
    protocol->Release();
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void BM_BlankPage(benchmark::State& state) { ServeRequests(state, "kovp://blank/"); }
void BM_BuiltInPicture(benchmark::State& state) { ServeRequests(state, "kovp://bin/152.gif"); }
void BM_ImagePage(benchmark::State& state) {
  ServeRequests(state, "kovp://image//tmp/kov%20bench/Holiday%20pictures/beach%20at%20dusk.jpg");
}

BENCHMARK(BM_BlankPage);
BENCHMARK(BM_BuiltInPicture);
BENCHMARK(BM_ImagePage);

}  // namespace
