#!/usr/bin/env python3
"""Draws every picture of the skin into OUTDIR: the bitmaps that the resource
script names (24-bit BMP), and the program icon (ICO with 32-bit images from
16 to 64 pixels).

    python3 make_pictures.py OUTDIR

Every picture is one row of PICTURES below: its resource id, its file, its
size, what to draw and what it stands on. Pictures that lie on the main window
at a fixed place are drawn over the matching crop of the background, so that
their anti-aliased corners melt into it; the others stand on the flat grey of
their dialog or, for image-list strips, on white keyed to magenta.

Each picture is drawn once for every display scale that ui/display_scale.h
lists, from the same shapes sampled at that scale: at 96 DPI as the resource
script names it, at the others as <file>_<percent>.bmp (background_150.bmp)
with the resource id of the 96-DPI picture plus the scale's place in the list
times the id step. The scaled pictures are listed for the resource compiler in
OUTDIR/scaled_pictures.rc, which the resource script includes.
"""

import math
import multiprocessing
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pixel_font as pf  # noqa: E402
import stroke_font as sf  # noqa: E402
from raster import (Canvas, avoid_magenta, bmp_bytes, clamp, ico_bytes, mix,  # noqa: E402
                    read_bmp_size, scaled_length, sd_circle, sd_intersect,
                    sd_polygon, sd_polyline, sd_ring, sd_round_rect, sd_subtract,
                    sd_union, shade)

# ---------------------------------------------------------------------------
# Palette

WHITE = (255, 255, 255)
INK = (34, 40, 49)             # body text
INK_SOFT = (96, 104, 116)      # secondary text
INK_FAINT = (150, 157, 167)
ACCENT = (38, 120, 212)        # the soft blue of the skin
ACCENT_DARK = (22, 88, 170)
ACCENT_LIGHT = (228, 240, 253)
ORANGE = (245, 145, 40)
RED = (214, 64, 60)
GREEN = (46, 160, 90)
PANEL = (230, 230, 230)        # main window page panel: static texts sit on it
DIALOG = (215, 215, 215)       # the small dialogs' face
BASE = (244, 246, 249)         # the window's surface around the panel
LINE = (214, 218, 224)

# ---------------------------------------------------------------------------
# Shapes and small icons, drawn into a box centred at (cx, cy) of size s.


def radial(c0, c1, cx, cy, r):
    """Paint: c0 at (cx, cy) fading to c1 at distance r."""
    return lambda x, y: mix(c0, c1, clamp(math.hypot(x + 0.5 - cx, y + 0.5 - cy) / r))


def vertical(c0, c1, y0, y1):
    return lambda x, y: mix(c0, c1, clamp((y + 0.5 - y0) / max(1.0, y1 - y0)))


def horizontal(c0, c1, x0, x1):
    return lambda x, y: mix(c0, c1, clamp((x + 0.5 - x0) / max(1.0, x1 - x0)))


def snapped_rect(c, x0, y0, x1, y1, r, inset=0):
    """A rounded rectangle whose straight edges lie on whole pixels of the
    canvas at any scale, given in the layout's co-ordinates; inset moves the
    edges in by that many pixels of 96 DPI, as a whole number of pixels of
    the canvas, so that a border between two such rectangles is as wide on
    every side."""
    x0, y0, x1, y1 = c.snap_x(x0), c.snap_y(y0), c.snap_x(x1), c.snap_y(y1)
    if inset:
        dx, dy = c.hair_x(inset), c.hair_y(inset)
        x0, y0, x1, y1 = x0 + dx, y0 + dy, x1 - dx, y1 - dy
    return sd_round_rect(x0, y0, x1, y1, r)


def bbox_of(cx, cy, s):
    return (cx - s, cy - s, cx + s, cy + s)


def draw_ball(c, cx, cy, r, colour):
    """The page buttons' marker: a flat disc with a soft top-left light."""
    c.fill(sd_circle(cx, cy + 0.6, r), (0, 0, 0), bbox_of(cx, cy, r + 2), alpha=0.10)
    c.fill(sd_circle(cx, cy, r), radial(shade(colour, 0.35), shade(colour, -0.12),
                                        cx - r * 0.4, cy - r * 0.5, r * 1.6),
           bbox_of(cx, cy, r + 1))
    c.fill(sd_ring(sd_circle(cx, cy, r), c.hair(1.0)), shade(colour, -0.25), bbox_of(cx, cy, r + 1), alpha=0.35)


def draw_check(c, cx, cy, s, colour, width=None):
    w = width or max(1.6, s * 0.16)
    pts = [(cx - s * 0.32, cy + s * 0.02), (cx - s * 0.08, cy + s * 0.26), (cx + s * 0.34, cy - s * 0.24)]
    c.fill(sd_polyline(pts, w), colour, bbox_of(cx, cy, s))


def draw_plus(c, cx, cy, s, colour, width=None):
    w = width or max(1.6, s * 0.2)
    h = s * 0.42
    c.fill(sd_union(sd_polyline([(cx - h, cy), (cx + h, cy)], w),
                    sd_polyline([(cx, cy - h), (cx, cy + h)], w)), colour, bbox_of(cx, cy, s))


def draw_minus(c, cx, cy, s, colour, width=None):
    w = width or max(1.6, s * 0.2)
    h = s * 0.42
    c.fill(sd_polyline([(cx - h, cy), (cx + h, cy)], w), colour, bbox_of(cx, cy, s))


def draw_cross(c, cx, cy, s, colour, width=None):
    w = width or max(1.6, s * 0.2)
    h = s * 0.34
    c.fill(sd_union(sd_polyline([(cx - h, cy - h), (cx + h, cy + h)], w),
                    sd_polyline([(cx - h, cy + h), (cx + h, cy - h)], w)), colour, bbox_of(cx, cy, s))


def draw_restore(c, cx, cy, s, colour):
    """A counter-clockwise arrow: put back the defaults."""
    r = s * 0.32
    w = max(1.5, s * 0.12)
    a0, a1 = 170.0, -105.0
    n = 24
    pts = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
            cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]
    c.fill(sd_polyline(pts, w), colour, bbox_of(cx, cy, s))
    # the head at the end, along the direction of travel
    a = math.radians(a1)
    ex, ey = pts[-1]
    dx, dy = math.sin(a), -math.cos(a)
    nx, ny = -dy, dx
    h = s * 0.3
    head = [(ex + dx * h, ey + dy * h), (ex + nx * h * 0.8, ey + ny * h * 0.8), (ex - nx * h * 0.8, ey - ny * h * 0.8)]
    c.fill(sd_polygon(head), colour, bbox_of(cx, cy, s))


