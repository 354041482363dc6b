#include "formats/PixbufDecode.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/FileBytes.h"
#include "formats/BmpWriter.h"
#include "formats/CutShortPicture.h"
#include "formats/Dib.h"
#include "formats/PictureHeader.h"

namespace kov {

namespace {

// Small enough that a refused header stops the loader before it reads much more.
constexpr size_t kWriteChunk = 64 * 1024;

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// What the loader's size-prepared signal learns from the header, and the size the
// loader is then asked to decode to.
struct HeaderCheck {
  int32_t fitBox = 0;
  uint64_t maxPixels = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::string refusal;
  DecodeResult refusedAs = DecodeResult::kTooLarge;
  const std::atomic<bool>* stop = nullptr;  // checked between chunks

  bool Stopped() const { return stop != nullptr && stop->load(std::memory_order_relaxed); }
};

std::string SizeText(int64_t width, int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// The size a width x height picture is decoded to so that it fits box x box (box 0:
// any size) and holds at most maxPixels pixels (0: any number), aspect kept.
void FittedSize(int32_t width, int32_t height, int32_t box, uint64_t maxPixels, int32_t* fitWidth,
                int32_t* fitHeight) {
  *fitWidth = width, *fitHeight = height;
  double scale = 1.0;
  if (box > 0 && (width > box || height > box)) scale = double(box) / std::max(width, height);
  uint64_t pixels = uint64_t(width) * uint64_t(height);
  if (maxPixels > 0 && pixels > maxPixels) scale = std::min(scale, std::sqrt(double(maxPixels) / double(pixels)));
  if (scale >= 1.0) return;
  const int32_t most = box > 0 ? box : std::max(width, height);
  *fitWidth = std::clamp(int32_t(std::lround(width * scale)), 1, most);
  *fitHeight = std::clamp(int32_t(std::lround(height * scale)), 1, most);
}

// The refusal of a picture of that size, or "" when it may be decoded.
std::string SizeRefusal(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return "the picture has no size (" + SizeText(width, height) + ")";
  if (width > kMaxDecodeSide || height > kMaxDecodeSide ||
      uint64_t(width) * uint64_t(height) > kMaxDecodePixels)
    return "the picture is too large (" + SizeText(width, height) + ", at most " +
           std::to_string(kMaxDecodePixels >> 20) + " megapixels)";
  return "";
}

// The picture formats taken: photographs, scans, icons and drawings. The library's
// other loaders (animated cursors, Apple icons, QuickTime, X bitmaps) read no
// pictures a folder of photographs holds, and are kept away from its files.
bool IsPictureFormat(GdkPixbufFormat* format) {
  static const char* const kTaken[] = {"jpeg", "png",  "gif",  "bmp",       "tiff",
                                       "ico",  "tga",  "pnm",  "xpm",       "svg",
                                       "heif", "avif", "heif/avif", "webp", "jxl"};
  gchar* name = format ? gdk_pixbuf_format_get_name(format) : nullptr;  // a copy to free
  bool taken = false;
  for (const char* each : kTaken) taken = taken || (name && std::strcmp(name, each) == 0);
  g_free(name);
  return taken;
}

// A size of 0 x 0 makes GdkPixbuf's loaders stop before they allocate the pixels.
void OnSizePrepared(GdkPixbufLoader* loader, gint width, gint height, gpointer data) {
  auto* check = static_cast<HeaderCheck*>(data);
  check->width = width, check->height = height;
  if (!IsPictureFormat(gdk_pixbuf_loader_get_format(loader))) {
    check->refusal = "not a picture format that is read";
    check->refusedAs = DecodeResult::kUnreadable;
  } else {
    check->refusal = SizeRefusal(width, height);
  }
  if (!check->refusal.empty()) {
    gdk_pixbuf_loader_set_size(loader, 0, 0);
    return;
  }
  int32_t fitWidth, fitHeight;
  FittedSize(width, height, check->fitBox, check->maxPixels, &fitWidth, &fitHeight);
  if (fitWidth != width || fitHeight != height) gdk_pixbuf_loader_set_size(loader, fitWidth, fitHeight);
}

// Feeds the bytes in chunks; stops as soon as the header is refused, the loader
// fails or the caller stops it. The loader is always closed, so it never warns of
// unfinished work.
GdkPixbuf* LoadPixbuf(const uint8_t* data, size_t size, HeaderCheck* check, std::string* error) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), check);
  GError* gerror = nullptr;
  bool written = true;
  for (size_t at = 0; at < size && written && check->refusal.empty() && !check->Stopped();
       at += kWriteChunk)
    written = gdk_pixbuf_loader_write(loader, data + at, std::min(kWriteChunk, size - at), &gerror);
  const bool stopped = check->Stopped();
  bool closed = gdk_pixbuf_loader_close(loader, written && !stopped ? &gerror : nullptr);
  GdkPixbuf* pixbuf = nullptr;
  if (stopped) {
    SetError(error, "stopped: no longer wanted");
    check->refusedAs = DecodeResult::kStopped;
    check->refusal = "stopped";
  } else if (!check->refusal.empty()) {
    SetError(error, check->refusal);
  } else if (!written || !closed) {
    SetError(error, gerror && gerror->message ? gerror->message : "the picture cannot be decoded");
  } else if ((pixbuf = gdk_pixbuf_loader_get_pixbuf(loader)) != nullptr) {
    g_object_ref(pixbuf);
  } else {
    SetError(error, "the picture cannot be decoded");
  }
  g_clear_error(&gerror);
  g_object_unref(loader);
  return pixbuf;
}

