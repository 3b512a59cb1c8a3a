"""A hand-made proportional pixel font for the skin's labels: cap height 8,
x-height 6, descenders 2 (10 rows in all), and a bold cut made by doubling
every stem one pixel to the right."""

import math

# Each glyph: its character on a line of its own, then its rows ('#' ink,
# '.' paper), top row first. Rows missing at the bottom are blank.
GLYPHS = r"""
A
..#..
.#.#.
.#.#.
#...#
#...#
#####
#...#
#...#

B
####.
#...#
#...#
####.
#...#
#...#
#...#
####.

C
.###.
#...#
#....
#....
#....
#....
#...#
.###.

D
###..
#..#.
#...#
#...#
#...#
#...#
#..#.
###..

E
####
#...
#...
###.
#...
#...
#...
####

F
####
#...
#...
###.
#...
#...
#...
#...

G
.###.
#...#
#....
#....
#.###
#...#
#...#
.####

H
#...#
#...#
#...#
#####
#...#
#...#
#...#
#...#

I
###
.#.
.#.
.#.
.#.
.#.
.#.
###

J
.###
...#
...#
...#
...#
...#
#..#
.##.

K
#...#
#..#.
#.#..
##...
##...
#.#..
#..#.
#...#

L
#...
#...
#...
#...
#...
#...
#...
####

M
#.....#
##...##
#.#.#.#
#..#..#
#.....#
#.....#
#.....#
#.....#

N
#...#
##..#
##..#
#.#.#
#.#.#
#..##
#..##
#...#

O
.####.
#....#
#....#
#....#
#....#
#....#
#....#
.####.

P
####.
#...#
#...#
#...#
####.
#....
#....
#....

Q
.####.
#....#
#....#
#....#
#....#
#....#
#....#
.####.
....#.
.....#

R
####.
#...#
#...#
#...#
####.
#.#..
#..#.
#...#

S
.###.
#...#
#....
.###.
....#
....#
#...#
.###.

T
#####
..#..
..#..
..#..
..#..
..#..
..#..
..#..

U
#...#
#...#
#...#
#...#
#...#
#...#
#...#
.###.

V
#...#
#...#
#...#
.#.#.
.#.#.
.#.#.
..#..
..#..

W
#.....#
#.....#
#..#..#
#..#..#
#..#..#
.#.#.#.
.#.#.#.
..#.#..

X
#...#
#...#
.#.#.
..#..
..#..
.#.#.
#...#
#...#

Y
#...#
#...#
.#.#.
.#.#.
..#..
..#..
..#..
..#..

Z
#####
....#
...#.
..#..
.#...
#....
#....
#####

a
....
....
###.
...#
.###
#..#
#..#
.###

b
#....
#....
####.
#...#
#...#
#...#
#...#
####.

c
....
....
.###
#...
#...
#...
#...
.###

d
....#
....#
.####
#...#
#...#
#...#
#...#
.####

e
.....
.....
.###.
#...#
#####
#....
#....
.####

f
..##
.#..
####
.#..
.#..
.#..
.#..
.#..

g
.....
.....
.####
#...#
#...#
#...#
#...#
.####
....#
.###.

h
#....
#....
####.
#...#
#...#
#...#
#...#
#...#

i
#
.
#
#
#
#
#
#

j
.#
..
.#
.#
.#
.#
.#
.#
.#
#.

k
#...
#...
#..#
#.#.
##..
##..
#.#.
#..#

l
#
#
#
#
#
#
#
#

m
.......
.......
###.##.
#..#..#
#..#..#
#..#..#
#..#..#
#..#..#

n
.....
.....
####.
#...#
#...#
#...#
#...#
#...#

o
.....
.....
.###.
#...#
#...#
#...#
#...#
.###.

p
.....
.....
####.
#...#
#...#
#...#
#...#
####.
#....
#....

q
.....
.....
.####
#...#
#...#
#...#
#...#
.####
....#
....#

r
...
...
#.#
##.
#..
#..
#..
#..

s
....
....
.###
#...
.##.
...#
...#
###.

t
...
.#.
###
.#.
.#.
.#.
.#.
..#

u
.....
.....
#...#
#...#
#...#
#...#
#...#
.####

v
.....
.....
#...#
#...#
.#.#.
.#.#.
..#..
..#..

w
.......
.......
#.....#
#..#..#
#..#..#
.#.#.#.
.#.#.#.
..#.#..

x
.....
.....
#...#
.#.#.
..#..
..#..
.#.#.
#...#

y
.....
.....
#...#
#...#
.#.#.
.#.#.
..#..
..#..
.#...
#....

z
....
....
####
...#
..#.
.#..
#...
####

0
.###.
#...#
#...#
#...#
#...#
#...#
#...#
.###.

1
..#.
.##.
#.#.
..#.
..#.
..#.
..#.
..#.

2
.###.
#...#
....#
...#.
..#..
.#...
#....
#####

3
.###.
#...#
....#
..##.
....#
....#
#...#
.###.

4
...#.
..##.
.#.#.
#..#.
#####
...#.
...#.
...#.

5
#####
#....
#....
####.
....#
....#
#...#
.###.

6
.###.
#....
#....
####.
#...#
#...#
#...#
.###.

7
#####
....#
...#.
...#.
..#..
..#..
.#...
.#...

8
.###.
#...#
#...#
.###.
#...#
#...#
#...#
.###.

9
.###.
#...#
#...#
#...#
.####
....#
....#
.###.

.
.
.
.
.
.
.
#
#

,
..
..
..
..
..
..
.#
.#
#.

:
.
.
.
#
.
.
.
#

-
...
...
...
...
###

'
#
#
#

!
#
#
#
#
#
#
.
#

?
.###.
#...#
....#
...#.
..#..
..#..
.....
..#..

(
..#
.#.
#..
#..
#..
#..
#..
#..
.#.
..#

)
#..
.#.
..#
..#
..#
..#
..#
..#
.#.
#..

/
...#
...#
..#.
..#.
.#..
.#..
#...
#...

\
#...
#...
.#..
.#..
..#.
..#.
...#
...#

;
..
..
..
.#
..
..
..
.#
.#
#.

_
....
....
....
....
....
....
....
....
....
####

*
.....
..#..
#.#.#
.###.
#.#.#
..#..

&
.##..
#..#.
#..#.
.##..
#.#.#
#..#.
#..#.
.##.#

@
.####.
#....#
#.##.#
#.#.##
#.#.##
#..#.#
#.....
.####.

<
....
...#
..#.
.#..
#...
.#..
..#.
...#

>
....
#...
.#..
..#.
...#
..#.
.#..
#...

+
.....
.....
..#..
..#..
#####
..#..
..#..
"""

