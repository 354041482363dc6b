// Taking a strip of pictures off the strip page: one script call waits until the
// cells' pictures are painted and reads each cell's state, its picture's rectangle
// and natural size; one snapshot of the whole page then gives what the engine
// painted, cut apart into the cells' rectangles.
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
  std::vector<PictureProbe> probes;
  std::vector<ProbeVerdict> verdicts;
  std::vector<CaptureRect> rects;
};

void CThumbBuilderDlg::RequestCapture(unsigned token) {
  if (stamps_.firstProbe == 0) stamps_.firstProbe = g_get_monotonic_time();
  // The answer waits for the pictures' pixels to be painted, so the snapshot
  // cannot catch the page before the engine has decoded them.
  pane_->ReadAsyncScriptJson(PaintedStripProbeBody(stripUrl_),
                             [this, token](bool ok, const std::string& json) {
                               OnProbe(token, ok, json);
                             });
}

void CThumbBuilderDlg::OnProbe(unsigned token, bool ok, const std::string& json) {
  const size_t cells = stripCells_;
  // A hidden window paints no frames, so its probe only ever answers "not painted
  // yet"; it answers as failed instead, and the builder, seeing it hidden, cancels.
  if (!IsShown()) {
    Answer(token, std::vector<CaptureResult>(cells, Failed()));
    return;
  }
  auto request = std::make_unique<SnapshotRequest>();
  request->dialog = this;
  request->token = token;
  // A script call that fails is asked again at the next poll, as a page not ready.
  if (!ok || !ParseStripProbe(json, cells, &request->probes)) {
    Answer(token, std::vector<CaptureResult>(cells, NotReady()));
    return;
  }
  bool anyToCapture = false;
  request->rects.resize(cells);
  for (size_t i = 0; i < cells; ++i) {
    request->verdicts.push_back(DecideCapture(request->probes[i], &request->rects[i]));
    anyToCapture = anyToCapture || request->verdicts[i] == ProbeVerdict::kCapture;
    // Broken files end here; the probe's numbers say why a good one did.
    if (request->verdicts[i] == ProbeVerdict::kFailed && TraceEnabled())
      TraceLine("builder probe refused cell " + std::to_string(i) + " of " + json);
  }
  if (!anyToCapture) {
    Answer(token, AnswerWithoutSnapshot(*request));
    return;
  }
  stamps_.probed = g_get_monotonic_time();
  // The whole document: the strip's rows reach below the pane's visible part.
  webkit_web_view_get_snapshot(pane_->View(), WEBKIT_SNAPSHOT_REGION_FULL_DOCUMENT,
                               WEBKIT_SNAPSHOT_OPTIONS_NONE, snapshots_, OnSnapshotReady,
                               request.release());
}

std::vector<CaptureResult> CThumbBuilderDlg::AnswerWithoutSnapshot(const SnapshotRequest& request) {
  std::vector<CaptureResult> answer;
  for (ProbeVerdict verdict : request.verdicts)
    answer.push_back(verdict == ProbeVerdict::kFailed ? Failed() : NotReady());
  return answer;
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
  std::vector<CaptureResult> answer = AnswerWithoutSnapshot(request);
  unsigned captured = 0;
  for (size_t i = 0; i < answer.size(); ++i) {
    if (request.verdicts[i] != ProbeVerdict::kCapture) continue;
    answer[i] = CropSnapshot(request.probes[i], request.rects[i], snapshot);
    // The probe found the picture ready, so a snapshot that gave nothing to crop
    // (the engine not yet drawing at start-up, say) is asked for again at the next
    // poll; the builder's wait limit still ends a picture that never gets one. A
    // hidden window answers as failed, so the builder sees it and cancels.
    if (answer[i].status != CaptureResult::Status::kCaptured && IsShown()) answer[i] = NotReady();
    captured += answer[i].status == CaptureResult::Status::kCaptured;
  }
  // Alt held at capture time stops the whole build, as the Cancel button does.
  if (AltKeyIsDown()) {
    OnCancel();
    return;
  }
  // The answer may start the next strip, which sets the stamps anew.
  StripStamps stamps = stamps_;
  stamps.snapped = g_get_monotonic_time();
  Answer(request.token, answer);
  if (captured > 0 && stamps.loaded != 0) AddPhaseTimes(stamps, g_get_monotonic_time(), captured);
}

CaptureResult CThumbBuilderDlg::CropSnapshot(const PictureProbe& probe, const CaptureRect& cell,
                                             cairo_surface_t* snapshot) {
  CaptureResult capture = Failed();
  if (snapshot == nullptr || cairo_surface_get_type(snapshot) != CAIRO_SURFACE_TYPE_IMAGE)
    return capture;
  CaptureRect rect = cell;
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
      capture.naturalWidth = probe.naturalWidth;
      capture.naturalHeight = probe.naturalHeight;
      capture.dib.assign(picture.Dib().begin(), picture.Dib().end());
    }
  }
  cairo_surface_destroy(surface);
  return capture;
}

void CThumbBuilderDlg::AddPhaseTimes(const StripStamps& stamps, int64_t storedAt, unsigned pictures) {
  times_.pictures += pictures;
  times_.load += (stamps.loaded - stamps.navigated) / 1000.0;
  times_.pollWait += (stamps.firstProbe - stamps.loaded) / 1000.0;
  times_.probe += (stamps.probed - stamps.firstProbe) / 1000.0;
  times_.snapshot += (stamps.snapped - stamps.probed) / 1000.0;
  times_.store += (storedAt - stamps.snapped) / 1000.0;
}

void CThumbBuilderDlg::Answer(unsigned token, const std::vector<CaptureResult>& cells) {
  builder_->OnCapture(token, cells);
}

}  // namespace kov
