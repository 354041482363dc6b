#include "thumbs/PictureProbe.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace kov {

// Integers only, so the native side needs no JSON library. Booleans become 0 or 1;
// a missing variable reads as 0. The rectangle is the one the engine paints: the
// picture's box in the visible region (what the snapshot shows) with each edge
// rounded to a whole pixel; a width from offsetLeft plus the rounded width can be
// one pixel off it and take in a column of the page. The rectangle is in the
// snapshot's pixels, page pixels times the screen's scale: on a scaled screen a
// picture may start half a page pixel in. A shown picture thinner than a pixel (a
// long strip scaled to 120) is widened to one pixel first, so it is painted at all.
const char kPictureProbeScript[] =
    "(function(){"
    "var d=document,im=d.getElementsByTagName('IMG'),n=im.length;"
    "var r=[d.readyState=='complete'?1:0,n,0,0,0,0,0,0,0,0,0,0,"
    "/^kovp:\\/*thumbmk\\//i.test(location.href)?1:0];"
    "if(n!=1)return r;"
    "var p=im[0];"
    "r[2]=p.complete?1:0;"
    "r[3]=getComputedStyle(p).visibility=='visible'?1:0;"
    "if(r[3]){if(p.getBoundingClientRect().width<1)p.width=1;"
    "if(p.getBoundingClientRect().height<1)p.height=1;}"
    "var q=window.devicePixelRatio||1,b=p.getBoundingClientRect();"
    "var x=Math.round(b.left*q),y=Math.round(b.top*q);"
    "r[4]=p.naturalWidth;r[5]=p.naturalHeight;"
    "r[6]=Math.round(b.right*q)-x;r[7]=Math.round(b.bottom*q)-y;r[8]=x;r[9]=y;"
    "r[10]=typeof imgWidth=='number'?Math.round(imgWidth):0;"
    "r[11]=typeof imgHeight=='number'?Math.round(imgHeight):0;"
    "return r;})()";

std::string PaintedPictureProbeBody() {
  const std::string probe = kPictureProbeScript;
  return
    "var im=document.getElementsByTagName('IMG'),p=im.length==1?im[0]:null;"
    "if(p&&p.complete&&p.naturalWidth>0&&getComputedStyle(p).visibility=='visible'){"
    "try{await p.decode();}catch(e){}"
    "var painted=await Promise.race(["
    "new Promise(function(ok){requestAnimationFrame(function(){requestAnimationFrame("
    "function(){ok(true);});});}),"
    "new Promise(function(ok){setTimeout(function(){ok(false);},1000);})]);"
    "if(!painted){var r=" + probe + ";r[2]=0;return JSON.stringify(r);}}"
    "return JSON.stringify(" + probe + ");";
}

namespace {

constexpr size_t kProbeFields = 13;
// Far beyond any page or picture, small enough that sums cannot overflow.
constexpr long kProbeLimit = 1L << 28;

bool ParseIntegers(const std::string& json, std::vector<long>* values) {
  if (json.size() < 2 || json.front() != '[' || json.back() != ']') return false;
  const char* at = json.c_str() + 1;
  const char* end = json.c_str() + json.size() - 1;
  while (at < end) {
    char* next = nullptr;
    errno = 0;
    long value = std::strtol(at, &next, 10);
    if (next == at || errno != 0 || next > end || value < -kProbeLimit || value > kProbeLimit)
      return false;
    values->push_back(value);
    at = next;
    if (at < end && *at++ != ',') return false;
    if (at == end && at[-1] == ',') return false;
  }
  return true;
}

}  // namespace

bool ParsePictureProbe(const std::string& json, PictureProbe* probe) {
  std::vector<long> v;
  if (!ParseIntegers(json, &v) || v.size() != kProbeFields) return false;
  auto i32 = [&v](size_t i) { return static_cast<int32_t>(v[i]); };
  probe->documentComplete = v[0] != 0;
  probe->imageCount = i32(1);
  probe->imageComplete = v[2] != 0;
  probe->imageShown = v[3] != 0;
  probe->decodedWidth = i32(4);
  probe->decodedHeight = i32(5);
  probe->width = i32(6);
  probe->height = i32(7);
  probe->left = i32(8);
  probe->top = i32(9);
  probe->naturalWidth = i32(10);
  probe->naturalHeight = i32(11);
  probe->onThumbnailPage = v[12] != 0;
  return true;
}

ProbeVerdict DecideCapture(const PictureProbe& probe, CaptureRect* rect) {
  // Another page is still shown (the one before, while this one has not come yet):
  // it says nothing about this picture.
  if (!probe.onThumbnailPage) return ProbeVerdict::kWait;
  if (!probe.documentComplete) return ProbeVerdict::kWait;
  if (probe.imageCount != 1) return ProbeVerdict::kFailed;
  if (!probe.imageComplete) return ProbeVerdict::kWait;
  // Complete without a decoded size: the file is broken or of a kind the engine cannot show.
  if (probe.decodedWidth <= 0 || probe.decodedHeight <= 0) return ProbeVerdict::kFailed;
  // Decoded, but the page's script has not scaled and shown it yet.
  if (!probe.imageShown) return ProbeVerdict::kWait;
  if (probe.naturalWidth <= 0 || probe.naturalHeight <= 0) return ProbeVerdict::kFailed;
  if (probe.left < 0 || probe.top < 0) return ProbeVerdict::kFailed;
  // A long strip scaled to 120 rounds its short side to 0; keep one pixel of it.
  int32_t width = probe.width > 0 ? probe.width : 1;
  int32_t height = probe.height > 0 ? probe.height : 1;
  *rect = {probe.left, probe.top, probe.left + width, probe.top + height};
  return ProbeVerdict::kCapture;
}

}  // namespace kov