ROWS = 10      # cell height
ASCENT = 8     # rows above the baseline
SPACE = 3      # width of a blank
TRACKING = 1   # blank columns between glyphs


def _parse(text):
    glyphs = {}
    for block in text.strip("\n").split("\n\n"):
        lines = block.split("\n")
        ch, rows = lines[0], lines[1:]
        width = max(len(r) for r in rows)
        rows = [r.ljust(width, ".") for r in rows] + ["." * width] * (ROWS - len(rows))
        assert len(rows) == ROWS, "glyph %r has too many rows" % ch
        glyphs[ch] = [[c == "#" for c in r] for r in rows]
    return glyphs


_REGULAR = _parse(GLYPHS)


def _embolden(g):
    w = len(g[0]) + 1
    return [[(x < w - 1 and row[x]) or (x > 0 and row[x - 1]) for x in range(w)] for row in g]


_BOLD = {ch: _embolden(g) for ch, g in _REGULAR.items()}


def glyph(ch, bold=False):
    table = _BOLD if bold else _REGULAR
    if ch == " ":
        return [[False] * SPACE for _ in range(ROWS)]
    if ch not in table:
        raise KeyError("the pixel font has no glyph for %r" % ch)
    return table[ch]


def text_width(text, bold=False):
    if not text:
        return 0
    return sum(len(glyph(c, bold)[0]) for c in text) + TRACKING * (len(text) - 1)


def text_mask(text, bold=False):
    """Rows of booleans of the whole text, ROWS high."""
    w = text_width(text, bold)
    mask = [[False] * w for _ in range(ROWS)]
    x = 0
    for c in text:
        g = glyph(c, bold)
        for y in range(ROWS):
            for gx, on in enumerate(g[y]):
                if on:
                    mask[y][x + gx] = True
        x += len(g[0]) + TRACKING
    return mask


def draw_text(canvas, x, y, text, colour, bold=False, alpha=1.0):
    """Draws text with its cap top at row y."""
    if not canvas.is_base():
        _draw_scaled(canvas, canvas.pixel_x(x), canvas.pixel_y(y), text, colour, bold, alpha)
        return
    for my, row in enumerate(text_mask(text, bold)):
        for mx, on in enumerate(row):
            if on:
                canvas.blend(x + mx, y + my, colour, alpha)


