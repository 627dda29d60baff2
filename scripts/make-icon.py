#!/usr/bin/env python3
"""Draws the Rilto Micropause program icon and writes it as a Windows .ico,
with its paused form beside it.

The picture: a round teal clock face with a white pause sign and a small
green leaf at its upper right; larger sizes add hour marks on the rim.
The paused form is the same picture greyed, face and leaf, with the white
pause sign left as it is, so that the sign stands out the more: the tray
shows it while the breaks are paused.
Each size is drawn from the shapes below by supersampling. The small tray
sizes (16, 20, 24 px) use hand-placed whole-pixel coordinates so the pause
bars and the rim stay crisp; the larger ones are scaled from one layout and
snapped to whole pixels where an edge is straight.

Standard library only, so that it runs on a fresh machine.

Usage: python3 scripts/make-icon.py data/icon/rilto.ico [png-folder]
This writes data/icon/rilto.ico and data/icon/rilto-paused.ico. With a
png-folder it also writes icon-<size>.png and icon-paused-<size>.png there,
for a look.
"""

import math
import os
import struct
import sys
import zlib

SIZES = (256, 64, 48, 40, 32, 24, 20, 16)
# The largest image is stored as PNG (Vista and later, and Wine, read it);
# the others as plain DIBs with an AND mask, which every reader understands.
PNG_SIZES = (256,)

# Colours as (r, g, b) 0..255.
COLOURS = dict(
    rim=(16, 101, 92),
    face_top=(58, 190, 166),
    face_bottom=(29, 146, 128),
    bar=(255, 255, 255),
    bar_shade=(12, 80, 72),
    tick=(214, 245, 238),
    leaf_edge=(46, 112, 28),
    leaf_light=(170, 222, 80),
    leaf_dark=(116, 184, 48),
    vein=(60, 128, 34),
    # Without an outline a small leaf needs deeper colours to stand out on a
    # light taskbar.
    small_leaf_base=(72, 146, 32),
    small_leaf_tip=(128, 196, 50),
)


def greyed(colour, darker=0.82):
    """The colour's own brightness in a cool grey, a little darker, so that
    the white bars stand out on the face more than on the teal one."""
    r, g, b = colour
    grey = (0.299 * r + 0.587 * g + 0.114 * b) * darker
    return (round(grey * 0.96), round(grey), round(min(255.0, grey * 1.06)))


# The paused icon: every colour greyed but the bars'.
PAUSED_COLOURS = {name: colour if name == "bar" else greyed(colour)
                  for name, colour in COLOURS.items()}


# Shapes are signed distance functions in pixel units: negative inside.
# Each one returns exact distances or underestimates them, which is all the
# fast path in cover() relies on.

def circle(cx, cy, r):
    def d(x, y):
        return math.hypot(x - cx, y - cy) - r
    d.box = (cx - r, cy - r, cx + r, cy + r)
    return d


def round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    d.box = (x0, y0, x1, y1)
    return d


