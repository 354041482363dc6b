// Quantise plus encode a 120 x 120 thumbnail: time per thumbnail, PSNR of the
// GIF against the 24-bit input, and GIF size against giflib's own encoder fed
// the same indices and colour table (all measured in the same run).
#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/FileBytes.h"
#include "formats/BmpReader.h"
#include "formats/BmpToGif.h"
#include "formats/ScreenCapture.h"

namespace {

constexpr uint32_t kSide = 120;
using Rgb = std::vector<uint8_t>;  // top-down RGB, kSide x kSide

Rgb Make(uint8_t (*channel)(uint32_t x, uint32_t y, int c)) {
  Rgb rgb;
  for (uint32_t y = 0; y < kSide; ++y)
    for (uint32_t x = 0; x < kSide; ++x)
      for (int c = 0; c < 3; ++c) rgb.push_back(channel(x, y, c));
  return rgb;
}

Rgb Noise() {
  std::mt19937 rng(1);
  Rgb rgb(kSide * kSide * 3);
  for (uint8_t& v : rgb) v = uint8_t(rng());
  return rgb;
}

// Photo-like: a smooth sky-to-ground gradient, soft-edged discs, fine texture
// and sensor-like noise.
Rgb PhotoLike(unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(0, 1);
  struct Disc {
    double x, y, r, c[3];
  };
  std::vector<Disc> discs(6);
  for (Disc& d : discs) d = {u(rng) * kSide, u(rng) * kSide, 8 + u(rng) * 30, {u(rng) * 255, u(rng) * 255, u(rng) * 255}};
  double top[3] = {u(rng) * 255, u(rng) * 255, u(rng) * 255}, bottom[3] = {u(rng) * 255, u(rng) * 255, u(rng) * 255};
  std::normal_distribution<double> grain(0, 3);
  Rgb rgb;
  for (uint32_t y = 0; y < kSide; ++y)
    for (uint32_t x = 0; x < kSide; ++x) {
      double t = double(y) / kSide, px[3];
      for (int c = 0; c < 3; ++c) px[c] = top[c] * (1 - t) + bottom[c] * t;
      for (const Disc& d : discs) {
        double dist = std::hypot(x - d.x, y - d.y), a = std::clamp((d.r - dist) / 4, 0.0, 1.0);
        for (int c = 0; c < 3; ++c) px[c] = px[c] * (1 - a) + d.c[c] * a * (0.8 + 0.2 * std::sin(x * 0.3 + y * 0.2));
      }
      for (int c = 0; c < 3; ++c) rgb.push_back(uint8_t(std::clamp(px[c] + grain(rng), 0.0, 255.0)));
    }
  return rgb;
}

// A picture made by ImageMagick (its built-in photograph, or a plasma fractal),
// scaled into 120 x 120; empty when ImageMagick is not there.
Rgb FromImageMagick(const std::string& source) {
  std::string path = "/tmp/kov-bench-" + std::to_string(getpid()) + ".bmp";
  std::string cmd = "convert " + source + " -resize 120x120! -type TrueColor BMP3:" + path + " 2>/dev/null";
  std::vector<uint8_t> bytes;
  kov::RgbImage image;
  bool ok = std::system(cmd.c_str()) == 0 && kov::ReadFileBytes(path, &bytes, nullptr) &&
            kov::ReadBmpImage(bytes.data(), bytes.size(), &image, nullptr) && image.width == kSide;
  unlink(path.c_str());
  if (!ok) return {};
  Rgb rgb(image.rgb.size());  // bottom-up to top-down
  for (uint32_t y = 0; y < kSide; ++y)
    std::memcpy(&rgb[y * kSide * 3], &image.rgb[(kSide - 1 - y) * kSide * 3], kSide * 3);
  return rgb;
}

std::vector<uint8_t> ToBmp(const Rgb& rgb) {
  kov::PixelBuffer buffer{rgb.data(), kSide, kSide, kSide * 3, kov::PixelLayout::kRgb};
  return kov::CScreenCapture(buffer, {0, 0, int(kSide), int(kSide)}).GetBmpFileImage();
}

struct Memory {
  const std::vector<uint8_t>* in = nullptr;
  size_t at = 0;
  std::vector<uint8_t> out;
};

int ReadMem(GifFileType* g, GifByteType* buf, int len) {
  auto* m = static_cast<Memory*>(g->UserData);
  size_t n = std::min(size_t(len), m->in->size() - m->at);
  std::memcpy(buf, m->in->data() + m->at, n);
  m->at += n;
  return int(n);
}

int WriteMem(GifFileType* g, const GifByteType* buf, int len) {
  auto* m = static_cast<Memory*>(g->UserData);
  m->out.insert(m->out.end(), buf, buf + len);
  return len;
}

struct Measured {
  double psnr = 0;
  size_t giflibBytes = 0;
};

// Decodes our GIF, compares its colours with the input and encodes its indices
// and colour table again with giflib.
bool Measure(const std::vector<uint8_t>& gif, const Rgb& input, Measured* m) {
  Memory mem{&gif, 0, {}};
  int err = 0;
  GifFileType* in = DGifOpen(&mem, ReadMem, &err);
  if (!in) return false;
  bool ok = DGifSlurp(in) == GIF_OK && in->ImageCount == 1;
  if (ok) {
    const GifPixelType* idx = in->SavedImages[0].RasterBits;
    const ColorMapObject* map = in->SColorMap;
    double sq = 0;
    for (size_t i = 0; i < kSide * kSide; ++i) {
      GifColorType c = map->Colors[idx[i]];
      double d[3] = {double(c.Red) - input[3 * i], double(c.Green) - input[3 * i + 1], double(c.Blue) - input[3 * i + 2]};
      sq += d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    }
    double mse = sq / (kSide * kSide * 3);
    m->psnr = mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
    Memory outMem;
    GifFileType* out = EGifOpen(&outMem, WriteMem, &err);
    ColorMapObject* copy = GifMakeMapObject(map->ColorCount, map->Colors);
    ok = out && EGifPutScreenDesc(out, kSide, kSide, map->BitsPerPixel, 0, copy) == GIF_OK &&
         EGifPutImageDesc(out, 0, 0, kSide, kSide, false, nullptr) == GIF_OK;
    for (uint32_t y = 0; ok && y < kSide; ++y)
      ok = EGifPutLine(out, const_cast<GifPixelType*>(idx + y * kSide), kSide) == GIF_OK;
    if (out) EGifCloseFile(out, &err);
    GifFreeMapObject(copy);
    m->giflibBytes = outMem.out.size();
  }
  DGifCloseFile(in, &err);
  return ok;
}

void BM_ThumbnailToGif(benchmark::State& state, Rgb (*make)()) {
  Rgb rgb = make();
  if (rgb.empty()) {
    state.SkipWithError("picture not available (ImageMagick missing)");
    return;
  }
  std::vector<uint8_t> bmp = ToBmp(rgb), gif;
  for (auto _ : state) {
    if (!kov::ConvertBmpToGif(bmp, &gif)) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(gif.data());
  }
  Measured m;
  if (!Measure(gif, rgb, &m)) state.SkipWithError("giflib could not read or write the GIF");
  state.counters["psnr_db"] = m.psnr;
  state.counters["gif_bytes"] = double(gif.size());
  state.counters["giflib_bytes"] = double(m.giflibBytes);
  state.counters["size_ratio"] = double(gif.size()) / double(m.giflibBytes);
}

Rgb Flat() { return Make([](uint32_t, uint32_t, int c) { return uint8_t(60 + 50 * c); }); }
Rgb Gradient() {
  return Make([](uint32_t x, uint32_t y, int c) { return uint8_t(c == 0 ? x * 2 : c == 1 ? y * 2 : (x + y)); });
}
Rgb Photo1() { return PhotoLike(1); }
Rgb Photo2() { return PhotoLike(2); }
Rgb Photo3() { return PhotoLike(3); }
Rgb Rose() { return FromImageMagick("rose:"); }
Rgb Plasma() { return FromImageMagick("-seed 7 -size 120x120 plasma:fractal"); }

BENCHMARK_CAPTURE(BM_ThumbnailToGif, flat, &Flat)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, gradient, &Gradient)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, noise, &Noise)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, natural_photo_rose, &Rose)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, natural_plasma, &Plasma)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, photolike_1, &Photo1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, photolike_2, &Photo2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThumbnailToGif, photolike_3, &Photo3)->Unit(benchmark::kMicrosecond);

}  // namespace