def draw_dots(c, cx, cy, s, colour):
    for k in (-1, 0, 1):
        c.fill(sd_circle(cx + k * s * 0.36, cy, max(1.1, s * 0.1)), colour, bbox_of(cx, cy, s))


def draw_sparkle(c, cx, cy, s, colour):
    """A four-pointed star."""
    a, b = s * 0.5, s * 0.13
    pts = [(cx, cy - a), (cx + b, cy - b), (cx + a, cy), (cx + b, cy + b),
           (cx, cy + a), (cx - b, cy + b), (cx - a, cy), (cx - b, cy - b)]
    c.fill(sd_polygon(pts), colour, bbox_of(cx, cy, s))


def draw_play(c, cx, cy, s, colour):
    pts = [(cx - s * 0.28, cy - s * 0.36), (cx + s * 0.4, cy), (cx - s * 0.28, cy + s * 0.36)]
    poly = sd_polygon(pts)
    c.fill(lambda px, py: poly(px, py) + 0.6, colour, bbox_of(cx, cy, s))


def draw_stop(c, cx, cy, s, colour):
    h = s * 0.3
    c.fill(sd_round_rect(cx - h, cy - h, cx + h, cy + h, s * 0.08), colour, bbox_of(cx, cy, s))


def draw_folder(c, x, y, s, look="normal"):
    """A document folder in a box s x s at (x, y)."""
    if look == "disabled":
        back, front, edge = (190, 192, 196), (210, 212, 216), (160, 163, 168)
    elif look == "hover":
        back, front, edge = (236, 170, 40), (255, 214, 102), (196, 132, 20)
    else:
        back, front, edge = (226, 168, 52), (248, 200, 92), (190, 136, 34)
    k = s / 16.0
    tab = sd_round_rect(x + 1 * k, y + 2.5 * k, x + 7.5 * k, y + 6 * k, 1.2 * k)
    body = sd_round_rect(x + 1 * k, y + 4 * k, x + 15 * k, y + 14 * k, 1.4 * k)
    c.fill(sd_union(tab, body), edge, (x, y, x + s, y + s))
    c.fill(sd_union(sd_round_rect(x + 2 * k, y + 3.5 * k, x + 6.8 * k, y + 6 * k, 0.8 * k),
                    sd_round_rect(x + 2 * k, y + 5 * k, x + 14 * k, y + 13 * k, 0.8 * k)),
           back, (x, y, x + s, y + s))
    front_sdf = sd_round_rect(x + 2 * k, y + 7 * k, x + 14 * k, y + 13 * k, 0.8 * k)
    c.fill(front_sdf, vertical(shade(front, 0.25), front, y + 7 * k, y + 13 * k), (x, y, x + s, y + s))


def draw_drive(c, x, y, s):
    k = s / 16.0
    body = sd_round_rect(x + 1 * k, y + 4 * k, x + 15 * k, y + 13 * k, 1.8 * k)
    c.fill(body, (98, 106, 118), (x, y, x + s, y + s))
    c.fill(sd_round_rect(x + 2 * k, y + 5 * k, x + 14 * k, y + 12 * k, 1.0 * k),
           vertical((236, 239, 243), (188, 194, 202), y + 5 * k, y + 12 * k), (x, y, x + s, y + s))
    c.fill(sd_round_rect(x + 3 * k, y + 9 * k, x + 10 * k, y + 10.4 * k, 0.5 * k), (120, 128, 140),
           (x, y, x + s, y + s))
    c.fill(sd_circle(x + 12.2 * k, y + 9.7 * k, 1.1 * k), (60, 190, 100), (x, y, x + s, y + s))


def draw_no_entry(c, cx, cy, r):
    c.fill(sd_circle(cx, cy, r), vertical((236, 92, 84), (196, 46, 42), cy - r, cy + r), bbox_of(cx, cy, r + 1))
    c.fill(sd_round_rect(cx - r * 0.62, cy - r * 0.2, cx + r * 0.62, cy + r * 0.2, r * 0.1), WHITE,
           bbox_of(cx, cy, r))


def draw_badge(c, cx, cy, r, colour, mark):
    """A coloured disc with a white mark: the include and exclude pictures."""
    c.fill(sd_circle(cx, cy, r), vertical(shade(colour, 0.18), shade(colour, -0.1), cy - r, cy + r),
           bbox_of(cx, cy, r + 1))
    if mark == "check":
        draw_check(c, cx, cy + 0.2, r * 1.7, WHITE, width=max(1.5, r * 0.3))
    elif mark == "minus":
        draw_minus(c, cx, cy, r * 1.6, WHITE, width=max(1.6, r * 0.32))
    elif mark == "plus":
        draw_plus(c, cx, cy, r * 1.6, WHITE, width=max(1.6, r * 0.32))


def draw_cookie(c, cx, cy, r):
    bite = sd_circle(cx + r * 0.85, cy - r * 0.85, r * 0.5)
    disc = sd_subtract(sd_circle(cx, cy, r), bite)
    c.fill(disc, (168, 110, 52), bbox_of(cx, cy, r + 1))
    c.fill(sd_subtract(sd_circle(cx, cy, r - 1), sd_circle(cx + r * 0.85, cy - r * 0.85, r * 0.5 + 1)),
           radial((232, 184, 112), (206, 148, 76), cx - r * 0.3, cy - r * 0.3, r * 1.3), bbox_of(cx, cy, r + 1))
    for dx, dy in ((-0.38, -0.2), (0.2, 0.3), (-0.1, 0.5), (0.45, -0.05), (-0.45, 0.3)):
        c.fill(sd_circle(cx + dx * r, cy + dy * r, max(0.75, r * 0.13)), (92, 56, 28),
               bbox_of(cx + dx * r, cy + dy * r, 2))