def draw_text_centred(canvas, cx, cy, text, colour, bold=False, alpha=1.0):
    """Centres the text's width on cx and its cap height on cy."""
    w = text_width(text, bold)
    if not canvas.is_base():
        # centred on the pixels the text really covers at this scale
        grid = _Grid(canvas, w, bold)
        x = int(math.floor(cx * canvas.kx - grid.width / 2.0 + 0.5))
        y = int(math.floor(cy * canvas.ky - grid.cap_height / 2.0 + 0.5))
        _draw_scaled(canvas, x, y, text, colour, bold, alpha)
        return
    draw_text(canvas, int(round(cx - w / 2.0)), int(round(cy - ASCENT / 2.0)), text, colour, bold, alpha)


# ---------------------------------------------------------------------------
# The same glyphs at a larger display scale. Stretching the pixels would give
# uneven stems (1 and 2 pixels side by side at 150 %) or blur, so each font
# pixel becomes a square of whole pixels, as wide as the scale rounded, at its
# own position rounded: every stem has one width and sits on the pixel grid.
# Neighbours in a row or column are joined into one bar; pixels that touch
# only at a corner are joined by an anti-aliased stroke, which turns the
# font's staircases into the diagonals they stand for.


class _Grid:
    def __init__(self, canvas, columns, bold=False):
        self.kx, self.ky = canvas.kx, canvas.ky
        self.stem_x = max(1, int(math.floor(self.kx + 0.5)))
        self.stem_y = max(1, int(math.floor(self.ky + 0.5)))
        if bold:
            # the bold stem is a font pixel wider: one more whole pixel per
            # whole step of the scale, the same for every stem (rounding each
            # column on its own would make some stems wider than others)
            self.stem_x += max(1, int(self.kx))
        self.width = self.x(columns - 1) + self.stem_x if columns else 0
        self.cap_height = self.y(ASCENT - 1) + self.stem_y

    def x(self, column):
        return int(math.floor(column * self.kx + 0.5))

    def y(self, row):
        return int(math.floor(row * self.ky + 0.5))


def _stem_mask(text, bold):
    """The regular glyphs at the places of the given cut: a bold text is
    drawn from the regular strokes with wider stems."""
    mask = [[False] * text_width(text, bold) for _ in range(ROWS)]
    x = 0
    for ch in text:
        for y, row in enumerate(glyph(ch)):
            for gx, on in enumerate(row):
                if on:
                    mask[y][x + gx] = True
        x += len(glyph(ch, bold)[0]) + TRACKING
    return mask


def _draw_scaled(canvas, ox, oy, text, colour, bold, alpha):
    mask = _stem_mask(text, bold)
    if not mask[0]:
        return
    cols = len(mask[0])
    grid = _Grid(canvas, cols, bold)
    sx, sy = grid.stem_x, grid.stem_y
    cw, ch = grid.width + 1, grid.y(ROWS - 1) + sy + 1
    cover = [[0.0] * cw for _ in range(ch)]

    def box(x0, y0, x1, y1):
        for yy in range(y0, y1):
            row = cover[yy]
            for xx in range(x0, x1):
                row[xx] = 1.0

    def on(r, c):
        return 0 <= r < ROWS and 0 <= c < cols and mask[r][c]

    def diagonal(r0, c0, r1, c1):
        ax, ay = grid.x(c0) + sx / 2.0, grid.y(r0) + sy / 2.0
        bx, by = grid.x(c1) + sx / 2.0, grid.y(r1) + sy / 2.0
        half = (sx + sy) / 4.0
        dx, dy = bx - ax, by - ay
        l2 = dx * dx + dy * dy
        for yy in range(min(grid.y(r0), grid.y(r1)), max(grid.y(r0), grid.y(r1)) + sy):
            for xx in range(min(grid.x(c0), grid.x(c1)), max(grid.x(c0), grid.x(c1)) + sx):
                px, py = xx + 0.5, yy + 0.5
                t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / l2))
                d = math.hypot(px - ax - t * dx, py - ay - t * dy) - half
                a = 0.5 - d
                if a > cover[yy][xx]:
                    cover[yy][xx] = min(1.0, a)

    for r in range(ROWS):
        for c in range(cols):
            if not mask[r][c]:
                continue
            x0, y0 = grid.x(c), grid.y(r)
            box(x0, y0, (grid.x(c + 1) if on(r, c + 1) else x0) + sx, y0 + sy)
            if on(r + 1, c):
                box(x0, y0, x0 + sx, grid.y(r + 1) + sy)
            for dc in (-1, 1):
                if on(r + 1, c + dc) and not on(r, c + dc) and not on(r + 1, c):
                    diagonal(r, c, r + 1, c + dc)
    for yy, row in enumerate(cover):
        for xx, a in enumerate(row):
            if a > 0.0:
                canvas.blend(ox + xx, oy + yy, colour, a * alpha)
