// Taking one picture off the thumbnail-making page: one script call waits until the
// picture is painted and reads the page's state, the picture's rectangle and
// natural size; a snapshot of the visible region then gives what the engine
// painted, cropped to that rectangle.
#include "thumbs/gui/ThumbBuilderDlg.h"

#include <algorithm>
#include <cmath>

#include "platform/Trace.h"
#include "platform/gui/KeyState.h"

namespace kov {

namespace {

CaptureResult Failed() { return CaptureResult{CaptureResult::Status::kFailed, 0, 0, {}}; }

CaptureResult NotReady() { return CaptureResult{CaptureResult::Status::kNotReady, 0, 0, {}}; }

// On a scaled screen the snapshot and the picture's rectangle are in device pixels,
// while a thumbnail is as many pixels as the page shows it. The rectangle is then
// drawn down to its size in page pixels, and *rect becomes the whole of that
// surface; on an unscaled screen the snapshot is used as it is. Bilinear sampling
// at a whole-number scale averages only the device pixels of each page pixel, so
// the picture's edges take in nothing of the page around it.
cairo_surface_t* AtPagePixels(cairo_surface_t* snapshot, GtkWidget* view, CaptureRect* rect) {
  int pageWidth = gtk_widget_get_allocated_width(view);
  int snapshotWidth = cairo_image_surface_get_width(snapshot);
  if (pageWidth <= 0 || snapshotWidth == pageWidth) return cairo_surface_reference(snapshot);
  double scale = double(snapshotWidth) / pageWidth;
  int deviceWidth = rect->right - rect->left, deviceHeight = rect->bottom - rect->top;
  int width = std::max(1, int(std::lround(deviceWidth / scale)));
  int height = std::max(1, int(std::lround(deviceHeight / scale)));
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(copy);
  cairo_scale(cr, double(width) / deviceWidth, double(height) / deviceHeight);
  cairo_set_source_surface(cr, snapshot, -rect->left, -rect->top);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_paint(cr);
  cairo_destroy(cr);
  *rect = {0, 0, width, height};
  return copy;
}

}  // namespace

struct CThumbBuilderDlg::SnapshotRequest {
  CThumbBuilderDlg* dialog;
  unsigned token;
  PictureProbe probe;
  CaptureRect rect;
};

void CThumbBuilderDlg::RequestCapture(unsigned token) {
  if (firstProbeAt_ == 0) firstProbeAt_ = g_get_monotonic_time();
  // The answer waits for the picture's pixels to be painted, so the snapshot
  // cannot catch the page before the engine has decoded them.
  static const std::string body = PaintedPictureProbeBody();
  pane_->ReadAsyncScriptJson(body, [this, token](bool ok, const std::string& json) {
    OnProbe(token, ok, json);
  });
}

void CThumbBuilderDlg::OnProbe(unsigned token, bool ok, const std::string& json) {
  PictureProbe probe;
  CaptureRect rect;
  // A hidden window paints no frames, so its probe only ever answers "not painted
  // yet"; it answers as failed instead, and the builder, seeing it hidden, cancels.
  if (!IsShown()) {
    Answer(token, Failed());
    return;
  }
  // A script call that fails is asked again at the next poll, as a page not ready.
  if (!ok || !ParsePictureProbe(json, &probe)) {
    Answer(token, NotReady());
    return;
  }
  switch (DecideCapture(probe, &rect)) {
    case ProbeVerdict::kWait:
      Answer(token, NotReady());
      break;
    case ProbeVerdict::kFailed:
      // Broken files end here; the probe's numbers say why a good one did.
      if (TraceEnabled()) TraceLine("builder probe refused " + json);
      Answer(token, Failed());
      break;
    case ProbeVerdict::kCapture:
      TakeSnapshot(token, probe, rect);
      break;
  }
}

void CThumbBuilderDlg::TakeSnapshot(unsigned token, const PictureProbe& probe,
                                    const CaptureRect& rect) {
  probedAt_ = g_get_monotonic_time();
  webkit_web_view_get_snapshot(pane_->View(), WEBKIT_SNAPSHOT_REGION_VISIBLE,
                               WEBKIT_SNAPSHOT_OPTIONS_NONE, snapshots_, OnSnapshotReady,
                               new SnapshotRequest{this, token, probe, rect});
}

void CThumbBuilderDlg::OnSnapshotReady(GObject* view, GAsyncResult* result, gpointer data) {
  std::unique_ptr<SnapshotRequest> request(static_cast<SnapshotRequest*>(data));
  GError* error = nullptr;
  cairo_surface_t* surface =
      webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, &error);
  // Cancelled: the window is gone, and so is the request's dialog.
  bool cancelled = error != nullptr && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
  if (error != nullptr) g_error_free(error);
  if (!cancelled) request->dialog->OnSnapshot(*request, surface);
  if (surface != nullptr) cairo_surface_destroy(surface);
}