def draw_recycle_bin(c, x, y, s):
    k = s / 16.0
    box = (x, y, x + s, y + s)
    body = sd_polygon([(x + 3.2 * k, y + 4.5 * k), (x + 12.8 * k, y + 4.5 * k),
                       (x + 11.8 * k, y + 15 * k), (x + 4.2 * k, y + 15 * k)])
    c.fill(lambda px, py: body(px, py) - 0.3 * k, (74, 112, 156), box)
    c.fill(lambda px, py: body(px, py) + 0.7 * k, vertical((150, 190, 232), (104, 150, 204), y + 5 * k, y + 15 * k),
           box)
    for fx in (5.9, 8.0, 10.1):
        c.fill(sd_polyline([(x + fx * k, y + 6.5 * k), (x + fx * k, y + 13 * k)], 0.9 * k), (66, 104, 150), box)
    c.fill(sd_round_rect(x + 2 * k, y + 2.6 * k, x + 14 * k, y + 4.6 * k, 0.8 * k), (74, 112, 156), box)
    c.fill(sd_round_rect(x + 6 * k, y + 1 * k, x + 10 * k, y + 3 * k, 0.6 * k), (74, 112, 156), box)


def draw_red_cross(c, cx, cy, s):
    draw_cross(c, cx, cy, s, (150, 30, 28), width=s * 0.3)
    draw_cross(c, cx, cy, s, (222, 62, 56), width=s * 0.2)


def draw_app_icon(c, x, y, s):
    """The program's mark: a disk platter with a sparkle, on a blue tile."""
    box = (x - 1, y - 1, x + s + 1, y + s + 1)
    r = s * 0.22
    c.fill(sd_round_rect(x, y, x + s, y + s, r), vertical((72, 156, 240), (24, 96, 192), y, y + s), box)
    if s >= 24:
        c.fill(sd_ring(sd_round_rect(x, y, x + s, y + s, r), c.hair(1.0)), (255, 255, 255), box, alpha=0.18)
    dcx, dcy, dr = x + s * 0.47, y + s * 0.55, s * 0.31
    c.fill(sd_circle(dcx, dcy, dr), radial((255, 255, 255), (208, 226, 246), dcx - dr * 0.3, dcy - dr * 0.4, dr * 1.6),
           box)
    if s >= 24:
        c.fill(sd_ring(sd_circle(dcx, dcy, dr * 0.66), max(0.8, s * 0.025)), (150, 184, 224), box)
    c.fill(sd_circle(dcx, dcy, dr * 0.24), (32, 106, 200), box)
    if s >= 24:
        draw_sparkle(c, x + s * 0.78, y + s * 0.23, s * 0.36, (255, 212, 72))
    else:
        # at small sizes a thin star smudges: a plain cross of pixels reads better
        sx, sy = int(x + s * 0.76) + 0.5, int(y + s * 0.24) + 0.5
        c.fill(sd_union(sd_polyline([(sx - 2, sy), (sx + 2, sy)], 1.0),
                        sd_polyline([(sx, sy - 2), (sx, sy + 2)], 1.0)), (255, 214, 72), box)
        c.fill(sd_circle(sx, sy, 0.9), (255, 236, 160), box)


# ---------------------------------------------------------------------------
# Buttons

BUTTON_LOOKS = {
    # tone, look: fill top, fill bottom, border, text
    ("plain", "normal"): ((255, 255, 255), (245, 247, 250), (184, 190, 199), INK),
    ("plain", "hover"): ((240, 247, 255), (222, 236, 252), (64, 134, 216), ACCENT_DARK),
    ("plain", "disabled"): ((236, 237, 240), (236, 237, 240), (212, 215, 220), (168, 172, 179)),
    ("primary", "normal"): ((58, 140, 226), (36, 114, 204), (28, 98, 184), WHITE),
    ("primary", "hover"): ((92, 166, 242), (64, 144, 230), (40, 118, 206), WHITE),
    ("primary", "disabled"): ((198, 212, 230), (198, 212, 230), (184, 199, 220), (240, 244, 250)),
    ("danger", "hover"): ((255, 243, 242), (252, 228, 226), (214, 72, 66), (168, 34, 30)),
}


def button_style(tone, look):
    return BUTTON_LOOKS.get((tone, look)) or BUTTON_LOOKS[("plain", look)]


def draw_button_face(c, x0, y0, x1, y1, radius, tone, look, shadow=True):
    top, bottom, border, _ = button_style(tone, look)
    box = (x0 - 1, y0 - 1, x1 + 1, y1 + 2)
    if shadow and look != "disabled":
        c.fill(snapped_rect(c, x0, y0 + 1, x1, y1 + 1, radius), (0, 0, 0), box, alpha=0.10)
    c.fill(snapped_rect(c, x0, y0, x1, y1, radius), border, box)
    # the border is a whole number of pixels wide at every scale
    face = snapped_rect(c, x0, y0, x1, y1, max(0.5, radius - 1), inset=1)
    c.fill(face, vertical(top, bottom, y0, y1), box)
    if look != "disabled":
        # a one-pixel light along the top edge lifts the face a little
        light = c.snap_y(y0) + 2 * c.hair_y(1)
        c.fill(sd_intersect(face, lambda px, py: py - light), WHITE, box, alpha=0.35 if tone == "plain" else 0.2)


ICONS = {
    "plus": lambda c, cx, cy, s, col: draw_plus(c, cx, cy, s, col),
    "minus": lambda c, cx, cy, s, col: draw_minus(c, cx, cy, s, col),
    "cross": lambda c, cx, cy, s, col: draw_cross(c, cx, cy, s, col),
    "restore": lambda c, cx, cy, s, col: draw_restore(c, cx, cy, s, col),
    "sparkle": lambda c, cx, cy, s, col: draw_sparkle(c, cx, cy, s, col),
    "cookie": lambda c, cx, cy, s, col: draw_cookie(c, cx, cy, s * 0.42),
    "red_cross": lambda c, cx, cy, s, col: draw_red_cross(c, cx, cy, s),
    "dots": lambda c, cx, cy, s, col: draw_dots(c, cx, cy, s, col),
}

ICON_COLOURS = {"plus": GREEN, "minus": RED, "restore": ACCENT, "cross": RED}


