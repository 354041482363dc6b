#!/usr/bin/env python3
"""Draws the toolbar's bitmaps into res/bitmaps/<name>.bmp (24-bit BMP, bottom-up).
kov.gresource.xml stores each under its id (quit.bmp as bitmaps/134.bmp).

Buttons, 16 x 16, on the background of the button that shows them:
  quit: back or quit (a white cross on a red tile)     play
  previous-forward (a pale arrow)                      pause
  next-backward (a pale arrow)                         tools (a gear)
  open-folder                                          about (a blue "?" disc)
  photo-cd (a disc)                                    restore (two windows)
  minimize (a bar)                                     maximize (one window)
  previous-backward (a strong arrow)                   next-forward (a strong arrow)
  ok-disabled, ok (a check mark), cancel (a cross): the folder tree's buttons
Frame of the toolbar, in the sizes the toolbar paints them:
  frame-top-left corner 15 x 14, frame-top edge 32 x 14, frame-top-right corner 15 x 14,
  frame-left edge 2 x 16, frame-right edge 2 x 16, frame-bottom edge 100 x 2,
  frame-bottom-left corner 2 x 2, frame-bottom-right corner 2 x 2.

The program icon (icon 128): a photograph of hills under a sun, a second one behind it,
on a rounded blue tile. It is one list of shapes, written as res/icons/hicolor/scalable/
apps/<id>.svg and rasterised with transparency to res/icons/hicolor/<n>x<n>/apps/<id>.png
for n = 16, 22, 24, 32, 48, 64, 128, 256 (the installed icon theme and the windows' icon).

Shapes are rasterised with 8 x 8 supersampling (4 x 4 for icons of 64 pixels and
more), so edges are anti-aliased.
Python 3 standard library only. The outputs are committed so that building the
program never needs Python; run this after changing a drawing.
"""
import math
import os
import struct
import zlib

SUB = 8  # samples per pixel along each axis

TOOLBAR = (219, 229, 247)       # the toolbar's background
LIGHT_BUTTON = (232, 237, 250)  # buttons 1009 and 1010
TREE_BUTTON = (255, 255, 225)   # the folder tree's OK and Cancel

INK = (32, 58, 112)             # glyphs: dark blue
PALE_INK = (138, 158, 198)      # the arrow of the direction not taken
OUTLINE = (104, 128, 180)       # the frame's outer line
HIGHLIGHT = (250, 252, 255)     # the frame's lit inner line
SHADOW = (178, 195, 230)        # the frame's shaded inner line


# ---------------------------------------------------------------- rasteriser

