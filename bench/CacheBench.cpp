// Thumbnail cache costs: serving a whole list page (the page, its held rows and every
// thumbnail the browser then fetches) for 100, 1000 and 5000 records, the page alone
// (what the first screen waits for), the staleness test of a folder of 10000 pictures,
// and opening a folder at start.
#include <benchmark/benchmark.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>

#include "folders/FolderWalker.h"
#include "pages/PageServer.h"
#include "pages/ThumbnailPages.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/ThumbCache.h"

namespace {

// A payload the size of a typical 120 x 90 thumbnail GIF.
std::string ThumbnailLikeGif(int seed) {
  std::string gif = "GIF87a";
  while (gif.size() < 3500) gif.push_back(static_cast<char>((seed * 131 + gif.size() * 17) & 0xFF));
  return gif;
}

std::string PictureName(int i) { return "picture" + std::to_string(i) + ".jpg"; }

// The benchmark folders, removed with their files when the run ends.
struct BenchFolders {
  std::map<int, std::string> byPictureCount;
  ~BenchFolders() {
    for (auto& entry : byPictureCount) {
      if (GDir* dir = g_dir_open(entry.second.c_str(), 0, nullptr)) {
        while (const gchar* name = g_dir_read_name(dir)) g_unlink((entry.second + "/" + name).c_str());
        g_dir_close(dir);
      }
      g_rmdir(entry.second.c_str());
    }
  }
};

// One folder per size, with its pictures and a current cache, kept for the whole run.
const std::string& FolderWithCache(int pictures) {
  static BenchFolders kept;
  std::map<int, std::string>& folders = kept.byPictureCount;
  auto found = folders.find(pictures);
  if (found != folders.end()) return found->second;
  gchar* made = g_dir_make_tmp("kov-bench-XXXXXX", nullptr);
  std::string folder = made;
  g_free(made);
  kov::CThumbCache writer;
  writer.CreateForWrite(kov::MakeTempFileName(folder));
  for (int i = 0; i < pictures; ++i) {
    std::string path = folder + "/" + PictureName(i);
    std::ofstream(path) << "x";
    writer.AppendFile(path, ThumbnailLikeGif(i), 90, 120);
  }
  writer.CommitTo(folder + "/kovthumb.$$$");
  return folders[pictures] = folder;
}

void BM_ServeWholeListPage(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const std::string cache = FolderWithCache(records) + "/kovthumb.$$$";
  for (auto _ : state) {
    kov::PageResponse page = kov::ServePageUrl("kovp://thumblst/" + cache);
    size_t bytes = page.body.size() + kov::ServePageUrl("kovp://thumbrows/" + cache).body.size();
    for (int i = 0; i < records; ++i)
      bytes += kov::ServePageUrl(kov::ThumbnailUrl(cache, PictureName(i), "gif")).body.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * records);
  state.SetComplexityN(records);
}
BENCHMARK(BM_ServeWholeListPage)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Complexity();

// The first response alone, with its size: the engine reads and parses all of it before
// the first screen is drawn.
void BM_ServeListPageAlone(benchmark::State& state) {
  const std::string cache = FolderWithCache(static_cast<int>(state.range(0))) + "/kovthumb.$$$";
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = kov::ServePageUrl("kovp://thumblst/" + cache).body.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["page_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ServeListPageAlone)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_EnumerateRecords(benchmark::State& state) {
  const std::string cache = FolderWithCache(static_cast<int>(state.range(0))) + "/kovthumb.$$$";
  for (auto _ : state) {
    kov::CThumbCache reader;
    reader.OpenForRead(cache);
    kov::ThumbHeader header;
    char signature[4];
    int n = 0;
    while (reader.ReadNextRecord(&header, signature)) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EnumerateRecords)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

void BM_StalenessOf10000Pictures(benchmark::State& state) {
  const std::string folder = FolderWithCache(10000);
  for (auto _ : state) {
    bool current = kov::IsFolderCurrent(folder);
    if (!current) state.SkipWithError("the folder should be current");
    benchmark::DoNotOptimize(current);
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_StalenessOf10000Pictures)->Unit(benchmark::kMillisecond);

// What the viewer does before it asks for a folder's list page: the walk opened on the
// folder (its tree and its pictures listed) and the test that its cache is current.
void BM_OpenFolderWithCurrentCache(benchmark::State& state) {
  const std::string folder = FolderWithCache(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    kov::CFolderWalker walker;
    walker.Open(folder);
    bool current = kov::IsFolderCurrent(walker.CurrentFolder());
    if (!current) state.SkipWithError("the folder should be current");
    benchmark::DoNotOptimize(current);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenFolderWithCurrentCache)->Arg(200)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