def draw_label_button(c, desc):
    """A push button with a label and an optional icon before it."""
    w, h = c.size
    tone, look = desc.get("tone", "plain"), desc["look"]
    radius = desc.get("radius", 4)
    draw_button_face(c, 0, 0, w, h - 1, radius, tone, look)
    text_colour = button_style(tone, look)[3]
    label, bold = desc["label"], desc.get("bold", False)
    icon = desc.get("icon")
    tw = pf.text_width(label, bold)
    isz = desc.get("icon_size", 12) if icon else 0
    gap = 6 if icon and label else 0
    left = (w - (isz + gap + tw)) / 2.0
    cy = (h - 1) / 2.0
    if icon:
        if tone == "primary" or look == "disabled" or icon == "dots":
            col = text_colour
        else:
            col = ICON_COLOURS.get(icon, text_colour)
        ICONS[icon](c, left + isz / 2.0, cy, isz, col)
        if look == "disabled" and icon in ("cookie", "red_cross"):
            c.fill(sd_round_rect(left - 1, cy - isz / 2 - 1, left + isz + 1, cy + isz / 2 + 1, 2),
                   button_style(tone, look)[0], (0, 0, w, h), alpha=0.55)
    pf.draw_text(c, int(round(left + isz + gap)), int(round(cy - pf.ASCENT / 2.0)), label, text_colour, bold)


def draw_page_button(c, desc):
    """A page tab of the left column: a ball and a label."""
    look = desc["look"]
    w, h = c.size
    box = (0, 0, w, h)
    tab = snapped_rect(c, 0, 0, w, h, 5, inset=1)
    if look == "hover":
        c.fill(tab, (255, 244, 230), box)
        c.fill(sd_ring(tab, c.hair(1)), (246, 214, 176), box)
        ball, text, bold = ORANGE, INK, False
    elif look == "selected":
        c.fill(snapped_rect(c, 1, 2, w - 1, h, 5), (0, 0, 0), box, alpha=0.06)
        c.fill(tab, WHITE, box)
        c.fill(sd_ring(tab, c.hair(1)), (176, 200, 230), box)
        c.fill(snapped_rect(c, 1, 5, 4, h - 5, 1.5), ACCENT, box)
        ball, text, bold = ACCENT, ACCENT_DARK, True
    else:
        ball, text, bold = (172, 178, 187), INK_SOFT, False
    cy = (h - 1) / 2.0 + 0.5
    draw_ball(c, 17, cy, 5, ball)
    pf.draw_text(c, 30, int(round(cy - pf.ASCENT / 2.0)), desc["label"], text, bold)


def draw_round_button(c, desc):
    """The circular Start Scan and Stop Scan buttons."""
    look, glyph = desc["look"], desc["glyph"]
    s = c.size[0]
    cx = cy = s / 2.0
    r = s / 2.0 - 1.0
    base = ACCENT if glyph == "play" else RED
    if look == "disabled":
        face0, face1, edge, mark = (212, 217, 224), (196, 202, 211), (172, 180, 191), (250, 251, 252)
    elif look == "hover":
        face0, face1, edge, mark = shade(base, 0.42), shade(base, 0.12), shade(base, -0.1), WHITE
    else:
        face0, face1, edge, mark = shade(base, 0.22), shade(base, -0.08), shade(base, -0.25), WHITE
    box = (0, 0, s, s)
    if look != "disabled":
        c.fill(sd_circle(cx, cy + 0.8, r), (0, 0, 0), box, alpha=0.14)
    c.fill(sd_circle(cx, cy, r), edge, box)
    c.fill(sd_circle(cx, cy, r - 1), vertical(face0, face1, cy - r, cy + r), box)
    if look == "hover":
        c.fill(sd_ring(sd_circle(cx, cy, r - 1), 1.2), WHITE, box, alpha=0.45)
    if glyph == "play":
        draw_play(c, cx + 0.8, cy, s * 0.62, mark)
    else:
        draw_stop(c, cx, cy, s * 0.78, mark)


def draw_caption_button(c, desc):
    """Minimise and close on the title strip."""
    look, glyph = desc["look"], desc["glyph"]
    w, h = c.size
    box = (0, 0, w, h)
    if look == "hover":
        if glyph == "close":
            c.fill(sd_round_rect(0, 0, w, h, 3), (226, 52, 48), box)
        else:
            c.fill(sd_round_rect(0, 0, w, h, 3), WHITE, box, alpha=0.24)
    alpha = 0.45 if look == "disabled" else 1.0
    cx, cy = w / 2.0, h / 2.0
    if glyph == "close":
        c.fill(sd_union(sd_polyline([(cx - 3.6, cy - 3.6), (cx + 3.6, cy + 3.6)], 1.5),
                        sd_polyline([(cx - 3.6, cy + 3.6), (cx + 3.6, cy - 3.6)], 1.5)), WHITE, box, alpha=alpha)
    else:
        bar_y, bar_w = cy + 3, 1.6
        if not c.is_base():
            # a bar of whole pixel rows, which stays crisp at any scale
            bar_w = c.hair_y(bar_w)
            bar_y = c.snap_y(cy + 3 - 0.8) + bar_w / 2.0
        c.fill(sd_polyline([(cx - 4, bar_y), (cx + 4, bar_y)], bar_w), WHITE, box, alpha=alpha)


def draw_link_button(c, desc):
    """The small Help and About buttons of the header."""
    look = desc["look"]
    w, h = c.size
    box = (0, 0, w, h)
    rr = sd_round_rect(0, 0, w, h, 4)
    line = c.hair(1)
    if look == "hover":
        c.fill(rr, ACCENT_LIGHT, box)
        c.fill(sd_ring(rr, line), (120, 170, 228), box)
        text = ACCENT_DARK
    elif look == "disabled":
        c.fill(sd_ring(rr, line), (226, 229, 233), box)
        text = (176, 181, 188)
    else:
        c.fill(sd_ring(rr, line), (204, 210, 218), box)
        text = INK_SOFT
    pf.draw_text_centred(c, w / 2.0, h / 2.0, desc["label"], text)


def draw_small_icon(c, desc):
    what, s = desc["icon"], c.size[0]
    if what == "folder":
        look = desc.get("look", "normal")
        if look == "hover":
            c.fill(sd_round_rect(0, 0, s, s, 3), ACCENT_LIGHT, (0, 0, s, s))
            c.fill(sd_ring(sd_round_rect(0, 0, s, s, 3), c.hair(1)), (130, 176, 230), (0, 0, s, s))
            draw_folder(c, 1, 1, s - 2, "hover")
        else:
            draw_folder(c, 0, 0, s, look)
    elif what == "drive":
        draw_drive(c, 0, 0, s)
    elif what == "no_entry":
        draw_no_entry(c, s / 2.0, s / 2.0, s / 2.0 - 1.2)
    elif what == "recycle_bin":
        draw_recycle_bin(c, 0, 0, s)
    elif what == "red_cross":
        draw_red_cross(c, s / 2.0, s / 2.0, s * 0.95)
    elif what == "include":
        draw_badge(c, s / 2.0, s / 2.0, s / 2.0 - 0.8, GREEN, "check")
    elif what == "exclude":
        draw_badge(c, s / 2.0, s / 2.0, s / 2.0 - 0.8, RED, "minus")
    elif what == "cookie":
        draw_cookie(c, s / 2.0, s / 2.0 + 0.3, s / 2.0 - 0.6)
    elif what == "blank":
        pass
    else:
        raise ValueError("no small icon %r" % what)


