#include "pages/ThumbnailListRows.h"

#include <algorithm>
#include <cstdio>

#include "platform/Screen.h"

namespace kov {

namespace {

// Unfolds held blocks into the table until it reaches two screens below the window,
// on every scroll and on every resize; the spacer after the table stands in for the
// rows still held, at the mean height of the rows shown, so the scroll bar spans the
// whole list and a jump to its end unfolds all of it at once. Until the rows come the
// spacer has the height the page was written with: measuring the table while the page
// is read would lay it out early, and a list laid out while it loads fetches its first
// thumbnails before its load ends, which then waits for them. The held
// rows are asked for at the first scroll, or 300 ms after the page's load: by then the
// first screen has been drawn even on a busy machine, and neither their making (on the
// window thread) nor their transfer holds it up. Asked for two frames after the load,
// they still came before the window's first drawing of the page under load.
const char kGrowScriptHead[] =
    "<SCRIPT>\r\n"
    "(function(){\r\n"
    "var d=document,t=d.getElementsByTagName('table')[0],m=d.getElementById('kovheld'),"
    "held=[],next=0,came=0,asked=0,left=";
const char kGrowScriptMiddle[] =
    ";\r\n"
    "function pair(){return t.offsetHeight/Math.max(1,t.rows.length/2);}\r\n"
    "function grow(){\r\n"
    " while(next<held.length){\r\n"
    "  var gap=3*innerHeight-t.getBoundingClientRect().bottom;\r\n"
    "  if(gap<=0)break;\r\n"
    "  var want=Math.ceil(gap/pair()),html='';\r\n"
    "  for(;next<held.length&&want>0;next++){html+=held[next][1];want-=held[next][0];left-=held[next][0];}\r\n"
    "  t.tBodies[t.tBodies.length-1].insertAdjacentHTML('beforeend',html);\r\n"
    " }\r\n"
    " m.style.height=Math.round(left*pair())+'px';\r\n"
    " if(came&&next==held.length){held=[];removeEventListener('scroll',grow);removeEventListener('resize',grow);}\r\n"
    "}\r\n"
    "window.kovHeldRows=function(blocks){\r\n"
    " held=blocks;next=0;came=1;left=0;\r\n"
    " for(var i=0;i<blocks.length;i++)left+=blocks[i][0];\r\n"
    " grow();\r\n"
    "};\r\n"
    "function ask(){if(asked)return;asked=1;var s=d.createElement('script');s.src='";
const char kGrowScriptTail[] =
    "';d.body.appendChild(s);}\r\n"
    "addEventListener('load',function(){setTimeout(ask,300);});\r\n"
    "addEventListener('scroll',ask);addEventListener('scroll',grow);addEventListener('resize',grow);\r\n"
    "})();\r\n"
    "</SCRIPT>\r\n";

// Appends markup as the inside of a double-quoted script string. The held rows are a
// script resource of their own, never inside a <script> element, so only what ends or
// breaks a string needs escaping: quotes, backslashes, line ends and other control
// bytes, and U+2028/U+2029.
void AppendAsStringBody(const std::string& markup, std::string* out) {
  for (size_t i = 0; i < markup.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(markup[i]);
    if (c == '"' || c == '\\') {
      out->push_back('\\');
      out->push_back(static_cast<char>(c));
    } else if (c == '\r') {
      *out += "\\r";
    } else if (c == '\n') {
      *out += "\\n";
    } else if (c < 0x20 || c == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      *out += hex;
    } else if (c == 0xE2 && i + 2 < markup.size() && static_cast<unsigned char>(markup[i + 1]) == 0x80 &&
               (static_cast<unsigned char>(markup[i + 2]) & 0xFE) == 0xA8) {
      *out += static_cast<unsigned char>(markup[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
      i += 2;
    } else {
      out->push_back(static_cast<char>(c));
    }
  }
}

// A pair of full-height rows: a 90-pixel thumbnail, its border and two caption lines,
// roughly.
constexpr int kRowPairHeight = 100;

}  // namespace

int InlineRowPairs() {
  return std::max(kHeldRowPairsPerBlock, 2 * GetScreenRect().Height() / kRowPairHeight + 1);
}

std::string HeldRowsPlaceholder(int rowPairs, const std::string& rowsUrl) {
  if (rowPairs <= 0) return "";
  return "<div id=\"kovheld\" style=\"height:" + std::to_string(rowPairs * kRowPairHeight) + "px\"></div>\r\n" +
         std::string(kGrowScriptHead) + std::to_string(rowPairs) +
         kGrowScriptMiddle + rowsUrl + kGrowScriptTail;
}

void CHeldRowBlocks::Add(const std::string& rowPair) {
  block_ += rowPair;
  if (++blockRowPairs_ == kHeldRowPairsPerBlock) CloseBlock();
}

void CHeldRowBlocks::CloseBlock() {
  if (blockRowPairs_ == 0) return;
  if (!blocks_.empty()) blocks_ += ",\r\n";
  blocks_ += "[" + std::to_string(blockRowPairs_) + ",\"";
  AppendAsStringBody(block_, &blocks_);
  blocks_ += "\"]";
  block_.clear();
  blockRowPairs_ = 0;
}

std::string CHeldRowBlocks::Script() {
  CloseBlock();
  return "kovHeldRows([" + blocks_ + "]);\r\n";
}

}  // namespace kov
