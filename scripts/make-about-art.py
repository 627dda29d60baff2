#!/usr/bin/env python3
"""Draws the picture of the About box and writes it as a 24-bit BMP.

The picture: a person on an office chair beside a desk with a monitor, both
arms stretched up over the head, the stretching arms in the orange highlight
of the exercise media and little arcs around the hands. Flat colours with
darker outlines, in the palette of scripts/make-media.py.

Usage: make-about-art.py data/about/about.bmp
"""

import math
import os
import struct
import sys

from cairo_import import import_cairo

cairo = import_cairo("make-about-art")

WIDTH, HEIGHT = 240, 160


def rgb(hex_colour):
    h = hex_colour.lstrip("#")
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


BACKGROUND = rgb("#EAF1F4")
FLOOR = rgb("#D5E0E6")
SKIN = (rgb("#F2C7A1"), rgb("#A8724E"))
SHIRT = (rgb("#5E97C6"), rgb("#336289"))
TROUSERS = (rgb("#58627A"), rgb("#363E52"))
SHOES = (rgb("#4A4440"), rgb("#2A2522"))
HAIR = (rgb("#70503C"), rgb("#47301F"))
CHAIR = (rgb("#C9AE8E"), rgb("#8E7152"))
DESK = (rgb("#C4D1D9"), rgb("#8797A3"))
SCREEN = (rgb("#55606B"), rgb("#2F363D"))
SCREEN_GLOW = rgb("#8FC3D9")
HIGHLIGHT = (rgb("#F5962F"), rgb("#B3600E"))
TRAIL = rgb("#E07B12")
LEAF = (rgb("#8CCB4A"), rgb("#4F8A2A"))

LINE = 1.4


def shape(ctx, colours, path):
    fill, line = colours
    path(ctx)
    ctx.set_source_rgb(*fill)
    ctx.fill_preserve()
    ctx.set_source_rgb(*line)
    ctx.set_line_width(LINE)
    ctx.stroke()


def rounded(x, y, w, h, r):
    def path(ctx):
        ctx.new_sub_path()
        ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
        ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
        ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
        ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
        ctx.close_path()
    return path


def limb(points, width, colours, ctx):
    """A limb through the points: a thick round-capped stroke with an outline."""
    fill, line = colours
    for colour, w in ((line, width + 2 * LINE), (fill, width)):
        ctx.move_to(*points[0])
        for p in points[1:]:
            ctx.line_to(*p)
        ctx.set_source_rgb(*colour)
        ctx.set_line_width(w)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        ctx.stroke()


def circle(x, y, r):
    def path(ctx):
        ctx.new_sub_path()
        ctx.arc(x, y, r, 0, 2 * math.pi)
    return path


def draw(ctx):
    ctx.set_source_rgb(*BACKGROUND)
    ctx.paint()
    ctx.set_source_rgb(*FLOOR)
    ctx.rectangle(0, 132, WIDTH, HEIGHT - 132)
    ctx.fill()

    # The desk on the right, a monitor and a plant on it.
    shape(ctx, DESK, rounded(138, 96, 92, 8, 2))
    shape(ctx, DESK, rounded(216, 104, 8, 30, 1))
    shape(ctx, SCREEN, rounded(172, 88, 16, 8, 1))
    shape(ctx, SCREEN, rounded(150, 50, 62, 40, 4))
    ctx.set_source_rgb(*SCREEN_GLOW)
    ctx.rectangle(155, 55, 52, 30)
    ctx.fill()
    # On the screen: a pause sign, as the program's icon has.
    ctx.set_source_rgb(1, 1, 1)
    ctx.rectangle(174, 62, 5, 16)
    ctx.rectangle(183, 62, 5, 16)
    ctx.fill()
    shape(ctx, CHAIR, rounded(212, 84, 12, 12, 2))
    for dx, dy in ((-7, -12), (0, -16), (7, -11)):
        ctx.move_to(218, 85)
        ctx.curve_to(218 + dx / 2, 80, 218 + dx, 80 + dy / 2, 218 + dx, 84 + dy)
        ctx.curve_to(218 + dx + 3, 84 + dy + 4, 218 + 2, 82, 218, 85)
        shape(ctx, LEAF, lambda c: None)

    # The chair, turned away from the desk.
    shape(ctx, CHAIR, rounded(62, 56, 10, 52, 4))
    shape(ctx, CHAIR, rounded(62, 104, 52, 9, 3))
    limb([(88, 113), (88, 128)], 4, CHAIR, ctx)
    limb([(74, 133), (102, 133)], 3, CHAIR, ctx)

    # The person: legs, body, head, and the arms stretched up.
    limb([(84, 104), (110, 104), (112, 130)], 13, TROUSERS, ctx)
    shape(ctx, SHOES, rounded(108, 128, 18, 7, 3))
    shape(ctx, SHIRT, rounded(74, 62, 26, 46, 10))
    limb([(93, 58), (93, 54)], 6, SKIN, ctx)
    shape(ctx, SKIN, circle(93, 43, 11))
    # Hair on the back of the head.
    def hair(c):
        c.new_sub_path()
        c.arc(92, 42, 11.5, math.radians(160), math.radians(330))
        c.curve_to(96, 36, 88, 38, 82, 46)
        c.close_path()
    shape(ctx, HAIR, hair)
    # A calm face, turned towards the viewer.
    ctx.set_source_rgb(*SKIN[1])
    ctx.set_line_width(1.2)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.arc(97, 44, 1.1, 0, 2 * math.pi)
    ctx.fill()
    ctx.arc(98, 48, 3, math.radians(20), math.radians(120))
    ctx.stroke()

    limb([(80, 68), (68, 44), (81, 18)], 8, HIGHLIGHT, ctx)
    limb([(96, 68), (117, 46), (105, 18)], 8, HIGHLIGHT, ctx)
    shape(ctx, SKIN, circle(82, 15, 5))
    shape(ctx, SKIN, circle(104, 15, 5))

    # Motion arcs beside the hands.
    ctx.set_source_rgb(*TRAIL)
    ctx.set_line_width(2)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for cx, start, end in ((93, 200, 245), (93, 295, 340)):
        for r in (20, 26):
            ctx.new_sub_path()
            ctx.arc(cx, 22, r, math.radians(start), math.radians(end))
            ctx.stroke()


def bmp(surface):
    """A bottom-up 24-bit BMP of the surface, as LoadImage and windres read it."""
    surface.flush()
    data = surface.get_data()
    stride = surface.get_stride()
    row_size = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        row = data[y * stride:y * stride + WIDTH * 4]
        line = bytearray()
        for x in range(WIDTH):
            b, g, r = row[4 * x], row[4 * x + 1], row[4 * x + 2]
            line += bytes((b, g, r))
        line += bytes(row_size - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0,
                       0)
    return header + info + bytes(pixels)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, WIDTH, HEIGHT)
    draw(cairo.Context(surface))
    folder = os.path.dirname(argv[1])
    if folder:
        os.makedirs(folder, exist_ok=True)
    with open(argv[1], "wb") as f:
        f.write(bmp(surface))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