def draw_check_box(c, desc):
    s = c.size[0]
    inset = desc.get("inset", 1.5)
    x0, y0, x1, y1 = inset, inset, s - inset, s - inset
    box = (0, 0, s, s)
    if not c.is_base():
        # the box's edges on whole pixels, so that its border is crisp
        x0, y0, x1, y1 = c.snap_x(x0), c.snap_y(y0), c.snap_x(x1), c.snap_y(y1)
    outline = sd_round_rect(x0, y0, x1, y1, 2.5)
    if desc["ticked"]:
        c.fill(outline, ACCENT, box)
        draw_check(c, s / 2.0, s / 2.0, s * 0.82, WHITE, width=1.7)
    else:
        c.fill(outline, (122, 130, 142), box)
        dx, dy = c.hair_x(1), c.hair_y(1)
        c.fill(sd_round_rect(x0 + dx, y0 + dy, x1 - dx, y1 - dy, 1.5), WHITE, box)


def draw_radio(c, desc):
    s = c.size[0]
    cx = cy = s / 2.0
    r = s / 2.0 - 1.5
    box = (0, 0, s, s)
    if desc["filled"]:
        c.fill(sd_circle(cx, cy, r), ACCENT, box)
        c.fill(sd_circle(cx, cy, r - c.hair(1.2)), WHITE, box)
        c.fill(sd_circle(cx, cy, r - 3.6), ACCENT, box)
    else:
        c.fill(sd_circle(cx, cy, r), (122, 130, 142), box)
        c.fill(sd_circle(cx, cy, r - c.hair(1.0)), WHITE, box)


def draw_separator(c, desc):
    """A groove of a dark and a light line, each a whole number of pixels
    wide, fading out towards both ends."""
    h = c.size[1]
    x0 = c.pixel_x(3)
    stem = max(1, c.pixel_x(4) - x0)
    for y in range(c.h):
        t = 1.0 - abs((y + 0.5) / c.ky - h / 2.0) / (h / 2.0)
        a = clamp(t * 2.2)
        for x in range(x0, x0 + stem):
            c.blend(x, y, (200, 205, 212), a)
        for x in range(x0 + stem, x0 + 2 * stem):
            c.blend(x, y, WHITE, a * 0.9)


def draw_ornament(c, desc):
    """The rail that the Start Scan and Stop Scan buttons sit on."""
    w, h = c.size
    box = (0, 0, w, h)
    # Start Scan covers x 16..47 and Stop Scan x 58..80 of it
    c.fill(snapped_rect(c, 8, 4, 72, 7, 1.5), (216, 221, 228), box)
    pf.draw_text(c, w - 30, 1, "Scan", INK_FAINT)


def draw_about_title(c, desc):
    w, h = c.size
    size = 14
    sf.draw_text(c, 3, 5, "Velnor", size, ACCENT_DARK, weight=2.1)
    x = 3 + sf.text_width("Velnor ", size, weight=2.1)
    sf.draw_text(c, x, 5, "Disk Cleaner", size, INK, weight=1.5)
    c.fill(snapped_rect(c, 4, h - 5, 36, h - 3, 1), ACCENT, (0, 0, w, h))


def draw_about_picture(c, desc):
    """The About page's illustration: a bright disk being polished."""
    w, h = c.size
    box = (0, 0, w, h)
    card = sd_round_rect(0, 0, w, h - 1, 10)
    c.fill(sd_round_rect(0, 1, w, h, 10), (0, 0, 0), box, alpha=0.08)
    c.fill(card, lambda x, y: mix(mix((84, 164, 244), (30, 98, 196), y / h), (20, 80, 170), x / w * 0.3), box)
    # soft light circles in the back
    for cx, cy, r, a in ((40, 30, 60, 0.08), (200, 140, 80, 0.07), (180, 20, 30, 0.08)):
        c.fill(sd_intersect(sd_circle(cx, cy, r), card), WHITE, box, alpha=a)
    # the platter
    dcx, dcy, dr = w * 0.5, h * 0.46, 52
    c.fill(sd_circle(dcx + 2, dcy + 4, dr), (0, 0, 0), box, alpha=0.18, soft=4)
    c.fill(sd_circle(dcx, dcy, dr), radial((255, 255, 255), (196, 216, 240), dcx - 20, dcy - 24, 90), box)
    for rr, a in ((44, 0.35), (36, 0.25), (28, 0.3)):
        c.fill(sd_ring(sd_circle(dcx, dcy, rr), c.hair(1.0)), (150, 182, 222), box, alpha=a)
    c.fill(sd_circle(dcx, dcy, 11), (36, 110, 204), box)
    c.fill(sd_circle(dcx, dcy, 4), WHITE, box)
    # a light streak across the platter
    streak = sd_intersect(sd_circle(dcx, dcy, dr - 1),
                          lambda px, py: abs((px - dcx) * 0.6 + (py - dcy) * 0.8 + 18) - 7)
    c.fill(streak, WHITE, box, alpha=0.5)
    draw_sparkle(c, dcx + 46, dcy - 44, 26, (255, 214, 80))
    draw_sparkle(c, dcx + 66, dcy - 18, 12, (255, 236, 170))
    draw_sparkle(c, dcx - 58, dcy + 30, 14, (255, 236, 170))
    text = "Clean disks, more space"
    tw = sf.text_width(text, 10, weight=1.5)
    sf.draw_text(c, (w - tw) / 2.0, h - 26, text, 10, WHITE, weight=1.5)


def draw_footer(c, desc):
    text = desc["text"]
    w, h = c.size
    pf.draw_text_centred(c, w / 2.0, h / 2.0, text, INK_FAINT)


# ---------------------------------------------------------------------------
# The background of the main window

TITLE_H = 31
HEADER_BOTTOM = 80
PANEL_RECT = (135, 85, 626, 406)   # the page panel, right and bottom exclusive
FOOTER_TOP = 456


