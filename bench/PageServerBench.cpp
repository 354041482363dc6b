// Requests per second through the request object, as the scheme handler drives it:
// Start, then Read until the end.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "pages/PageBuffer.h"

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

// Draining a 100 MB response (a large picture) in the 16 KiB pieces the scheme
// handler reads: linear in the bytes, it must stay well under 0.2 s. Only the reads
// are timed.
void BM_ReadHundredMegabyteResponse(benchmark::State& state) {
  const size_t kResponse = size_t{100} << 20;
  const std::string piece(size_t{1} << 20, 'p');
  char chunk[16384];
  for (auto _ : state) {
    state.PauseTiming();
    auto buffer = std::make_unique<kov::CPageBuffer>();
    for (size_t held = 0; held < kResponse; held += piece.size()) buffer->Append(piece);
    state.ResumeTiming();
    size_t read = 0;
    while (size_t got = buffer->Read(chunk, sizeof chunk)) read += got;
    benchmark::DoNotOptimize(read);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kResponse));
}

BENCHMARK(BM_BlankPage);
BENCHMARK(BM_BuiltInPicture);
BENCHMARK(BM_ImagePage);
BENCHMARK(BM_ReadHundredMegabyteResponse)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
