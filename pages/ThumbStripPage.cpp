#include "pages/ThumbStripPage.h"

#include "base/TextEscape.h"
#include "pages/DecodedPictures.h"

namespace kov {

namespace {

// The thumbnail-making page's script for each cell: the picture's natural size is
// kept in imgWidth[i] and imgHeight[i], then a side over 120 is set to 120 (the
// larger one when both are), the other follows, and only then is it shown.
const char kStripHead[] =
    "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\">"
    "<style>body{margin:0;background-color:#ffffff;overflow:hidden;font-size:0;line-height:0}"
    "div{display:inline-block;vertical-align:top;overflow:hidden;width:120px;height:120px}"
    "table{width:100%;height:100%;border:0;border-spacing:0}td{padding:0;text-align:center;"
    "vertical-align:middle}</style>"
    "<script>var imgHeight=[],imgWidth=[];"
    "function Init2(i,pic){imgHeight[i]=pic.height;imgWidth[i]=pic.width;var f=0;"
    "if(imgHeight[i]>120)f=1;if(imgWidth[i]>120)f|=2;"
    "switch(f){case 1:pic.height=120;break;case 2:pic.width=120;break;"
    "case 3:if(imgHeight[i]>imgWidth[i])pic.height=120;else pic.width=120;break;}"
    "pic.style.visibility=\"visible\";}"
    "function Init(i,pic){if(pic.height<=0||pic.width<=0)"
    "window.setTimeout(function(){Init2(i,pic);},50);else Init2(i,pic);}"
    // Another strip in the same cells: each picture hidden and unscaled again before
    // its new source; the cells beyond the new strip's lose their pictures first.
    "var strip=location.href;"
    "function Cell(i){var d=document.createElement('div');d.innerHTML="
    "'<table><tr><td><img style=\"visibility:hidden\" onload=\"Init('+i+',this);\"></td></tr></table>';"
    "document.body.appendChild(d);return d.getElementsByTagName('img')[0];}"
    "function Settled(p){return new Promise(function(ok){"
    "p.addEventListener('load',ok,{once:true});p.addEventListener('error',ok,{once:true});});}"
    "function ShowStrip(url,srcs){strip=url;imgHeight=[];imgWidth=[];"
    "var im=document.getElementsByTagName('IMG'),waits=[];"
    "while(im.length>srcs.length){var p=im[im.length-1];p.removeAttribute('src');"
    "var d=p.closest('div');d.parentNode.removeChild(d);}"
    "for(var i=0;i<srcs.length;++i){var p=i<im.length?im[i]:Cell(i);"
    "p.style.visibility='hidden';p.removeAttribute('width');p.removeAttribute('height');"
    "waits.push(Settled(p));p.src=srcs[i];}"
    "return Promise.all(waits);}"
    "</script></head><body>";

}  // namespace

// Each cell is a box of its own fixed size, so a picture that arrives late, shown
// at its full size until it is scaled, never moves the others.
std::string ThumbStripPage(const std::vector<std::string>& paths) {
  std::string page = kStripHead;
  for (size_t i = 0; i < paths.size(); ++i) {
    page += "<div><table><tr><td><img src=\"" + HtmlEscape(ReducedPictureUrlOf(paths[i])) +
            "\" style=\"visibility:hidden\" onload=\"Init(" + std::to_string(i) +
            ",this);\"></td></tr></table></div>";
  }
  page += "</body></html>";
  return page;
}

std::string ShowThumbStripBody(const std::string& stripUrl, const std::vector<std::string>& paths) {
  std::string sources;
  for (const std::string& path : paths)
    sources += (sources.empty() ? "" : ",") + JsStringLiteral(ReducedPictureUrlOf(path));
  return "await ShowStrip(" + JsStringLiteral(stripUrl) + ",[" + sources + "]);return '1';";
}

}  // namespace kov