void CThumbBuilderDlg::OnSnapshot(const SnapshotRequest& request, cairo_surface_t* snapshot) {
  CaptureResult capture = CropSnapshot(request, snapshot);
  // Alt held at capture time stops the whole build, as the Cancel button does.
  if (AltKeyIsDown()) {
    OnCancel();
    return;
  }
  // The probe found the picture ready, so a snapshot that gave nothing to crop (the
  // engine not yet drawing at start-up, say) is asked for again at the next poll;
  // the builder's wait limit still ends a picture that never gets one. A hidden
  // window answers as failed, so the builder sees it and cancels.
  if (capture.status != CaptureResult::Status::kCaptured && IsShown()) capture = NotReady();
  int64_t snappedAt = g_get_monotonic_time();
  Answer(request.token, capture);
  if (capture.status == CaptureResult::Status::kCaptured && loadedAt_ != 0)
    AddPhaseTimes(snappedAt, g_get_monotonic_time());
}

CaptureResult CThumbBuilderDlg::CropSnapshot(const SnapshotRequest& request,
                                             cairo_surface_t* snapshot) {
  CaptureResult capture = Failed();
  if (snapshot == nullptr || cairo_surface_get_type(snapshot) != CAIRO_SURFACE_TYPE_IMAGE)
    return capture;
  CaptureRect rect = request.rect;
  cairo_surface_t* surface = AtPagePixels(snapshot, GTK_WIDGET(pane_->View()), &rect);
  cairo_surface_flush(surface);
  cairo_format_t format = cairo_image_surface_get_format(surface);
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const uint8_t* pixels = cairo_image_surface_get_data(surface);
  // ARGB32 and RGB24 are both 4 bytes a pixel, blue first on little-endian.
  if (pixels != nullptr && width > 0 && height > 0 && stride > 0 &&
      (format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24)) {
    PixelBuffer buffer{pixels, uint32_t(width), uint32_t(height), size_t(stride),
                       PixelLayout::kBgra};
    CScreenCapture picture(buffer, rect);
    if (picture.HasDib()) {
      capture.status = CaptureResult::Status::kCaptured;
      capture.naturalWidth = request.probe.naturalWidth;
      capture.naturalHeight = request.probe.naturalHeight;
      capture.dib.assign(picture.Dib().begin(), picture.Dib().end());
    }
  }
  cairo_surface_destroy(surface);
  return capture;
}

void CThumbBuilderDlg::AddPhaseTimes(int64_t snappedAt, int64_t storedAt) {
  times_.pictures++;
  times_.load += (loadedAt_ - navigatedAt_) / 1000.0;
  times_.pollWait += (firstProbeAt_ - loadedAt_) / 1000.0;
  times_.probe += (probedAt_ - firstProbeAt_) / 1000.0;
  times_.snapshot += (snappedAt - probedAt_) / 1000.0;
  times_.store += (storedAt - snappedAt) / 1000.0;
}

void CThumbBuilderDlg::Answer(unsigned token, const CaptureResult& result) {
  builder_->OnCapture(token, result);
}

}  // namespace kov
