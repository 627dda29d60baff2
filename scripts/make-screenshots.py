#!/usr/bin/env python3
"""Makes the README's pictures from the screenshots the Windows tests take.

The tests save the whole (Xvfb) screen as a 24-bit BMP in build/screenshots/; this
cuts each picture the README shows down to its window on the black screen and writes
it as a PNG in docs/screenshots/. Run it after `make test`:

    scripts/make-screenshots.py [--from build/screenshots] [--to docs/screenshots]

Needs ffmpeg; the BMPs are read with the standard library.
"""

import argparse
import os
import struct
import subprocess
import sys

# What the README shows, and how much of the screen: "window" is the window on the
# black screen, without the Wine System Tray window at the top left; "tray" keeps that
# (a tray menu opens beside it); "panel" is what a full-screen window shows inside its
# edges, with some of the black around it.
SHOTS = [
    ("micropause", "panel"),
    ("tray-menu", "tray"),
    ("settings-micropauses", "window"),
    ("scheme-page", "window"),
    ("settings-holds", "window"),
    ("settings-keys", "window"),
    ("tray-menu-reading", "tray"),
    ("tray-menu-paused", "tray"),
    ("about", "window"),
    ("installer-components", "window"),
    ("installer-finish", "window"),
    ("uninstall-settings-question", "window"),
]

# Where Wine's tray window sits on a bare Xvfb screen: left out unless asked for.
TRAY_AREA = (170, 48)
# A full-screen window's edge, left out of a "panel", and the black kept around it.
EDGE = 4
MARGIN = 24


def read_bmp(path):
    """Width, height and the rows top down, each as bytes (B, G, R per pixel)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise ValueError(f"{path}: {bits}-bit, not 24-bit")
    stride = (width * 3 + 3) // 4 * 4
    rows = [data[offset + r * stride:offset + r * stride + width * 3] for r in range(abs(height))]
    if height > 0:
        rows.reverse()  # stored bottom up
    return width, abs(height), rows


def content_box(width, rows, keep_tray, edge=0):
    """x, y, w, h of everything that is not black, `edge` pixels in from the screen's."""
    left, right, top, bottom = width, -1, None, None
    for y, row in enumerate(rows):
        if y < edge or y >= len(rows) - edge:
            continue
        row = bytes(edge * 3) + row[edge * 3:(width - edge) * 3] + bytes(edge * 3)
        if not keep_tray and y < TRAY_AREA[1]:
            row = bytes(TRAY_AREA[0] * 3) + row[TRAY_AREA[0] * 3:]
        stripped = row.lstrip(b"\0")
        if not stripped:
            continue
        first = (len(row) - len(stripped)) // 3
        last = (len(row.rstrip(b"\0")) - 1) // 3
        left, right = min(left, first), max(right, last)
        top = y if top is None else top
        bottom = y
    if top is None:
        return None
    return left, top, right - left + 1, bottom - top + 1


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--from", dest="source", default=os.path.join(root, "build", "screenshots"))
    parser.add_argument("--to", dest="target", default=os.path.join(root, "docs", "screenshots"))
    parser.add_argument("--ffmpeg", default="ffmpeg")
    args = parser.parse_args()

    os.makedirs(args.target, exist_ok=True)
    missing = []
    for name, kind in SHOTS:
        source = os.path.join(args.source, name + ".bmp")
        if not os.path.exists(source):
            missing.append(name)
            continue
        width, height, rows = read_bmp(source)
        edge = EDGE if kind == "panel" else 0
        box = content_box(width, rows, keep_tray=(kind == "tray"), edge=edge)
        if box is None:
            missing.append(name + " (blank)")
            continue
        if kind == "panel":
            x, y, w, h = box
            x, y = max(edge, x - MARGIN), max(edge, y - MARGIN)
            w = min(width - edge - x, w + 2 * MARGIN)
            h = min(height - edge - y, h + 2 * MARGIN)
            box = (x, y, w, h)
        picture = "crop={2}:{3}:{0}:{1}".format(*box)
        target = os.path.join(args.target, name + ".png")
        subprocess.run([args.ffmpeg, "-v", "error", "-y", "-i", source, "-vf", picture,
                        "-pix_fmt", "rgb24", target], check=True)
        print(f"make-screenshots: {os.path.relpath(target, root)}")
    if missing:
        sys.exit("make-screenshots: no screenshot of " + ", ".join(missing) +
                 " in " + args.source + ": run `make test` first")


if __name__ == "__main__":
    main()
