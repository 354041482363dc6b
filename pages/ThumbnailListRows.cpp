#include "pages/ThumbnailListRows.h"

#include <algorithm>

#include "platform/Screen.h"

namespace kov {

namespace {

// A held block is a script element of a type no engine runs: its text is parsed as
// plain characters, never as elements. The rows' text can hold no "</script": names
// are HTML-escaped and addresses percent-encoded, so neither contains a '<'.
const char kBlockOpen[] = "<script type=\"text/x-kov-rows\" data-rows=\"";

// Unfolds held blocks into the table until it reaches two screens below the window,
// on load, on every scroll and on every resize; the spacer after the table stands in
// for the rows still held, at the mean height of the rows shown, so the scroll bar
// spans the whole list and a jump to its end unfolds all of it at once.
const char kGrowScript[] =
    "<SCRIPT>\r\n"
    "(function(){\r\n"
    "var d=document,t=d.getElementsByTagName('table')[0],m=d.getElementById('kovheld');\r\n"
    "function held(){return d.querySelectorAll('script[type=\"text/x-kov-rows\"]');}\r\n"
    "function pair(){return t.offsetHeight/Math.max(1,t.rows.length/2);}\r\n"
    "function grow(){\r\n"
    " var r=held(),i=0,left=0;\r\n"
    " while(i<r.length){\r\n"
    "  var gap=3*innerHeight-t.getBoundingClientRect().bottom;\r\n"
    "  if(gap<=0)break;\r\n"
    "  var want=Math.ceil(gap/pair()),html='';\r\n"
    "  for(;i<r.length&&want>0;i++){html+=r[i].text;want-=+r[i].getAttribute('data-rows');"
    "r[i].parentNode.removeChild(r[i]);}\r\n"
    "  t.tBodies[t.tBodies.length-1].insertAdjacentHTML('beforeend',html);\r\n"
    " }\r\n"
    " for(;i<r.length;i++)left+=+r[i].getAttribute('data-rows');\r\n"
    " m.style.height=Math.round(left*pair())+'px';\r\n"
    " if(!left){removeEventListener('scroll',grow);removeEventListener('resize',grow);}\r\n"
    "}\r\n"
    "addEventListener('scroll',grow);addEventListener('resize',grow);grow();\r\n"
    "})();\r\n"
    "</SCRIPT>\r\n";

}  // namespace

int InlineRowPairs() {
  // 100 px a pair: a 90-pixel thumbnail, its border and two caption lines, roughly.
  return std::max(kHeldRowPairsPerBlock, 2 * GetScreenRect().Height() / 100 + 1);
}

void CListRows::Add(const std::string& rowPair) {
  if (rowPairs_++ < inlineRowPairs_) {
    table_ += rowPair;
    return;
  }
  block_ += rowPair;
  if (++blockRowPairs_ == kHeldRowPairsPerBlock) CloseBlock();
}

void CListRows::CloseBlock() {
  if (blockRowPairs_ == 0) return;
  held_ += kBlockOpen + std::to_string(blockRowPairs_) + "\">" + block_ + "</script>\r\n";
  block_.clear();
  blockRowPairs_ = 0;
}

std::string CListRows::HeldRows() {
  CloseBlock();
  if (held_.empty()) return "";
  return "<div id=\"kovheld\"></div>\r\n" + held_ + kGrowScript;
}

}  // namespace kov