// EXIF orientations 5 to 8 turn the picture by a quarter.
bool TurnsByQuarter(GdkPixbuf* pixbuf) {
  const gchar* orientation = gdk_pixbuf_get_option(pixbuf, "orientation");
  return orientation && orientation[0] >= '5' && orientation[0] <= '8' && orientation[1] == '\0';
}

// Some loaders (TIFF's) give every picture an alpha channel, mostly all opaque.
bool IsOpaque(GdkPixbuf* pixbuf) {
  if (!gdk_pixbuf_get_has_alpha(pixbuf)) return true;
  if (gdk_pixbuf_get_n_channels(pixbuf) != 4) return false;
  int width = gdk_pixbuf_get_width(pixbuf), height = gdk_pixbuf_get_height(pixbuf);
  int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
  for (int y = 0; y < height; ++y) {
    const guchar* row = pixels + size_t(y) * stride;
    for (int x = 0; x < width; ++x)
      if (row[size_t(x) * 4 + 3] != 255) return false;
  }
  return true;
}

// An opaque picture goes out as a 24-bit BMP (no compression to undo); one with
// transparency as a PNG at compression level 1, which keeps the alpha.
bool EncodeForEngine(GdkPixbuf* pixbuf, std::string* file, std::string* error) {
  int channels = gdk_pixbuf_get_n_channels(pixbuf);
  if (gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && (channels == 3 || channels == 4) &&
      IsOpaque(pixbuf)) {
    PixelBuffer source{gdk_pixbuf_read_pixels(pixbuf), uint32_t(gdk_pixbuf_get_width(pixbuf)),
                       uint32_t(gdk_pixbuf_get_height(pixbuf)),
                       size_t(gdk_pixbuf_get_rowstride(pixbuf)),
                       channels == 3 ? PixelLayout::kRgb : PixelLayout::kRgba};
    std::vector<uint8_t> dib;
    if (MakeDib24(source, 0, 0, source.width, source.height, &dib)) {
      std::vector<uint8_t> bmp = MakeBmpFileImage(dib);
      file->assign(bmp.begin(), bmp.end());
      return true;
    }
  }
  gchar* buffer = nullptr;
  gsize length = 0;
  GError* gerror = nullptr;
  if (!gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &length, "png", &gerror, "compression", "1",
                                 nullptr)) {
    SetError(error, gerror && gerror->message ? gerror->message : "the picture cannot be encoded");
    g_clear_error(&gerror);
    return false;
  }
  file->assign(buffer, length);
  g_free(buffer);
  return true;
}

}  // namespace

DecodeResult DecodePicture(const uint8_t* data, size_t size, int32_t fitBox, DecodedPicture* out,
                           std::string* error, uint64_t maxPixels, const std::atomic<bool>* stop) {
  if (data == nullptr || size == 0) {
    SetError(error, "the file is empty");
    return DecodeResult::kUnreadable;
  }
  if (EndsBeforeThePicture(data, size)) {
    SetError(error, "the file ends before the picture does (cut short)");
    return DecodeResult::kUnreadable;
  }
  // A size the header claims beyond the limits is refused before any loader is
  // asked: some loaders complain aloud when told to stop at the header.
  PictureSize claimed;
  if (ReadPictureHeaderSize(data, size, &claimed) == HeaderSize::kKnown) {
    std::string refusal = SizeRefusal(claimed.width, claimed.height);
    if (!refusal.empty()) {
      SetError(error, refusal);
      return DecodeResult::kTooLarge;
    }
  }
  HeaderCheck check;
  check.fitBox = fitBox;
  check.maxPixels = maxPixels;
  check.stop = stop;
  GdkPixbuf* loaded = LoadPixbuf(data, size, &check, error);
  if (!check.refusal.empty()) return check.refusedAs;
  if (loaded == nullptr) return DecodeResult::kUnreadable;
  bool quarter = TurnsByQuarter(loaded);
  GdkPixbuf* upright = gdk_pixbuf_apply_embedded_orientation(loaded);
  g_object_unref(loaded);
  if (upright == nullptr) {
    SetError(error, "the picture cannot be turned upright");
    return DecodeResult::kUnreadable;
  }
  DecodedPicture result;
  result.naturalWidth = quarter ? check.height : check.width;
  result.naturalHeight = quarter ? check.width : check.height;
  result.width = gdk_pixbuf_get_width(upright);
  result.height = gdk_pixbuf_get_height(upright);
  bool encoded = EncodeForEngine(upright, &result.file, error);
  g_object_unref(upright);
  if (!encoded) return DecodeResult::kUnreadable;
  *out = std::move(result);
  return DecodeResult::kDecoded;
}

DecodeResult DecodePictureFile(const std::string& path, int32_t fitBox, DecodedPicture* out,
                               std::string* error, uint64_t maxPixels, const std::atomic<bool>* stop) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, &bytes, error)) return DecodeResult::kUnreadable;
  return DecodePicture(bytes.data(), bytes.size(), fitBox, out, error, maxPixels, stop);
}

}  // namespace kov
