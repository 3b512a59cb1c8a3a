"""A small software rasteriser for the skin: an RGB canvas with coverage,
anti-aliased shapes through signed distance functions, and writers for
24-bit BMP and multi-size 32-bit ICO files. Standard library only."""

import itertools
import math
import struct

MAGENTA = (255, 0, 255)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(c, f):
    """f > 0 lightens towards white, f < 0 darkens towards black."""
    return mix(c, (255, 255, 255), f) if f >= 0 else mix(c, (0, 0, 0), -f)


# ---------------------------------------------------------------------------
# Signed distance functions: negative inside, in pixels. A pixel (x, y) is
# sampled at its centre (x + 0.5, y + 0.5).

def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(px, py):
        qx = abs(px - cx) - hx
        qy = abs(py - cy) - hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - r
    return f


def sd_circle(cx, cy, r):
    return lambda px, py: math.hypot(px - cx, py - cy) - r


def sd_ellipse(cx, cy, rx, ry):
    # Not exact, but close enough for the soft shapes it draws.
    k = min(rx, ry)
    return lambda px, py: (math.hypot((px - cx) / rx, (py - cy) / ry) - 1.0) * k


def _seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / l2)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def sd_polyline(points, width):
    """A stroke of the given width along connected segments, round joins."""
    segs = list(zip(points, points[1:]))
    hw = width / 2.0

    def f(px, py):
        return min(_seg_dist(px, py, a[0], a[1], b[0], b[1]) for a, b in segs) - hw
    return f


def sd_polygon(points):
    """Exact signed distance to a simple polygon."""
    n = len(points)

    def f(px, py):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            d = min(d, _seg_dist(px, py, ax, ay, bx, by))
            if (ay > py) != (by > py):
                if px < ax + (py - ay) * (bx - ax) / (by - ay):
                    inside = not inside
        return -d if inside else d
    return f


def sd_ring(sdf, width):
    """The band of the given width just inside the outline of sdf."""
    hw = width / 2.0
    return lambda px, py: abs(sdf(px, py) + hw) - hw


def sd_intersect(a, b):
    return lambda px, py: max(a(px, py), b(px, py))


def sd_subtract(a, b):
    return lambda px, py: max(a(px, py), -b(px, py))


def sd_union(*fs):
    return lambda px, py: min(f(px, py) for f in fs)


def sd_offset(sdf, dx, dy):
    return lambda px, py: sdf(px - dx, py - dy)


# ---------------------------------------------------------------------------

def scaled_length(length, percent):
    """A length of the 96-DPI layout at a display scale, rounded half up; the
    program rounds every length of its layout the same way."""
    return (length * percent + 50) // 100


