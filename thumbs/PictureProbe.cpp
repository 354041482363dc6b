#include "thumbs/PictureProbe.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace kov {

// Integers only, so the native side needs no JSON library. Booleans become 0 or 1;
// a missing entry reads as 0. The answer is [on the strip page, cells] and then the
// 13 integers of each cell, as the page around a single picture would give them:
// page parsed, 1 IMG, complete, shown, the engine's natural size, rectangle, the
// page's imgWidth and imgHeight entries, on the page. The rectangle is the one the
// engine paints: the picture's box in the document (what the snapshot shows) with
// each edge rounded to a whole pixel; a width from offsetLeft plus the rounded
// width can be one pixel off it and take in a column of the page. It is in the
// snapshot's pixels, page pixels times the screen's scale: on a scaled screen a
// picture may start half a page pixel in. A shown picture thinner than a pixel (a
// long strip scaled to 120) is widened to one pixel first, so it is painted at all.
const char kCellProbeFunction[] =
    "function cell(i,p){"
    "var r=[document.readyState!='loading'?1:0,1,p.complete?1:0,"
    "getComputedStyle(p).visibility=='visible'?1:0,0,0,0,0,0,0,0,0,1];"
    "if(r[3]){if(p.getBoundingClientRect().width<1)p.width=1;"
    "if(p.getBoundingClientRect().height<1)p.height=1;}"
    "var q=window.devicePixelRatio||1,b=p.getBoundingClientRect();"
    "var L=b.left+window.scrollX,T=b.top+window.scrollY;"
    "var x=Math.round(L*q),y=Math.round(T*q);"
    "r[4]=p.naturalWidth;r[5]=p.naturalHeight;"
    "r[6]=Math.round((L+b.width)*q)-x;r[7]=Math.round((T+b.height)*q)-y;r[8]=x;r[9]=y;"
    "r[10]=typeof imgWidth=='object'&&typeof imgWidth[i]=='number'?Math.round(imgWidth[i]):0;"
    "r[11]=typeof imgHeight=='object'&&typeof imgHeight[i]=='number'?Math.round(imgHeight[i]):0;"
    "return r;}";

std::string PaintedStripProbeBody(const std::string& stripUrl) {
  return std::string(kCellProbeFunction) +
         "var im=document.getElementsByTagName('IMG'),"
         "on=typeof strip=='string'&&strip=='" + stripUrl + "'?1:0,waits=[];"
         "for(var i=0;on&&i<im.length;++i){var p=im[i];"
         "if(p.complete&&p.naturalWidth>0&&getComputedStyle(p).visibility=='visible')"
         "waits.push(p.decode().catch(function(){}));}"
         "var painted=true;"
         "if(waits.length){await Promise.all(waits);"
         "painted=await Promise.race(["
         "new Promise(function(ok){requestAnimationFrame(function(){requestAnimationFrame("
         "function(){ok(true);});});}),"
         "new Promise(function(ok){setTimeout(function(){ok(false);},1000);})]);}"
         "var out=[on,on?im.length:0];"
         "for(var i=0;on&&i<im.length;++i){var r=cell(i,im[i]);if(!painted)r[2]=0;"
         "out=out.concat(r);}"
         "return JSON.stringify(out);";
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

void FillProbe(const long* v, PictureProbe* probe) {
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
}

}  // namespace

bool ParsePictureProbe(const std::string& json, PictureProbe* probe) {
  std::vector<long> v;
  if (!ParseIntegers(json, &v) || v.size() != kProbeFields) return false;
  FillProbe(v.data(), probe);
  return true;
}

bool ParseStripProbe(const std::string& json, size_t cells, std::vector<PictureProbe>* probes) {
  std::vector<long> v;
  if (!ParseIntegers(json, &v) || v.size() < 2 || v[1] < 0) return false;
  size_t frames = size_t(v[1]);
  if (v.size() != 2 + frames * kProbeFields) return false;
  probes->assign(cells, PictureProbe());
  // Another page, or a strip of another size: nothing in it is about these cells.
  if (v[0] == 0 || frames != cells) return true;
  for (size_t i = 0; i < cells; ++i) FillProbe(v.data() + 2 + i * kProbeFields, &(*probes)[i]);
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
