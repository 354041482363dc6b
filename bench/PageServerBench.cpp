// Requests per second through the request object, as the scheme handler drives it:
// Start, then Read until the end.
#include <benchmark/benchmark.h>

#include <string>

#include "pages/PageProtocol.h"
#include "res/Resources.h"

namespace {

void ServeRequests(benchmark::State& state, const char* url) {
  char chunk[16384];
  size_t bytes = 0;
  for (auto _ : state) {
    kov::CPageProtocol request;
    request.Start(url, nullptr);
    size_t got = 0;
    while (request.Read(chunk, sizeof chunk, &got) == kov::PageResult::kOk) bytes += got;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void BM_BlankPage(benchmark::State& state) { ServeRequests(state, "kovp://blank/"); }
void BM_BuiltInPicture(benchmark::State& state) { ServeRequests(state, kov::kBuiltInPictureUrl); }
void BM_ImagePage(benchmark::State& state) {
  ServeRequests(state, "kovp://image//tmp/kov%20bench/Holiday%20pictures/beach%20at%20dusk.jpg");
}

BENCHMARK(BM_BlankPage);
BENCHMARK(BM_BuiltInPicture);
BENCHMARK(BM_ImagePage);

}  // namespace