def capsule(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    d.box = (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)
    return d


def leaf(bx, by, tx, ty, width):
    """A pointed leaf from base (bx, by) to tip (tx, ty): the overlap of two
    equal circles, as wide as width in the middle."""
    half_len = math.hypot(tx - bx, ty - by) / 2
    w = width / 2
    r = (w + half_len * half_len / w) / 2
    off = r - w
    mx, my = (bx + tx) / 2, (by + ty) / 2
    ux, uy = (tx - bx) / (2 * half_len), (ty - by) / (2 * half_len)
    nx, ny = -uy, ux
    a = circle(mx + nx * off, my + ny * off, r)
    b = circle(mx - nx * off, my - ny * off, r)

    def d(x, y):
        return max(a(x, y), b(x, y))
    d.box = (min(bx, tx) - w, min(by, ty) - w, max(bx, tx) + w, max(by, ty) + w)
    return d


def grown(shape, by):
    def d(x, y):
        return shape(x, y) - by
    x0, y0, x1, y1 = shape.box
    d.box = (x0 - by, y0 - by, x1 + by, y1 + by)
    return d


def inside_of(shape, clip):
    def d(x, y):
        return max(shape(x, y), clip(x, y))
    d.box = shape.box
    return d


def outside_of(shape, hole):
    def d(x, y):
        return max(shape(x, y), -hole(x, y))
    d.box = shape.box
    return d


def vertical(top, bottom, y0, y1):
    """A fill that runs from colour top at y0 to colour bottom at y1."""
    def paint(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return paint


def along(first, last, ax, ay, bx, by):
    """A fill that runs from colour first at (ax, ay) to last at (bx, by)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(first, last))
    return paint


class Canvas:
    """Premultiplied RGBA floats, painted back to front."""

    def __init__(self, size, samples):
        self.size = size
        self.samples = samples
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def cover(self, shape, x, y):
        """How much of pixel (x, y) the shape covers, 0..1."""
        d = shape(x + 0.5, y + 0.5)
        if d >= 0.75:        # farther than half the pixel's diagonal
            return 0.0
        if d <= -0.75:
            return 1.0
        n = self.samples
        hits = 0
        for j in range(n):
            sy = y + (j + 0.5) / n
            for i in range(n):
                if shape(x + (i + 0.5) / n, sy) < 0.0:
                    hits += 1
        return hits / (n * n)

    def fill(self, shape, paint, opacity=1.0):
        if not callable(paint):
            colour = paint
            paint = lambda x, y: colour  # noqa: E731
        x0, y0, x1, y1 = shape.box
        lo_x = max(int(math.floor(x0)) - 1, 0)
        lo_y = max(int(math.floor(y0)) - 1, 0)
        hi_x = min(int(math.ceil(x1)) + 1, self.size)
        hi_y = min(int(math.ceil(y1)) + 1, self.size)
        for y in range(lo_y, hi_y):
            for x in range(lo_x, hi_x):
                a = self.cover(shape, x, y) * opacity
                if a <= 0.0:
                    continue
                r, g, b = paint(x + 0.5, y + 0.5)
                p = self.px[y * self.size + x]
                keep = 1.0 - a
                p[0] = r / 255 * a + p[0] * keep
                p[1] = g / 255 * a + p[1] * keep
                p[2] = b / 255 * a + p[2] * keep
                p[3] = a + p[3] * keep

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top row first."""
        rows = []
        for y in range(self.size):
            row = bytearray()
            for x in range(self.size):
                r, g, b, a = self.px[y * self.size + x]
                a8 = int(round(a * 255))
                if a8 == 0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes((min(255, int(round(r / a * 255))),
                              min(255, int(round(g / a * 255))),
                              min(255, int(round(b / a * 255))), a8))
            rows.append(bytes(row))
        return rows


# Layouts. All numbers are pixels in the image being drawn; x grows to the
# right, y downwards, (0, 0) is the top-left corner of the top-left pixel.

# The tray sizes, placed by hand: every straight edge on a pixel boundary.
#   face: centre x, centre y, outer radius, rim width
#   bars: left bar x0, x1, right bar x0, x1, y0, y1, corner radius
#   leaf: base x, y, tip x, y, width, outline width, gap cut into the face
SMALL = {
    16: dict(face=(7.5, 8.5, 7.5, 1.0),
             bars=(4, 6, 9, 11, 5, 12, 0.0),
             leaf=(11.0, 5.5, 14.8, 0.2, 3.8, 0.0, 1.0)),
    20: dict(face=(9.5, 10.5, 9.5, 1.0),
             bars=(5, 8, 11, 14, 6, 15, 0.0),
             leaf=(14.0, 6.6, 18.7, 0.3, 4.7, 0.0, 1.0)),
    24: dict(face=(11.5, 12.5, 11.5, 1.0),
             bars=(7, 10, 13, 16, 7, 18, 0.5),
             leaf=(16.7, 7.9, 22.4, 0.4, 5.7, 0.0, 1.0)),
}


def scaled_layout(s):
    """The layout for the larger sizes, from one drawing 256 px wide."""
    u = s / 256.0
    # The face's edge and the bars' edges fall on pixel boundaries.
    size = round(232 * u)
    x0 = round(4 * u)
    y0 = s - x0 - size
    r = size / 2
    cx, cy = x0 + r, y0 + r
    rim = max(1, round(7 * u))
    bar_w, gap, height = round(34 * u), round(28 * u), round(108 * u)
    if gap % 2 != size % 2:
        gap += 1 if gap < bar_w else -1
    if height % 2 != size % 2:
        height += 1
    left = cx - bar_w - gap / 2
    top = cy - height / 2
    return dict(
        face=(cx, cy, r, rim),
        bars=(left, left + bar_w, left + bar_w + gap, left + 2 * bar_w + gap,
              top, top + height, 8 * u),
        leaf=(184 * u, 80 * u, 236 * u, 8 * u, 58 * u, max(1.0, round(5 * u)),
              max(1.0, round(8 * u))),
        ticks=s >= 40,
        shade=s >= 48,
        vein=s >= 32,
    )


def draw(size, colours=COLOURS):
    layout = SMALL.get(size) or scaled_layout(size)
    canvas = Canvas(size, 16 if size <= 64 else 6)

    cx, cy, r, rim = layout["face"]
    outer = circle(cx, cy, r)
    inner = circle(cx, cy, r - rim)
    body = hole = None
    if layout.get("leaf"):
        bx, by, tx, ty, width, edge, gap = layout["leaf"]
        body = leaf(bx, by, tx, ty, width)
        # A transparent gap around the leaf keeps it apart from the face
        # even where the two are much the same brightness.
        hole = grown(body, edge + gap)
        outer = outside_of(outer, hole)
        inner = outside_of(inner, hole)
    canvas.fill(outer, colours["rim"])
    canvas.fill(inner, vertical(colours["face_top"], colours["face_bottom"],
                                     cy - r, cy + r))

    if layout.get("ticks"):
        # Hour marks: short strokes at 12, 3, 6 and 9, dots between.
        rr = r - rim
        for hour in range(12):
            angle = math.radians(hour * 30)
            sx, sy = round(math.sin(angle), 9), round(-math.cos(angle), 9)
            if hour % 3 == 0:
                # Upright or level, so whole pixels wide and snapped.
                w = max(1, round(size / 48))
                if w % 2 != round(2 * cx) % 2:
                    w += 1
                a, b = rr * 0.92, rr * 0.74
                ends = sorted((round(sy * a + cy if sy else sx * a + cx),
                               round(sy * b + cy if sy else sx * b + cx)))
                if sy:
                    mark = round_rect(cx - w / 2, ends[0], cx + w / 2, ends[1],
                                      w / 4)
                else:
                    mark = round_rect(ends[0], cy - w / 2, ends[1], cy + w / 2,
                                      w / 4)
            elif size >= 64:
                a = rr * 0.86
                mark = circle(cx + sx * a, cy + sy * a, max(0.8, size / 110))
            else:
                continue
            canvas.fill(outside_of(mark, hole) if hole else mark,
                        colours["tick"])

    lx0, lx1, rx0, rx1, y0, y1, corner = layout["bars"]
    if layout.get("shade"):
        # A soft shadow under the bars, down and to the right.
        off = size / 64
        for bx0, bx1 in ((lx0, lx1), (rx0, rx1)):
            canvas.fill(round_rect(bx0 + off, y0 + off, bx1 + off, y1 + off,
                                   corner), colours["bar_shade"], 0.35)
    for bx0, bx1 in ((lx0, lx1), (rx0, rx1)):
        canvas.fill(round_rect(bx0, y0, bx1, y1, corner), colours["bar"])

    if body is not None:
        if edge:
            canvas.fill(grown(body, edge), colours["leaf_edge"])
        base, tip = \
            (colours["leaf_dark"], colours["leaf_light"]) if edge else \
            (colours["small_leaf_base"], colours["small_leaf_tip"])
        canvas.fill(body, along(base, tip, bx, by, tx, ty))
        if layout.get("vein"):
            vw = max(0.5, size / 128)
            vx = bx + (tx - bx) * 0.15
            vy = by + (ty - by) * 0.15
            ex = bx + (tx - bx) * 0.78
            ey = by + (ty - by) * 0.78
            canvas.fill(inside_of(capsule(vx, vy, ex, ey, vw), body),
                        colours["vein"])
    return canvas.rgba()


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + \
            struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib(size, rows):
    """A 32-bit BGRA DIB with its AND mask, as an .ico entry holds it."""
    colour = bytearray()
    for row in reversed(rows):               # DIB rows run bottom-up
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] == 0:           # 1 = transparent
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico(images):
    """images: (size, bytes) pairs, in the order the directory lists them."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def write_icon(path, colours, png_folder=None, png_name="icon"):
    images = []
    for size in SIZES:
        rows = draw(size, colours)
        data = png(size, rows) if size in PNG_SIZES else dib(size, rows)
        images.append((size, data))
        if png_folder:
            os.makedirs(png_folder, exist_ok=True)
            name = "%s-%d.png" % (png_name, size)
            with open(os.path.join(png_folder, name), "wb") as f:
                f.write(png(size, rows))
    with open(path, "wb") as f:
        f.write(ico(images))


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__)
        return 2
    png_folder = argv[2] if len(argv) == 3 else None
    stem, extension = os.path.splitext(argv[1])
    write_icon(argv[1], COLOURS, png_folder)
    write_icon(stem + "-paused" + extension, PAUSED_COLOURS, png_folder,
               "icon-paused")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
