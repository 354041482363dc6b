// The picture page's own view: zoom in steps around the pointer, fit and 100 %, a
// turn by quarters, panning by drag and by arrow keys, and the caption line. The
// page's click toggle stays; once the view is zoomed or turned, the click toggles
// between fitting the screen and 100 % of the turned picture.
(function () {
  var kStep = 1.25, kLeast = 0.02, kMost = 16;
  var view = { active: false, scale: 1, angle: 0, fitted: false };
  var pointer = null;  // the last pointer position in the window
  var drag = null;
  var box = document.createElement("div");
  box.id = "kovbox";
  box.style.position = "relative";
  box.style.display = "inline-block";
  pic.parentNode.insertBefore(box, pic);
  box.appendChild(pic);
  pic.draggable = false;

  function naturalSize() {
    var w = picw > 0 ? picw : pic.naturalWidth, h = pich > 0 ? pich : pic.naturalHeight;
    return view.angle % 180 ? { w: h, h: w } : { w: w, h: h };
  }
  function fitScale() {
    var n = naturalSize();
    if (n.w <= 0 || n.h <= 0) return 1;
    return Math.min(1, window.innerWidth / n.w, window.innerHeight / n.h);
  }
  function scrollable() {
    var page = document.scrollingElement || document.body;
    return { x: page.scrollWidth > window.innerWidth + 1, y: page.scrollHeight > window.innerHeight + 1 };
  }
  // Lays the picture out at view.scale and view.angle; the box takes the turned
  // picture's size, so the table centres it and the page scrolls over all of it.
  function apply() {
    var n = naturalSize();
    if (n.w <= 0 || n.h <= 0) return;
    var w = Math.max(1, Math.round(n.w * view.scale)), h = Math.max(1, Math.round(n.h * view.scale));
    var turned = view.angle % 180 != 0;
    pic.width = turned ? h : w;
    pic.height = turned ? w : h;
    box.style.width = w + "px";
    box.style.height = h + "px";
    pic.style.position = "absolute";
    pic.style.left = "50%";
    pic.style.top = "50%";
    pic.style.transform = "translate(-50%,-50%) rotate(" + view.angle + "deg)";
    pic.style.visibility = "visible";
    document.body.style.overflow = w > window.innerWidth || h > window.innerHeight ? "auto" : "hidden";
    mode = 0;
  }
  function take() {
    if (view.active) return;
    var n = naturalSize();
    view.active = true;
    view.scale = n.w > 0 ? pic.getBoundingClientRect().width / n.w : 1;
    if (!(view.scale > 0)) view.scale = fitScale();
  }
  // Keeps the picture's point under (x, y) where it was while the scale changes.
  function zoomAround(scale, x, y) {
    var before = box.getBoundingClientRect();
    var fx = before.width > 0 ? (x - before.left) / before.width : 0.5;
    var fy = before.height > 0 ? (y - before.top) / before.height : 0.5;
    view.scale = Math.min(kMost, Math.max(kLeast, scale));
    view.fitted = false;
    apply();
    var after = box.getBoundingClientRect();
    window.scrollBy(after.left + fx * after.width - x, after.top + fy * after.height - y);
  }
  function pointerOrCentre() {
    return pointer || { x: window.innerWidth / 2, y: window.innerHeight / 2 };
  }

  window.kovZoom = function (steps) {
    take();
    var at = pointerOrCentre();
    zoomAround(view.scale * Math.pow(kStep, steps), at.x, at.y);
  };
  window.kovFit = function () {
    take();
    view.scale = fitScale();
    view.fitted = true;
    apply();
    window.scrollTo(0, 0);
  };
  window.kovActualSize = function () {
    take();
    var at = pointerOrCentre();
    zoomAround(1, at.x, at.y);
  };
  window.kovRotate = function (quarters) {
    var fitted = !view.active ? mode != 0 || fitScale() >= 1 : view.fitted;
    take();
    view.angle = (view.angle + 90 * quarters + 360) % 360;
    if (fitted) view.scale = fitScale();  // a fitted picture stays fitted
    view.fitted = fitted;
    apply();
  };
  // The size the picture takes on the screen, turned as it is shown.
  window.kovShownSize = function () {
    var r = pic.getBoundingClientRect();
    return { width: Math.round(r.width), height: Math.round(r.height) };
  };
  // Whether the whole picture is on the screen, so the wheel steps instead of scrolling.
  window.kovFitsScreen = function () {
    var s = scrollable();
    return !s.x && !s.y;
  };
  // An arrow key: pans a picture wider than the screen and answers true; false
  // when there is nothing to pan, and the viewer steps to another picture.
  window.kovPan = function (dx) {
    if (!scrollable().x) return false;
    window.scrollBy(dx * window.innerWidth / 10, 0);
    return true;
  };
  window.kovCaption = function (text, shown) {
    var line = document.getElementById("kovcaption");
    if (!line) {
      line = document.createElement("div");
      line.id = "kovcaption";
      line.style.cssText = "position:fixed;left:0;top:0;right:0;z-index:10;padding:4px 10px;" +
          "background:rgba(0,0,0,0.6);color:#ffffff;font:14px sans-serif;white-space:nowrap;" +
          "overflow:hidden;text-overflow:ellipsis;pointer-events:none";
      document.body.appendChild(line);
    }
    line.textContent = text;
    line.style.display = shown ? "block" : "none";
  };

  var pageToggle = ToggleSize;
  ToggleSize = function () {
    if (!view.active) return pageToggle();
    if (view.fitted) {
      var at = pointerOrCentre();
      zoomAround(1, at.x, at.y);
    } else {
      kovFit();
    }
  };

  window.addEventListener("mousemove", function (e) {
    pointer = { x: e.clientX, y: e.clientY };
    if (!drag) return;
    if (!(e.buttons & 1)) { drag = null; return; }
    var dx = e.screenX - drag.x, dy = e.screenY - drag.y;
    if (!drag.moved && Math.abs(dx) + Math.abs(dy) < 4) return;
    drag.moved = true;
    window.scrollBy(-dx, -dy);
    drag.x = e.screenX;
    drag.y = e.screenY;
  });
  window.addEventListener("mousedown", function (e) {
    if (e.button == 0) drag = { x: e.screenX, y: e.screenY, moved: false };
  });
  // A drag is no click: the size toggle must not follow it.
  window.addEventListener("click", function (e) {
    if (drag && drag.moved) e.stopPropagation();
    drag = null;
  }, true);
  window.addEventListener("dragstart", function (e) { e.preventDefault(); });
  window.addEventListener("wheel", function (e) {
    if (!e.ctrlKey) return;
    e.preventDefault();
    take();
    zoomAround(view.scale * (e.deltaY < 0 ? kStep : 1 / kStep), e.clientX, e.clientY);
  }, { passive: false });
  window.addEventListener("resize", function () {
    if (view.active && view.fitted) kovFit();
  });
})();
