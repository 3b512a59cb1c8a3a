"""A hand-made proportional pixel font for the skin's labels: cap height 8,
x-height 6, descenders 2 (10 rows in all), and a bold cut made by doubling
every stem one pixel to the right."""

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
    for my, row in enumerate(text_mask(text, bold)):
        for mx, on in enumerate(row):
            if on:
                canvas.blend(x + mx, y + my, colour, alpha)


def draw_text_centred(canvas, cx, cy, text, colour, bold=False, alpha=1.0):
    """Centres the text's width on cx and its cap height on cy."""
    w = text_width(text, bold)
    draw_text(canvas, int(round(cx - w / 2.0)), int(round(cy - ASCENT / 2.0)), text, colour, bold, alpha)