class Canvas:
    """RGB pixels as floats 0..255 plus a coverage channel 0..1 that records
    where something has been drawn (used to key strips to magenta).

    The drawing methods take co-ordinates of the 96-DPI layout; a canvas made
    by scaled() maps them onto its larger pixel grid, so that every shape is
    sampled at the resolution it is shown at. w and h are the pixel size,
    size the layout size that the drawing code works in."""

    def __init__(self, w, h, bg=(255, 255, 255), transparent=False):
        self.w, self.h = w, h
        self.size = (w, h)
        # pixels per layout unit across and down; 1 for a 96-DPI canvas
        self.kx = self.ky = 1.0
        self.px = list(map(list, itertools.repeat((float(bg[0]), float(bg[1]), float(bg[2])), w * h)))
        self.cov = [0.0] * (w * h)
        # A transparent canvas composites with the "over" operator and keeps
        # real alpha in cov (for the icon); an opaque one only records coverage.
        self.transparent = transparent

    @classmethod
    def scaled(cls, w, h, percent, bg=(255, 255, 255), transparent=False):
        """A canvas for a w x h picture at a display scale: its pixel size is
        each length rounded as the layout rounds it, so its edges meet the
        pixel grid exactly (the scale across and down may differ a hair)."""
        c = cls(scaled_length(w, percent), scaled_length(h, percent), bg, transparent)
        c.size = (w, h)
        c.kx, c.ky = c.w / float(w), c.h / float(h)
        return c

    @property
    def scale(self):
        """Pixels per layout unit, for lengths that have no direction."""
        return (self.kx + self.ky) / 2.0

    def is_base(self):
        return self.kx == 1.0 and self.ky == 1.0

    def pixel_x(self, x):
        """The pixel edge nearest to layout co-ordinate x, rounded half up."""
        return int(math.floor(x * self.kx + 0.5 + 1e-9))

    def pixel_y(self, y):
        return int(math.floor(y * self.ky + 0.5 + 1e-9))

    def snap_x(self, x):
        """x moved onto the nearest pixel edge, so that an edge drawn there
        is crisp rather than a half-covered column."""
        return x if self.kx == 1.0 else self.pixel_x(x) / self.kx

    def snap_y(self, y):
        return y if self.ky == 1.0 else self.pixel_y(y) / self.ky

    def hair(self, width=1.0):
        """A line width that covers whole pixels at this scale: a 1-pixel
        border stays one crisp line of 1 or 2 pixels instead of a smear."""
        if self.is_base():
            return width
        k = self.scale
        return max(1, int(math.floor(width * k + 0.5))) / k

    def hair_x(self, width=1.0):
        """hair() across, for vertical edges: whole pixels of this canvas."""
        return width if self.kx == 1.0 else max(1, int(math.floor(width * self.kx + 0.5))) / self.kx

    def hair_y(self, width=1.0):
        return width if self.ky == 1.0 else max(1, int(math.floor(width * self.ky + 0.5))) / self.ky

    def get(self, x, y):
        return tuple(self.px[y * self.w + x])

    def set(self, x, y, c, cover=1.0):
        i = y * self.w + x
        self.px[i] = [float(c[0]), float(c[1]), float(c[2])]
        self.cov[i] = max(self.cov[i], cover)

    def blend(self, x, y, c, a):
        if a <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        i = y * self.w + x
        p = self.px[i]
        if self.transparent:
            a = min(a, 1.0)
            under = self.cov[i] * (1.0 - a)
            out = a + under
            for k in range(3):
                p[k] = (c[k] * a + p[k] * under) / out
            self.cov[i] = out
            return
        if a >= 1.0:
            p[0], p[1], p[2] = float(c[0]), float(c[1]), float(c[2])
        else:
            p[0] += (c[0] - p[0]) * a
            p[1] += (c[1] - p[1]) * a
            p[2] += (c[2] - p[2]) * a
        if a > self.cov[i]:
            self.cov[i] = a

    def fill(self, sdf, paint, bbox=None, alpha=1.0, soft=1.0):
        """Paints where sdf < 0 with anti-aliased edges. paint is a colour or
        a function (x, y) -> colour; soft widens the edge for blurs. sdf is a
        signed distance, or less than one in size, but never changes faster
        than the distance walked (all the sd_ functions above are so)."""
        if not self.is_base():
            self._fill_scaled(sdf, paint, bbox, alpha, soft)
            return
        x0, y0, x1, y1 = bbox if bbox else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        func = callable(paint)
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                d = sdf(x + 0.5, cy)
                a = clamp(0.5 - d / soft) * alpha
                if a > 0.0:
                    self.blend(x, y, paint(x, y) if func else paint, a)

    def _fill_scaled(self, sdf, paint, bbox, alpha, soft):
        # Each pixel is sampled at its centre in layout co-ordinates; the
        # distance comes back in layout units, so the edge's one pixel of
        # anti-aliasing is one layout unit divided by the scale. A blur
        # (soft > 1) is a width of the layout and scales with it.
        #
        # At 200 % a picture has four times the pixels of 96 DPI, and each
        # sample costs a Python call or more, so a run of pixels that lie
        # wholly inside or wholly outside is found from one sample: the
        # distance changes no faster than the distance walked, so at a
        # distance d no edge is nearer than d.
        kx, ky = self.kx, self.ky
        x0, y0, x1, y1 = bbox if bbox else (0, 0) + self.size
        x0, y0 = max(0, int(math.floor(x0 * kx))), max(0, int(math.floor(y0 * ky)))
        x1, y1 = min(self.w, int(math.ceil(x1 * kx))), min(self.h, int(math.ceil(y1 * ky)))
        per_unit = 1.0 / soft if soft > 1.0 else self.scale
        edge = 0.5 / per_unit + 1e-6   # the layout distance at which cover reaches 0 or 1
        func = callable(paint)
        px, w = self.px, self.w
        cov = self.cov
        transparent = self.transparent
        for y in range(y0, y1):
            ly = (y + 0.5) / ky
            x = x0
            while x < x1:
                lx = (x + 0.5) / kx
                d = sdf(lx, ly)
                if d >= edge:
                    x += 1 + int((d - edge) * kx)
                    continue
                if d <= -edge:
                    # all covered up to here, then sampled again
                    end = min(x1, x + 1 + int((-d - edge) * kx))
                    a = alpha
                else:
                    end = x + 1
                    a = 0.5 - d * per_unit
                    a = (1.0 if a >= 1.0 else a) * alpha
                    if a <= 0.0:
                        x = end
                        continue
                for xx in range(x, end):
                    c = paint((xx + 0.5) / kx - 0.5, ly - 0.5) if func else paint
                    if transparent:
                        self.blend(xx, y, c, a)
                        continue
                    i = y * w + xx
                    p = px[i]
                    if a >= 1.0:
                        p[0], p[1], p[2] = float(c[0]), float(c[1]), float(c[2])
                    else:
                        p[0] += (c[0] - p[0]) * a
                        p[1] += (c[1] - p[1]) * a
                        p[2] += (c[2] - p[2]) * a
                    if a > cov[i]:
                        cov[i] = a
                x = end

    def rect(self, x0, y0, x1, y1, paint, alpha=1.0):
        """Axis-aligned integer rectangle [x0, x1) x [y0, y1), no anti-aliasing."""
        func = callable(paint)
        if self.is_base():
            for y in range(max(0, y0), min(self.h, y1)):
                for x in range(max(0, x0), min(self.w, x1)):
                    self.blend(x, y, paint(x, y) if func else paint, alpha)
            return
        # the edges land on whole pixels, as the layout's do
        kx, ky = self.kx, self.ky
        px, w = self.px, self.w
        for y in range(max(0, self.pixel_y(y0)), min(self.h, self.pixel_y(y1))):
            ly = (y + 0.5) / ky - 0.5
            for x in range(max(0, self.pixel_x(x0)), min(self.w, self.pixel_x(x1))):
                c = paint((x + 0.5) / kx - 0.5, ly) if func else paint
                if alpha >= 1.0 and not self.transparent:
                    px[y * w + x] = [float(c[0]), float(c[1]), float(c[2])]
                    self.cov[y * w + x] = 1.0
                else:
                    self.blend(x, y, c, alpha)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                tx, ty = ox + x, oy + y
                if 0 <= tx < self.w and 0 <= ty < self.h:
                    i = ty * self.w + tx
                    j = y * other.w + x
                    self.px[i] = list(other.px[j])
                    self.cov[i] = max(self.cov[i], other.cov[j])

    def with_layout(self, w, h):
        """This canvas taken as a w x h picture of the layout: for a crop of a
        scaled background that the picture's own drawing then goes over."""
        self.size = (w, h)
        self.kx, self.ky = self.w / float(w), self.h / float(h)
        return self

    def crop(self, x, y, w, h):
        c = Canvas(w, h)
        for yy in range(h):
            for xx in range(w):
                sx, sy = min(max(x + xx, 0), self.w - 1), min(max(y + yy, 0), self.h - 1)
                c.px[yy * w + xx] = list(self.px[sy * self.w + sx])
        return c

    def key_to_magenta(self, threshold=0.08):
        """Pixels nothing was drawn on become the image lists' transparent colour."""
        for i, a in enumerate(self.cov):
            if a < threshold:
                self.px[i] = [255.0, 0.0, 255.0]

    def rgba_rows(self):
        return [[tuple(int(round(clamp(v, 0, 255))) for v in self.px[y * self.w + x]) +
                 (int(round(clamp(self.cov[y * self.w + x]) * 255)),)
                 for x in range(self.w)] for y in range(self.h)]

    def rgb_rows(self):
        """Rows top to bottom of (r, g, b) tuples of whole numbers. Every
        colour is a mix of colours in 0..255, so none is clamped here; a value
        out of range is a drawing fault that the BMP writer refuses."""
        px, w = self.px, self.w
        return [[tuple(map(round, p)) for p in px[y * w:(y + 1) * w]] for y in range(self.h)]


def avoid_magenta(rows, keyed):
    """A drawn pixel that happens to be pure magenta would turn transparent."""
    if keyed:
        return rows
    return [[(254, 0, 255) if p == MAGENTA else p for p in row] for row in rows]


def bmp_bytes(rows):
    """24-bit bottom-up BMP with a BITMAPINFOHEADER, rows padded to 4 bytes."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    data = bytearray()
    for row in reversed(rows):
        data.extend([v for r, g, b in row for v in (b, g, r)])
        data += pad
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    filehdr = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return filehdr + header + bytes(data)


def ico_bytes(images):
    """images: list of (size, rows of (r, g, b, a)). 32-bit DIB entries."""
    entries = []
    blobs = []
    for size, rows in images:
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        hdr = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                          len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(hdr + bytes(xor) + bytes(mask))
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for (size, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def read_bmp_size(data):
    """(width, height, bits) of a BMP file's bytes; used by the self-check."""
    if data[:2] != b"BM":
        raise ValueError("not a BMP")
    w, h = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    return w, h, bits
