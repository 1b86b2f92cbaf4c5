#!/usr/bin/env python3
"""Draws the preferences bundle's images into resources/prefs-bundle.

icon.png is the tweak's entry in the Settings list (a white moon on the theme colour);
icon_transparent.png is the same moon alone, for the navigation bar; header.png is the banner
above the list: a night sky in the theme colour with the moon and a few stars. Only the standard
library is used and the output is byte-for-byte stable.

    python3 resources/tools/draw_prefs_images.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

SAMPLES = 4  # per pixel and axis
THEME = (48, 73, 91)  # red 0.188, green 0.286, blue 0.357
NIGHT = (16, 28, 40)


def moon(cx, cy, r):
    """A crescent: a disc less a disc shifted up and right."""
    def inside(x, y):
        lit = (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        shade = (x - cx - 0.45 * r) ** 2 + (y - cy + 0.3 * r) ** 2 <= (0.8 * r) ** 2
        return lit and not shade
    return inside


def star(cx, cy, r):
    """A four-pointed star."""
    return lambda x, y: (abs(x - cx) / r) ** 0.5 + (abs(y - cy) / r) ** 0.5 <= 1.0


def coverage(shape, px, py, height):
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            # Both axes in units of the height, so that circles stay round in a wide image.
            if shape((px + (sx + 0.5) / SAMPLES) / height, (py + (sy + 0.5) / SAMPLES) / height):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def blend(under, over, amount):
    return tuple(round(u + (o - u) * amount) for u, o in zip(under, over))


def render(width, height, background, shapes):
    """background(x, y) -> (r, g, b, a) in 0..255; shapes: (predicate, colour) painted in order."""
    rows = bytearray()
    for py in range(height):
        rows.append(0)  # filter: none
        for px in range(width):
            r, g, b, a = background(px / width, py / height)
            for shape, colour in shapes:
                amount = coverage(shape, px, py, height)
                if amount:
                    r, g, b = blend((r, g, b), colour, amount)
                    a = round(a + (255 - a) * amount)
            rows += bytes((r, g, b, a))
    return png(width, height, bytes(rows))


def png(width, height, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b"")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "prefs-bundle")
    white = (255, 255, 255)
    images = {
        "icon.png": render(58, 58, lambda x, y: THEME + (255,), [(moon(0.5, 0.5, 0.3), white)]),
        "icon_transparent.png": render(58, 58, lambda x, y: (255, 255, 255, 0), [(moon(0.5, 0.5, 0.4), white)]),
        "header.png": render(
            320, 160,
            lambda x, y: blend(NIGHT, THEME, y) + (255,),
            [(moon(1.0, 0.5, 0.28), white)]
            + [(star(sx, sy, 0.06), white) for sx, sy in ((0.36, 0.3), (0.6, 0.72), (1.48, 0.25), (1.7, 0.64))],
        ),
    }
    for name, data in images.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
