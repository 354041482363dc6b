// Not a test of correctness but the builder's measurement, run by
// bench/measure-builder.sh: it builds the caches of the folders named in
// $KOV_MEASURE_FOLDERS (separated by ':') with the real window and store and prints
// pictures per second and where the time went. Disabled in ordinary test runs.
#include <gtest/gtest.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <cstdlib>

#include "base/PathRules.h"
#include "formats/BmpWriter.h"
#include "formats/GifWriter.h"
#include "formats/OctreeQuantizer.h"
#include "tests/gui/BuilderTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/ThumbCacheStore.h"

using namespace kov;
using namespace kov::test;

namespace {

double NowMs() { return g_get_monotonic_time() / 1000.0; }

// Times of the store's steps: the record as the builder writes it, and aside, on
// the same capture, the quantiser and the GIF encoder alone.
struct StoreTimes {
  double append = 0, quantise = 0, encode = 0, aside = 0;
};

class TimingWriter : public ICacheWriter {
 public:
  TimingWriter(std::unique_ptr<ICacheWriter> inner, StoreTimes* times)
      : inner_(std::move(inner)), times_(times) {}
  bool AppendRecord(const CacheRecord& r, std::string* error) override {
    return inner_->AppendRecord(r, error);
  }
  bool AppendFile(const std::string& p, const std::string& b, int32_t h, int32_t w,
                  std::string* error) override {
    return inner_->AppendFile(p, b, h, w, error);
  }
  bool AppendCapture(const std::string& path, const std::string& dib, int32_t h, int32_t w,
                     std::string* error) override {
    double start = NowMs();
    std::vector<uint8_t> bmp = MakeBmpFileImage(std::vector<uint8_t>(dib.begin(), dib.end()));
    std::vector<uint8_t> bmp8, gif;
    COctreeQuantizer().QuantizeBmp(bmp, &bmp8);
    double quantised = NowMs();
    CGifWriter().ConvertBmp(bmp8, &gif);
    double encoded = NowMs();
    bool ok = inner_->AppendCapture(path, dib, h, w, error);
    double end = NowMs();
    times_->quantise += quantised - start;
    times_->encode += encoded - quantised;
    times_->append += end - encoded;
    times_->aside += encoded - start;
    return ok;
  }
  bool CommitTo(const std::string& finalPath, std::string* error) override {
    return inner_->CommitTo(finalPath, error);
  }
  void Discard() override { inner_->Discard(); }

 private:
  std::unique_ptr<ICacheWriter> inner_;
  StoreTimes* times_;
};

class TimingStore : public CThumbCacheStore {
 public:
  explicit TimingStore(StoreTimes* times) : times_(times) {}
  std::unique_ptr<ICacheWriter> CreateForWrite(const std::string& path, std::string* error) override {
    auto inner = CThumbCacheStore::CreateForWrite(path, error);
    if (!inner) return nullptr;
    return std::make_unique<TimingWriter>(std::move(inner), times_);
  }

 private:
  StoreTimes* times_;
};

// The longest the window thread went without running its main loop: the longest a
// click on Cancel (or any other event) waits. A 5 ms tick notes each gap.
class LongestStall {
 public:
  LongestStall() : last_(NowMs()), source_(g_timeout_add(5, Tick, this)) {}
  ~LongestStall() { g_source_remove(source_); }
  double Ms() const { return longest_; }