def draw_background(c, desc):
    w, h = c.size
    # title strip
    c.rect(0, 0, w, TITLE_H, horizontal((22, 90, 176), (46, 132, 220), 0, w))
    c.rect(0, TITLE_H - 1, w, TITLE_H, (16, 72, 150))
    draw_app_icon(c, 6, 3, 25)
    pf.draw_text(c, 38, 11, "Velnor Disk Cleaner", WHITE, bold=True)
    # header with the wordmark
    c.rect(0, TITLE_H, w, HEADER_BOTTOM, vertical(WHITE, (250, 251, 253), TITLE_H, HEADER_BOTTOM))
    c.rect(0, HEADER_BOTTOM, w, HEADER_BOTTOM + 1, LINE)
    draw_app_icon(c, 14, 38, 36)
    sf.draw_text(c, 60, 39, "Velnor", 17, ACCENT_DARK, weight=2.4)
    x = 60 + sf.text_width("Velnor ", 17, weight=2.4)
    sf.draw_text(c, x, 39, "Disk Cleaner", 17, INK, weight=1.8)
    pf.draw_text(c, 61, 63, "Find junk files and win back disk space", INK_SOFT)
    # the surface around the panel
    c.rect(0, HEADER_BOTTOM + 1, w, FOOTER_TOP, BASE)
    # left column heading
    pf.draw_text(c, 14, 151, "STEPS", INK_FAINT, bold=True)
    c.rect(14, 163, 128, 164, LINE)
    draw_sidebar_emblem(c)
    # page panel
    x0, y0, x1, y1 = PANEL_RECT
    box = (x0 - 4, y0 - 4, x1 + 4, y1 + 6)
    c.fill(sd_round_rect(x0, y0 + 2, x1, y1 + 2, 8), (0, 0, 0), box, alpha=0.05, soft=2.5)
    c.fill(snapped_rect(c, x0, y0, x1, y1, 8), (206, 208, 212), box)
    c.fill(snapped_rect(c, x0, y0, x1, y1, 7, inset=1), PANEL, box)
    # footer
    c.rect(0, FOOTER_TOP, w, FOOTER_TOP + 1, LINE)
    c.rect(0, FOOTER_TOP + 1, w, h, (236, 239, 243))
    pf.draw_text(c, 12, FOOTER_TOP + 8, "Velnor Software", INK_FAINT)
    right = "Version " + open(os.path.join(os.path.dirname(__file__), "..", "..", "VERSION")).read().strip()
    pf.draw_text(c, w - 12 - pf.text_width(right), FOOTER_TOP + 8, right, INK_FAINT)


def draw_sidebar_emblem(c):
    """A small disk gauge above the page buttons of the left column."""
    cx, cy, r = 68, 116, 26
    box = bbox_of(cx, cy, r + 4)
    c.fill(sd_circle(cx, cy, r), WHITE, box)
    c.fill(sd_ring(sd_circle(cx, cy, r), c.hair(1)), LINE, box)
    ring = sd_ring(sd_circle(cx, cy, r - 5), 5)
    c.fill(ring, (226, 232, 240), box)
    end = 4.4  # radians clockwise from the top: the used part of the disk
    n = 40
    rr = r - 7.5
    pts = [(cx + rr * math.sin(end * i / n), cy - rr * math.cos(end * i / n)) for i in range(n + 1)]
    c.fill(sd_polyline(pts, 5), horizontal((72, 158, 240), ACCENT, cx - r, cx + r), box)
    c.fill(sd_circle(cx, cy, 9), ACCENT_LIGHT, box)
    c.fill(sd_circle(cx, cy, 3.2), ACCENT, box)


# ---------------------------------------------------------------------------
# The table of pictures

KINDS = {
    "background": draw_background,
    "label_button": draw_label_button,
    "page_button": draw_page_button,
    "round_button": draw_round_button,
    "caption_button": draw_caption_button,
    "link_button": draw_link_button,
    "small_icon": draw_small_icon,
    "check_box": draw_check_box,
    "radio": draw_radio,
    "separator": draw_separator,
    "ornament": draw_ornament,
    "about_title": draw_about_title,
    "about_picture": draw_about_picture,
    "footer": draw_footer,
    # the background as it is at the picture's place: a static over it that
    # paints itself then shows the background instead of a grey box
    "crop": lambda c, desc: None,
}


def pic(rid, name, w, h, kind, **desc):
    desc.update(id=rid, file=name, size=(w, h), kind=kind)
    return desc


def triple(ids, stem, w, h, kind, at=None, on=None, looks=("disabled", "hover", "normal"), **desc):
    """The three pictures of a push button, in the order the program passes them."""
    suffixes = {"disabled": "_off", "hover": "_hover", "normal": "", "selected": "_on"}
    out = []
    for rid, look in zip(ids, looks):
        extra = dict(desc, look=look)
        if at is not None:
            extra["at"] = at
        if on is not None:
            extra["on"] = on
        out.append(pic(rid, stem + suffixes[look] + ".bmp", w, h, kind, **extra))
    return out


def page_buttons():
    out = []
    labels = [("path", "Path", (202, 203, 204)), ("filters", "Filters", (205, 206, 207)),
              ("exceptions", "Exceptions", (208, 209, 210)), ("options", "Options", (211, 212, 213)),
              ("scan", "Scan", (214, 215, 216)), ("clean", "Clean", (217, 219, 220))]
    for i, (stem, label, ids) in enumerate(labels):
        out += triple(ids, "page_" + stem, 120, 27, "page_button", at=(8, 170 + 30 * i),
                      looks=("normal", "hover", "selected"), label=label)
    return out


def strip(rid, name, cell, images):
    return pic(rid, name, cell * len(images), cell, "strip", cell=cell, images=images)