class Canvas:
    """An RGB picture; shapes are painted over it with their exact coverage."""

    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[tuple(background) for _ in range(width)] for _ in range(height)]

    def paint(self, inside, colour, box=None):
        """Blends colour into every pixel by the share of its samples for which
        inside(x, y) holds (x, y in pixel units, samples at sub-pixel centres)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = 0
                for sy in range(SUB):
                    y = py + (sy + 0.5) / SUB
                    for sx in range(SUB):
                        if inside(px + (sx + 0.5) / SUB, y):
                            hits += 1
                if hits:
                    a = hits / (SUB * SUB)
                    old = self.pixels[py][px]
                    self.pixels[py][px] = tuple(o + (c - o) * a for o, c in zip(old, colour))

    def polygon(self, points, colour):
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.paint(lambda x, y: inside_polygon(points, x, y), colour,
                   (min(xs), min(ys), max(xs), max(ys)))

    def disc(self, cx, cy, r, colour):
        self.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                   (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r_in, r_out, colour, start=None, end=None):
        """An annulus; with start and end (degrees, counter-clockwise from 3 o'clock,
        y pointing down the screen) only that arc of it."""
        def inside(x, y):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if not r_in * r_in <= d2 <= r_out * r_out:
                return False
            if start is None:
                return True
            angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
            return (angle - start) % 360 <= (end - start) % 360
        self.paint(inside, colour, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))

    def line(self, x0, y0, x1, y1, width, colour):
        """A stroke with round caps."""
        half = width / 2
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            ex, ey = x0 + t * dx - x, y0 + t * dy - y
            return ex * ex + ey * ey <= half * half
        self.paint(inside, colour, (min(x0, x1) - half, min(y0, y1) - half,
                                    max(x0, x1) + half, max(y0, y1) + half))

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if radius <= 0:
                return True
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self.paint(inside, colour, (x0, y0, x1, y1))

    def frame(self, x0, y0, x1, y1, width, colour, radius=0.0):
        """The outline of a (rounded) rectangle, width pixels wide, inside the box."""
        inner_radius = max(0.0, radius - width)

        def in_rect(x, y, a0, b0, a1, b1, r):
            if not (a0 <= x <= a1 and b0 <= y <= b1):
                return False
            if r <= 0:
                return True
            cx, cy = min(max(x, a0 + r), a1 - r), min(max(y, b0 + r), b1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.paint(lambda x, y: in_rect(x, y, x0, y0, x1, y1, radius) and not in_rect(
            x, y, x0 + width, y0 + width, x1 - width, y1 - width, inner_radius),
            colour, (x0, y0, x1, y1))


def inside_polygon(points, x, y):
    """Even-odd rule."""
    inside = False
    n = len(points)
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        if (ay > y) != (by > y):
            cross = ax + (y - ay) * (bx - ax) / (by - ay)
            if x < cross:
                inside = not inside
    return inside


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# ---------------------------------------------------------------- BMP writer

def bmp_bytes(canvas):
    """A 24-bit BI_RGB BMP: 14-byte file header, 40-byte info header, rows bottom-up,
    each padded to a multiple of 4 bytes."""
    stride = (canvas.width * 3 + 3) & ~3
    rows = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for r, g, b in canvas.pixels[y]:
            row += bytes((clamp(b), clamp(g), clamp(r)))
        row += b"\0" * (stride - len(row))
        rows += row
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + bytes(rows)


def clamp(value):
    return max(0, min(255, int(round(value))))


# ---------------------------------------------------------------- buttons

def button(background=TOOLBAR):
    return Canvas(16, 16, background)


def quit_icon():
    c = button()
    c.rect(1.5, 1.5, 14.5, 14.5, (150, 30, 30), radius=3)
    c.rect(2.5, 2.5, 13.5, 13.5, (206, 62, 52), radius=2.2)
    c.rect(2.5, 2.5, 13.5, 7.5, (226, 104, 92), radius=2.2)   # upper sheen
    c.rect(2.5, 6.0, 13.5, 8.0, (214, 80, 70))
    c.line(5.2, 5.2, 10.8, 10.8, 2.1, (255, 255, 255))
    c.line(10.8, 5.2, 5.2, 10.8, 2.1, (255, 255, 255))
    return c


def play_icon():
    c = button()
    c.polygon([(4.0, 2.0), (14.0, 8.0), (4.0, 14.0)], (22, 100, 40))
    c.polygon([(5.2, 4.1), (11.8, 8.0), (5.2, 11.9)], (64, 170, 80))
    return c


def pause_icon():
    c = button()
    for left in (3.5, 9.5):
        c.rect(left, 2.5, left + 3.5, 13.5, INK, radius=0.8)
        c.rect(left + 0.9, 3.4, left + 2.6, 12.6, (78, 112, 186), radius=0.4)
    return c


def arrow(pointing_left, colour):
    """A thick arrow: a triangular head and a short shaft, centred."""
    c = button()
    points = [(1.5, 8.0), (8.5, 1.5), (8.5, 5.2), (14.5, 5.2), (14.5, 10.8),
              (8.5, 10.8), (8.5, 14.5)]
    if not pointing_left:
        points = [(16.0 - x, y) for x, y in points]
    c.polygon(points, colour)
    return c


def gear_icon():
    c = button()
    cx = cy = 8.0
    for i in range(8):
        a = math.radians(i * 45 + 22.5)
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy, ux
        tooth = [(cx + ux * 4.5 + vx * 1.4, cy + uy * 4.5 + vy * 1.4),
                 (cx + ux * 7.3 + vx * 1.1, cy + uy * 7.3 + vy * 1.1),
                 (cx + ux * 7.3 - vx * 1.1, cy + uy * 7.3 - vy * 1.1),
                 (cx + ux * 4.5 - vx * 1.4, cy + uy * 4.5 - vy * 1.4)]
        c.polygon(tooth, (70, 84, 110))
    c.disc(cx, cy, 5.4, (70, 84, 110))
    c.disc(cx, cy, 4.3, (150, 164, 190))
    c.disc(cx, cy, 2.2, TOOLBAR)
    c.ring(cx, cy, 2.2, 2.9, (70, 84, 110))
    return c


def folder_icon():
    c = button()
    edge = (150, 104, 20)
    c.polygon([(1.0, 3.0), (6.0, 3.0), (7.5, 4.8), (14.5, 4.8), (14.5, 13.5), (1.0, 13.5)], edge)
    c.polygon([(2.0, 4.0), (5.6, 4.0), (7.0, 5.8), (13.5, 5.8), (13.5, 12.5), (2.0, 12.5)],
              (236, 190, 80))
    # the open front flap, a lighter yellow tilted forward
    c.polygon([(3.2, 7.2), (15.5, 7.2), (14.3, 13.5), (1.0, 13.5)], edge)
    c.polygon([(4.0, 8.1), (14.4, 8.1), (13.5, 12.6), (2.1, 12.6)], (252, 218, 120))
    return c


def help_icon():
    c = button(LIGHT_BUTTON)
    c.disc(8.0, 8.0, 7.4, (28, 76, 170))
    c.disc(8.0, 7.4, 6.3, (58, 116, 214))
    white = (255, 255, 255)
    c.ring(8.0, 6.0, 1.6, 3.2, white, start=-60, end=180)   # the hook of the "?"
    c.line(9.5, 7.2, 8.0, 8.9, 1.6, white)
    c.line(8.0, 8.9, 8.0, 9.6, 1.6, white)
    c.disc(8.0, 12.2, 1.1, white)
    return c


def disc_icon():
    c = button(LIGHT_BUTTON)
    c.disc(8.0, 8.0, 7.5, (112, 120, 140))
    c.disc(8.0, 8.0, 6.6, (214, 219, 230))
    # coloured sheen across the data side, as light shows on a disc
    c.ring(8.0, 8.0, 2.8, 6.6, (176, 206, 246), start=20, end=70)
    c.ring(8.0, 8.0, 2.8, 6.6, (240, 196, 226), start=200, end=250)
    c.ring(8.0, 8.0, 2.8, 6.6, (250, 250, 255), start=100, end=130)
    c.disc(8.0, 8.0, 2.8, (150, 158, 176))
    c.disc(8.0, 8.0, 1.5, LIGHT_BUTTON)
    return c


def window_outline(c, x0, y0, x1, y1, fill):
    c.rect(x0, y0, x1, y1, INK)
    c.rect(x0 + 1, y0 + 3, x1 - 1, y1 - 1, fill)


def restore_icon():
    c = button()
    window_outline(c, 5.0, 2.0, 14.0, 10.0, (236, 242, 252))
    window_outline(c, 2.0, 6.0, 11.0, 14.0, (255, 255, 255))
    return c


def minimise_icon():
    c = button()
    c.rect(3.0, 11.0, 13.0, 14.0, INK)
    return c


def maximise_icon():
    c = button()
    window_outline(c, 2.0, 2.0, 14.0, 14.0, (255, 255, 255))
    return c


def check_icon(colour, dark):
    c = button(TREE_BUTTON)
    c.line(2.8, 8.6, 6.4, 12.2, 3.2, dark)
    c.line(6.4, 12.2, 13.4, 3.6, 3.2, dark)
    c.line(2.8, 8.6, 6.4, 12.2, 1.8, colour)
    c.line(6.4, 12.2, 13.4, 3.6, 1.8, colour)
    return c


def cancel_icon():
    c = button(TREE_BUTTON)
    for x0, y0, x1, y1 in ((3.5, 3.5, 12.5, 12.5), (12.5, 3.5, 3.5, 12.5)):
        c.line(x0, y0, x1, y1, 3.4, (140, 24, 24))
        c.line(x0, y0, x1, y1, 2.0, (222, 60, 50))
    return c


BUTTONS = {
    "quit": quit_icon,
    "play": play_icon,
    "previous-forward": lambda: arrow(True, PALE_INK),
    "pause": pause_icon,
    "next-backward": lambda: arrow(False, PALE_INK),
    "tools": gear_icon,
    "open-folder": folder_icon,
    "about": help_icon,
    "photo-cd": disc_icon,
    "restore": restore_icon,
    "minimize": minimise_icon,
    "maximize": maximise_icon,
    "previous-backward": lambda: arrow(True, INK),
    "next-forward": lambda: arrow(False, INK),
    "ok-disabled": lambda: check_icon((190, 196, 200), (150, 154, 160)),
    "ok": lambda: check_icon((64, 176, 72), (24, 110, 40)),
    "cancel": cancel_icon,
}


# ---------------------------------------------------------------- frame

TOP_ROWS = 14
FRAME_SAMPLE_WIDTH = 15 + 32 + 15   # two corners and one top-edge tile


def band_colour(y):
    """The top band: a lit line under the outline, then a soft fall into the toolbar colour,
    reached at row 7 where the buttons begin, so their backgrounds meet it without an edge."""
    if y < 1:
        return OUTLINE
    if y < 2:
        return HIGHLIGHT
    t = min(1.0, (y - 2) / 5)
    return mix((240, 245, 253), TOOLBAR, t * t)


def top_band():
    """The top 14 rows of a toolbar FRAME_SAMPLE_WIDTH wide: the rounded outer line,
    a lit inner line (shaded on the right), the band, and a grip of dots in the drag rows."""
    w = FRAME_SAMPLE_WIDTH
    c = Canvas(w, TOP_ROWS, OUTLINE)
    for y in range(TOP_ROWS):
        c.rect(0, y, w, y + 1, band_colour(y))
    # Radius 4 follows the corners the window's shape cuts away (3, 2, 1, 1 pixels).
    c.paint(lambda x, y: not in_round_top(x, y, 1, w, 3.0), OUTLINE)
    c.paint(lambda x, y: in_round_top(x, y, 1, w, 3.0) and not in_round_top(x, y, 2, w, 2.0),
            HIGHLIGHT)
    c.rect(w - 2, 4, w - 1, TOP_ROWS, SHADOW)
    # Grip: two rows of dots with period 4, so the 32-pixel tile repeats seamlessly.
    for x in range(16, w - 16, 4):
        for y in (3, 5):
            c.rect(x, y, x + 1, y + 1, (140, 160, 205))
            c.rect(x + 1, y + 1, x + 2, y + 2, (255, 255, 255))
    return c


def in_round_top(x, y, inset, width, r):
    """Inside a box inset from the left, top and right of a width-wide strip, with its
    top corners rounded by radius r."""
    x0, x1 = inset, width - inset
    if not (x0 <= x <= x1 and y >= inset):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = max(y, inset + r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def crop(canvas, x0, width):
    out = Canvas(width, canvas.height, (0, 0, 0))
    for y in range(canvas.height):
        out.pixels[y] = canvas.pixels[y][x0:x0 + width]
    return out


def filled(width, height, rows=None, columns=None):
    """A picture whose colour depends on the column (columns) or on the row (rows)."""
    c = Canvas(width, height, (0, 0, 0))
    for y in range(height):
        for x in range(width):
            c.pixels[y][x] = columns[x] if columns else rows[y]
    return c


def frame_bitmaps():
    band = top_band()
    w = FRAME_SAMPLE_WIDTH
    bottom_left = Canvas(2, 2, OUTLINE)
    bottom_left.pixels[0][1] = mix(HIGHLIGHT, SHADOW, 0.5)
    bottom_right = Canvas(2, 2, OUTLINE)
    bottom_right.pixels[0][0] = SHADOW
    return {
        "frame-top-left": crop(band, 0, 15),
        "frame-top": crop(band, 15, 32),
        "frame-top-right": crop(band, w - 15, 15),
        "frame-left": filled(2, 16, columns=[OUTLINE, HIGHLIGHT]),
        "frame-right": filled(2, 16, columns=[SHADOW, OUTLINE]),
        "frame-bottom": filled(100, 2, rows=[SHADOW, OUTLINE]),
        "frame-bottom-left": bottom_left,
        "frame-bottom-right": bottom_right,
    }


# ---------------------------------------------------------------- program icon

APP_ID = "com.norvane.kov"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def rotated(points, angle, cx, cy):
    a = math.radians(angle)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca)
            for x, y in points]


def box(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def program_icon_shapes():
    """The icon on a 256-unit square: (kind, geometry..., colour) in painting order."""
    back = rotated(box(52, 58, 212, 186), -9, 132, 122)
    back_inner = rotated(box(62, 68, 202, 166), -9, 132, 122)
    return [
        ("rect", 16, 16, 240, 240, 44, (34, 74, 150)),       # the tile
        ("rect", 22, 22, 234, 128, 38, (58, 108, 196)),      # its lit upper half
        ("rect", 22, 90, 234, 234, 38, (34, 74, 150)),
        ("polygon", back, (226, 232, 242)),                  # the photograph behind
        ("polygon", back_inner, (150, 170, 204)),
        ("rect", 40, 70, 216, 206, 6, (255, 255, 255)),      # the photograph in front
        ("rect", 52, 82, 204, 178, 0, (130, 190, 240)),      # its sky
        ("disc", 170, 110, 15, (255, 214, 72)),              # the sun
        ("polygon", [(52, 178), (52, 146), (96, 110), (134, 144), (152, 130),
                     (204, 164), (204, 178)], (60, 140, 72)),  # hills
        ("polygon", [(52, 178), (52, 164), (110, 142), (168, 162), (204, 154),
                     (204, 178)], (36, 104, 52)),
    ]


def paint_shapes(canvas, shapes, scale):
    for shape in shapes:
        kind, colour = shape[0], shape[-1]
        if kind == "rect":
            x0, y0, x1, y1, radius = (v * scale for v in shape[1:6])
            canvas.rect(x0, y0, x1, y1, colour, radius=radius)
        elif kind == "disc":
            cx, cy, r = (v * scale for v in shape[1:4])
            canvas.disc(cx, cy, r, colour)
        else:
            canvas.polygon([(x * scale, y * scale) for x, y in shape[1]], colour)


def svg_text(shapes):
    def fill(colour):
        return "#%02x%02x%02x" % colour
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
             'viewBox="0 0 256 256">']
    for shape in shapes:
        kind, colour = shape[0], shape[-1]
        if kind == "rect":
            x0, y0, x1, y1, radius = shape[1:6]
            lines.append('  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                         % (x0, y0, x1 - x0, y1 - y0, radius, fill(colour)))
        elif kind == "disc":
            lines.append('  <circle cx="%g" cy="%g" r="%g" fill="%s"/>'
                         % (shape[1], shape[2], shape[3], fill(colour)))
        else:
            points = " ".join("%.2f,%.2f" % p for p in shape[1])
            lines.append('  <polygon points="%s" fill="%s"/>' % (points, fill(colour)))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


class AlphaCanvas(Canvas):
    """A transparent RGBA picture: shapes are laid over it by their coverage."""

    def __init__(self, width, height):
        Canvas.__init__(self, width, height, (0, 0, 0))
        self.alpha = [[0.0] * width for _ in range(height)]

    def paint(self, inside, colour, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        sub = SUB if self.width < 64 else 4
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = sum(1 for sy in range(sub) for sx in range(sub)
                           if inside(px + (sx + 0.5) / sub, py + (sy + 0.5) / sub))
                if not hits:
                    continue
                a = hits / (sub * sub)
                old, old_a = self.pixels[py][px], self.alpha[py][px]
                new_a = a + old_a * (1 - a)
                self.pixels[py][px] = tuple((c * a + o * old_a * (1 - a)) / new_a
                                            for o, c in zip(old, colour))
                self.alpha[py][px] = new_a


def png_bytes(canvas):
    """An 8-bit RGBA PNG, every row unfiltered."""
    raw = bytearray()
    for y in range(canvas.height):
        raw.append(0)
        for (r, g, b), a in zip(canvas.pixels[y], canvas.alpha[y]):
            raw += bytes((clamp(r), clamp(g), clamp(b), clamp(a * 255)))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write_program_icon(res):
    shapes = program_icon_shapes()
    theme = os.path.join(res, "icons", "hicolor")
    folder = os.path.join(theme, "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, APP_ID + ".svg"), "w") as out:
        out.write(svg_text(shapes))
    for size in ICON_SIZES:
        canvas = AlphaCanvas(size, size)
        paint_shapes(canvas, shapes, size / 256.0)
        folder = os.path.join(theme, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, APP_ID + ".png"), "wb") as out:
            out.write(png_bytes(canvas))
    print("wrote the program icon to %s" % theme)


# ---------------------------------------------------------------- main

def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bitmaps")
    os.makedirs(folder, exist_ok=True)
    pictures = {bid: draw() for bid, draw in BUTTONS.items()}
    pictures.update(frame_bitmaps())
    for name, canvas in sorted(pictures.items()):
        with open(os.path.join(folder, name + ".bmp"), "wb") as out:
            out.write(bmp_bytes(canvas))
    print("wrote %d bitmaps to %s" % (len(pictures), folder))
    write_program_icon(os.path.dirname(folder))


if __name__ == "__main__":
    main()