 private:
  static gboolean Tick(gpointer self) {
    auto* stall = static_cast<LongestStall*>(self);
    double now = NowMs();
    stall->longest_ = std::max(stall->longest_, now - stall->last_);
    stall->last_ = now;
    return G_SOURCE_CONTINUE;
  }
  double last_;
  double longest_ = 0;
  guint source_;
};

// Cancels a build of the folder after afterMs and prints how late the cancel ran (the
// window thread held elsewhere) and how long the window then took to end.
void MeasureCancel(const std::string& folder, unsigned afterMs) {
  g_unlink(JoinPath(folder, kCacheFileName).c_str());
  CThumbBuilderDlg dialog(folder, folder, false);
  ASSERT_TRUE(dialog.Create(nullptr));
  struct Timing {
    CThumbBuilderDlg* dialog;
    double due, ran = 0;
  } timing{&dialog, NowMs() + afterMs};
  guint cancel = g_timeout_add(afterMs, +[](gpointer data) {
    auto* t = static_cast<Timing*>(data);
    t->ran = NowMs();
    t->dialog->OnCancel();
    return G_SOURCE_REMOVE;
  }, &timing);
  LongestStall stall;
  BuildResult result = dialog.Run();
  double ended = NowMs();
  if (timing.ran == 0) {
    g_source_remove(cancel);
    std::printf("cancel %s after %u ms: the build had ended before\n", folder.c_str(), afterMs);
    return;
  }
  EXPECT_EQ(result, BuildResult::kCancelled);
  std::printf("cancel %s after %u ms: ran %.0f ms late, the window ended %.0f ms after it; "
              "longest stall %.0f ms\n",
              folder.c_str(), afterMs, timing.ran - timing.due, ended - timing.ran, stall.Ms());
  std::fflush(stdout);
}

void MeasureFolder(const std::string& folder) {
  g_unlink(JoinPath(folder, kCacheFileName).c_str());
  StoreTimes store;
  CThumbBuilderDlg dialog(folder, folder, false, std::make_unique<TimingStore>(&store));
  ASSERT_TRUE(dialog.Create(nullptr));
  LongestStall stall;
  double start = NowMs();
  ASSERT_EQ(dialog.Run(), BuildResult::kOk);
  // The quantiser and encoder run aside only to split the store's time.
  double wall = NowMs() - start - store.aside;
  const BuilderPhaseTimes& t = dialog.PhaseTimes();
  unsigned n = dialog.RenderedCount();
  ASSERT_GT(n, 0u);
  // A cell captured again by a later snapshot of its strip counts twice there.
  ASSERT_GE(t.pictures, n) << "every picture should have been captured";
  double quantiseAndEncode = store.quantise + store.encode;
  std::printf(
      "builder %s: %u pictures in %.0f ms: %.2f pictures/s, %.1f ms each\n"
      "  per picture (ms): load %.1f | poll wait %.1f | probe %.1f | snapshot %.1f | "
      "store %.2f (quantise %.2f, encode %.2f, write %.2f); longest stall %.0f ms\n",
      folder.c_str(), n, wall, n * 1000.0 / wall, wall / n, t.load / n, t.pollWait / n,
      t.probe / n, t.snapshot / n, (t.store - store.aside) / n, store.quantise / n,
      store.encode / n, std::max(0.0, store.append - quantiseAndEncode) / n, stall.Ms());
  std::fflush(stdout);
}

}  // namespace

TEST(ThumbBuilderMeasure, DISABLED_BuildFoldersNamedInTheEnvironment) {
  const char* folders = std::getenv("KOV_MEASURE_FOLDERS");
  ASSERT_NE(folders, nullptr) << "set KOV_MEASURE_FOLDERS";
  // In the viewer the builder's page shares the panes' running web process: one
  // pane is kept loaded here too, so no build pays for starting that process.
  CBrowserPane viewerPane;
  GtkWindow* viewerWindow = MakePaneWindow(&viewerPane, Rect{0, 0, 200, 150}, 0);
  ASSERT_NE(viewerWindow, nullptr);
  ASSERT_TRUE(LoadAndWait(&viewerPane, "kovp://blank2/"));
  gchar** list = g_strsplit(folders, ":", -1);
  for (gchar** f = list; *f; ++f) {
    if (**f) MeasureFolder(*f);
  }
  // Cancelled in the middle of the first strip, and later, as its pictures come.
  for (gchar** f = list; *f; ++f)
    for (unsigned afterMs : {150u, 400u})
      if (**f) MeasureCancel(*f, afterMs);
  g_strfreev(list);
  gtk_widget_destroy(GTK_WIDGET(viewerWindow));
}