PICTURES = (
    [pic(131, "background.bmp", 640, 480, "background"),
     pic(264, "title_icon.bmp", 25, 25, "crop", at=(6, 3))]
    + page_buttons()
    + [pic(157, "check_off.bmp", 16, 16, "check_box", ticked=False, on=PANEL),
       pic(158, "check_on.bmp", 16, 16, "check_box", ticked=True, on=PANEL),
       pic(155, "radio_off.bmp", 16, 16, "radio", filled=False, on=PANEL),
       pic(156, "radio_on.bmp", 16, 16, "radio", filled=True, on=PANEL)]
    + triple((160, 161, 162), "scan_start", 31, 31, "round_button", at=(36, 410), glyph="play")
    + triple((163, 164, 165), "scan_stop", 22, 22, "round_button", at=(78, 415), glyph="stop")
    + [pic(168, "ornament.bmp", 113, 10, "ornament", at=(20, 420))]
    + triple((185, 187, 188), "back", 76, 26, "label_button", at=(310, 420), label="< Back")
    + triple((189, 190, 191), "next", 76, 26, "label_button", at=(390, 420), label="Next >", tone="primary")
    + triple((192, 193, 194), "exit", 76, 26, "label_button", at=(500, 420), label="Exit")
    + triple((195, 196, 197), "minimize", 18, 19, "caption_button", at=(594, 5), glyph="minimize")
    + triple((198, 199, 200), "close", 18, 19, "caption_button", at=(615, 5), glyph="close")
    + triple((169, 171, 172), "add", 81, 32, "label_button", on=PANEL, label="Add", icon="plus")
    + triple((173, 174, 175), "default", 81, 32, "label_button", on=PANEL, label="Default", icon="restore", icon_size=13)
    + triple((176, 177, 178), "remove", 81, 32, "label_button", on=PANEL, label="Remove", icon="minus")
    + triple((179, 180, 181), "about", 46, 18, "link_button", at=(576, 51), label="About")
    + triple((182, 183, 184), "help", 46, 18, "link_button", at=(529, 51), label="Help")
    + triple((235, 236, 237), "ok", 76, 26, "label_button", on=DIALOG, label="OK", tone="primary")
    + triple((238, 239, 240), "cancel", 76, 26, "label_button", on=DIALOG, label="Cancel")
    + triple((242, 243, 244), "browse", 49, 21, "label_button", on=DIALOG, label="", icon="dots", radius=3)
    + triple((245, 246), "start_clean", 92, 38, "label_button", on=PANEL, looks=("hover", "normal"),
             label="Start Clean", tone="primary", icon="sparkle", bold=True, radius=5)
    + triple((253, 254), "cookies", 150, 25, "label_button", on=PANEL, looks=("hover", "normal"),
             label="Cookies Cleaner", icon="cookie", icon_size=14)
    + triple((262, 263), "delete", 76, 26, "label_button", on=(215, 215, 215), looks=("normal", "hover"),
             label="Delete", icon="red_cross", icon_size=11, tone="danger")
    + triple((225, 227, 226), "folder", 16, 16, "small_icon", on=PANEL,
             looks=("disabled", "hover", "normal"), icon="folder")
    + [pic(221, "separator.bmp", 7, 26, "separator", at=(480, 420)),
       pic(228, "recycle_bin.bmp", 16, 16, "small_icon", on=PANEL, icon="recycle_bin"),
       pic(229, "red_cross.bmp", 16, 16, "small_icon", on=PANEL, icon="red_cross"),
       pic(232, "about_title.bmp", 210, 30, "about_title", on=PANEL),
       pic(201, "about_picture.bmp", 230, 168, "about_picture", on=PANEL),
       pic(248, "about_footer.bmp", 291, 14, "footer", on=PANEL,
           text="Copyright (C) Velnor Software. All rights reserved."),
       pic(153, "filter_exclude.bmp", 16, 16, "small_icon", on=DIALOG, icon="exclude"),
       pic(154, "filter_include.bmp", 16, 16, "small_icon", on=DIALOG, icon="include"),
       strip(133, "location_images.bmp", 16, ["blank", "drive", "folder", "no_entry"]),
       strip(148, "filter_images.bmp", 13, ["blank", "include", "exclude"]),
       strip(150, "header_checks.bmp", 13, ["blank", "check_on", "check_off"]),
       strip(252, "cookie_images.bmp", 13, ["blank", "cookie"])]
)

ICON = {"id": 128, "file": "velnor.ico", "sizes": (16, 20, 24, 32, 40, 48, 64)}

# What the program's image lists expect of each strip at 96 DPI: cell size,
# image count.
EXPECTED_STRIPS = {133: (16, 4), 148: (13, 3), 150: (13, 3), 252: (13, 2)}

# Where the program keeps the scales the pictures are drawn for, and the step
# between the resource ids of a picture's scales.
SCALES_HEADER = os.path.join("ui", "display_scale.h")
SCALED_SCRIPT = "scaled_pictures.rc"
REPO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def read_scales(repo):
    """(the drawn scales in per cent, the id step) as the program declares them."""
    with open(os.path.join(repo, SCALES_HEADER)) as f:
        text = f.read()
    m = re.search(r"kDrawnScales\[\]\s*=\s*\{([^}]*)\}", text)
    step = re.search(r"kScaledPictureIdStep\s*=\s*(\d+)", text)
    assert m and step, "%s declares no drawn scales or id step" % SCALES_HEADER
    scales = [int(v) for v in m.group(1).split(",") if v.strip()]
    assert scales[0] == 100 and scales == sorted(set(scales)), "drawn scales %r" % scales
    return scales, int(step.group(1))


def at_scale(desc, n, percent, step):
    """The row of PICTURES for the n-th drawn scale: the picture's 96-DPI
    layout stays in "layout"; size, id and file become the scale's own."""
    w, h = desc["size"]
    out = dict(desc, layout=(w, h), percent=percent, base_id=desc["id"])
    if n:
        stem, ext = os.path.splitext(desc["file"])
        out.update(id=desc["id"] + n * step, file="%s_%d%s" % (stem, percent, ext))
    if desc["kind"] == "strip":
        cell = scaled_length(desc["cell"], percent)
        out.update(size=(cell * len(desc["images"]), cell), cell=cell)
    else:
        out.update(size=(scaled_length(w, percent), scaled_length(h, percent)))
    return out


def scaled_table(scales, step):
    """Every picture at every drawn scale, the 96-DPI rows first."""
    return [[at_scale(p, n, percent, step) for p in PICTURES] for n, percent in enumerate(scales)]


# ---------------------------------------------------------------------------

def draw_strip_image(c, name):
    if name in ("check_on", "check_off"):
        draw_check_box(c, {"ticked": name == "check_on", "inset": 0.5})
    else:
        draw_small_icon(c, {"icon": name})


