"""A small software rasteriser for the skin: an RGB canvas with coverage,
anti-aliased shapes through signed distance functions, and writers for
24-bit BMP and multi-size 32-bit ICO files. Standard library only."""

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

class Canvas:
    """RGB pixels as floats 0..255 plus a coverage channel 0..1 that records
    where something has been drawn (used to key strips to magenta)."""

    def __init__(self, w, h, bg=(255, 255, 255), transparent=False):
        self.w, self.h = w, h
        self.px = [[float(bg[0]), float(bg[1]), float(bg[2])] for _ in range(w * h)]
        self.cov = [0.0] * (w * h)
        # A transparent canvas composites with the "over" operator and keeps
        # real alpha in cov (for the icon); an opaque one only records coverage.
        self.transparent = transparent

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
        a function (x, y) -> colour; soft widens the edge for blurs."""
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

    def rect(self, x0, y0, x1, y1, paint, alpha=1.0):
        """Axis-aligned integer rectangle [x0, x1) x [y0, y1), no anti-aliasing."""
        func = callable(paint)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, paint(x, y) if func else paint, alpha)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                tx, ty = ox + x, oy + y
                if 0 <= tx < self.w and 0 <= ty < self.h:
                    i = ty * self.w + tx
                    j = y * other.w + x
                    self.px[i] = list(other.px[j])
                    self.cov[i] = max(self.cov[i], other.cov[j])

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
        """Rows top to bottom of (r, g, b) byte tuples, with no accidental magenta."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                r, g, b = (int(round(clamp(v, 0, 255))) for v in self.px[y * self.w + x])
                row.append((r, g, b))
            rows.append(row)
        return rows


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
        for r, g, b in row:
            data += bytes((b, g, r))
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