def render(desc, background):
    w, h = desc["size"]
    lw, lh = desc["layout"]
    percent = desc["percent"]
    kind = desc["kind"]
    if kind == "strip":
        out = Canvas(w, h)
        layout_cell, cell = desc["layout"][1], desc["cell"]
        for i, name in enumerate(desc["images"]):
            # drawn on the list's white so that soft edges suit it, then keyed
            img = Canvas.scaled(layout_cell, layout_cell, percent, WHITE)
            draw_strip_image(img, name)
            img.key_to_magenta()
            out.paste(img, i * cell, 0)
        return out
    if "at" in desc:
        x, y = desc["at"]
        c = background.crop(scaled_length(x, percent), scaled_length(y, percent), w, h).with_layout(lw, lh)
    else:
        c = Canvas.scaled(lw, lh, percent, desc.get("on", PANEL))
    KINDS[kind](c, desc)
    return c


def write_scale(outdir, table):
    """Draws and writes one scale's pictures; the background first, since the
    pictures at a fixed place are drawn over their crop of it."""
    background = None
    for desc in table:
        c = render(desc, background)
        if desc["kind"] == "background":
            background = c
        assert (c.w, c.h) == desc["size"], desc["file"]
        rows = avoid_magenta(c.rgb_rows(), keyed=desc["kind"] == "strip")
        with open(os.path.join(outdir, desc["file"]), "wb") as f:
            f.write(bmp_bytes(rows))
    return len(table)


def render_icon(size):
    c = Canvas(size, size, (0, 0, 0), transparent=True)
    draw_app_icon(c, 0.5 if size < 32 else 1, 0.5 if size < 32 else 1, size - (1 if size < 32 else 2))
    return c


def check_table():
    ids = [p["id"] for p in PICTURES]
    files = [p["file"] for p in PICTURES]
    assert len(set(ids)) == len(ids), "a picture id is used twice"
    assert len(set(files)) == len(files), "a file name is used twice"
    for p in PICTURES:
        assert p["kind"] == "strip" or p["kind"] in KINDS, p


def check_scaled_table(tables, step):
    """No scaled id or file meets another picture's, and the step keeps the
    scales' ids apart."""
    rows = [p for table in tables for p in table]
    ids = [p["id"] for p in rows]
    files = [p["file"] for p in rows]
    assert len(set(ids)) == len(ids), "a scaled picture id is used twice"
    assert len(set(files)) == len(files), "a scaled file name is used twice"
    assert max(p["id"] for p in PICTURES) < step, "the id step %d does not clear the pictures' ids" % step


def check_written(outdir, tables):
    """Every written picture has its declared size, every strip its image
    count of cells of its scale."""
    for table in tables:
        for p in table:
            with open(os.path.join(outdir, p["file"]), "rb") as f:
                data = f.read()
            w, h, bits = read_bmp_size(data)
            assert (w, h) == p["size"], "%s is %dx%d, not %dx%d" % (p["file"], w, h, p["size"][0], p["size"][1])
            assert bits == 24, "%s is not 24-bit" % p["file"]
            if p["kind"] == "strip":
                cell, count = EXPECTED_STRIPS[p["base_id"]]
                cell = scaled_length(cell, p["percent"])
                assert (w, h) == (cell * count, cell), "%s holds %d images of %d, not %d of %d" % (
                    p["file"], w // max(1, h), h, count, cell)
                assert p["images"][0] == "blank", "%s: image 0 must be blank" % p["file"]
    strips = {p["id"] for p in PICTURES if p["kind"] == "strip"}
    assert strips == set(EXPECTED_STRIPS), "strips %r" % sorted(strips)
    with open(os.path.join(outdir, ICON["file"]), "rb") as f:
        data = f.read()
    count = int.from_bytes(data[4:6], "little")
    sizes = sorted(data[6 + 16 * i] or 256 for i in range(count))
    assert tuple(sizes) == ICON["sizes"], "icon sizes %r" % (sizes,)


def check_resource_script(repo, tables):
    """The resource script names every 96-DPI picture of the table by its
    id's name and file, and nothing else, and takes in the scaled pictures'
    script, whose ids no named picture uses; skipped where the sources are
    not beside us."""
    rc_path = os.path.join(repo, "res", "velnor.rc")
    header_path = os.path.join(repo, "res", "resource.h")
    if not (os.path.exists(rc_path) and os.path.exists(header_path)):
        return
    ids = {}
    with open(header_path) as f:
        for m in re.finditer(r"^#define\s+(IDB_\w+)\s+(\d+)", f.read(), re.M):
            ids[m.group(1)] = int(m.group(2))
    with open(rc_path) as f:
        script = f.read()
    named = {ids.get(m.group(1), m.group(1)): m.group(2)
             for m in re.finditer(r"^(\w+)\s+BITMAP\s+\"([^\"]+)\"", script, re.M)}
    table = {p["id"]: p["file"] for p in PICTURES}
    assert named == table, "velnor.rc and the picture table differ: %r" % sorted(
        set(named.items()) ^ set(table.items()), key=str)
    assert re.search(r'^#include\s+"%s"' % re.escape(SCALED_SCRIPT), script, re.M), \
        "velnor.rc does not include %s" % SCALED_SCRIPT
    scaled = {p["id"] for table in tables[1:] for p in table}
    clash = sorted(scaled & set(ids.values()))
    assert not clash, "scaled picture ids %r are taken in resource.h" % clash


def scaled_script(tables):
    lines = ["// The skin's pictures drawn for the larger display scales, written by",
             "// tools/pictures/make_pictures.py: the id of a picture's 96-DPI bitmap",
             "// plus the scale's place in the drawn scales times the id step.", ""]
    for table in tables[1:]:
        lines += ['%d BITMAP "%s"' % (p["id"], p["file"]) for p in table]
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_pictures.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    check_table()
    scales, step = read_scales(REPO)
    tables = scaled_table(scales, step)
    check_scaled_table(tables, step)
    # the scales are drawn side by side, the largest (slowest) first, so the
    # two workers finish at about the same time
    jobs = sorted(tables, key=lambda t: -t[0]["percent"])
    with multiprocessing.Pool(min(2, os.cpu_count() or 1)) as pool:
        pool.starmap(write_scale, [(outdir, t) for t in jobs])
    images = [(s, render_icon(s).rgba_rows()) for s in ICON["sizes"]]
    with open(os.path.join(outdir, ICON["file"]), "wb") as f:
        f.write(ico_bytes(images))
    with open(os.path.join(outdir, SCALED_SCRIPT), "w") as f:
        f.write(scaled_script(tables))
    check_written(outdir, tables)
    check_resource_script(REPO, tables)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
