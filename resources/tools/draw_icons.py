#!/usr/bin/env python3
"""Draws the tweak's template icons into resources/tweak-bundle.

Template images carry their shape in the alpha channel only; the view that shows one tints it.
Each glyph is a predicate over the unit square (y grows downwards), sampled 4 x 4 times per pixel
for smooth edges. Only the standard library is used, and the output is byte-for-byte stable, so
running the script again leaves the committed files unchanged.

    python3 resources/tools/draw_icons.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 64  # pixels; the images have a scale of 1
SAMPLES = 4  # per pixel and axis


# Shapes: each returns a predicate (x, y) -> bool over the unit square.

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry, degrees=0.0):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def inside(x, y):
        u, v = (x - cx) * c + (y - cy) * s, -(x - cx) * s + (y - cy) * c
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

    return inside


def ring(cx, cy, r, width, start=None, end=None):
    """An annulus, or an arc of it between two angles (degrees, clockwise from east)."""

    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) > width / 2:
            return False
        if start is None:
            return True
        return start <= math.degrees(math.atan2(y - cy, x - cx)) <= end

    return inside


def stroke(points, width):
    """A polyline with round joins and caps."""
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        for (ax, ay), (bx, by) in segments:
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            if math.hypot(x - ax - t * dx, y - ay - t * dy) <= width / 2:
                return True
        return False

    return inside


def polygon(points):
    """Even-odd fill."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        crossings = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                crossings = not crossings
        return crossings

    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(hole(x, y) for hole in holes)


def rotated(shape, degrees):
    """The shape turned about the centre of the square."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return lambda x, y: shape(0.5 + (x - 0.5) * c + (y - 0.5) * s, 0.5 - (x - 0.5) * s + (y - 0.5) * c)


# The glyphs.

def moon():
    return minus(disc(0.48, 0.52, 0.38), disc(0.68, 0.36, 0.31))


def clock():
    return union(ring(0.5, 0.5, 0.38, 0.08), stroke([(0.5, 0.26), (0.5, 0.5), (0.67, 0.6)], 0.08))


def notes():
    return union(
        ellipse(0.29, 0.76, 0.12, 0.085, -20),
        ellipse(0.71, 0.68, 0.12, 0.085, -20),
        polygon([(0.36, 0.76), (0.41, 0.76), (0.41, 0.24), (0.36, 0.24)]),
        polygon([(0.78, 0.68), (0.83, 0.68), (0.83, 0.14), (0.78, 0.14)]),
        polygon([(0.36, 0.22), (0.83, 0.12), (0.83, 0.24), (0.36, 0.34)]),
    )


def gear(teeth=8):
    cogs = [
        rotated(polygon([(0.43, 0.08), (0.57, 0.08), (0.58, 0.3), (0.42, 0.3)]), i * 360 / teeth)
        for i in range(teeth)
    ]
    return minus(union(disc(0.5, 0.5, 0.32), *cogs), disc(0.5, 0.5, 0.13))


def chevron():
    return stroke([(0.64, 0.16), (0.32, 0.5), (0.64, 0.84)], 0.1)


def hourglass():
    frame = union(
        stroke([(0.2, 0.1), (0.8, 0.1)], 0.07),
        stroke([(0.2, 0.9), (0.8, 0.9)], 0.07),
        stroke([(0.29, 0.1), (0.29, 0.2), (0.46, 0.5), (0.29, 0.8), (0.29, 0.9)], 0.06),
        stroke([(0.71, 0.1), (0.71, 0.2), (0.54, 0.5), (0.71, 0.8), (0.71, 0.9)], 0.06),
    )
    sand = polygon([(0.35, 0.2), (0.65, 0.2), (0.5, 0.46)])  # all of it still on top: a start
    return union(frame, sand, stroke([(0.5, 0.46), (0.5, 0.82)], 0.025))


def airplane():
    plane = union(
        stroke([(0.5, 0.1), (0.5, 0.84)], 0.11),
        polygon([(0.5, 0.36), (0.92, 0.58), (0.92, 0.66), (0.5, 0.56), (0.08, 0.66), (0.08, 0.58)]),
        polygon([(0.5, 0.74), (0.7, 0.86), (0.7, 0.92), (0.5, 0.87), (0.3, 0.92), (0.3, 0.86)]),
    )
    return rotated(plane, 45)


def moon_in_disc():
    crescent = minus(disc(0.47, 0.53, 0.25), disc(0.6, 0.42, 0.21))
    return minus(disc(0.5, 0.5, 0.44), crescent)


def bluetooth():
    return stroke([(0.3, 0.3), (0.7, 0.68), (0.5, 0.88), (0.5, 0.12), (0.7, 0.32), (0.3, 0.7)], 0.08)


def speaker():
    body = polygon([(0.1, 0.38), (0.28, 0.38), (0.5, 0.18), (0.5, 0.82), (0.28, 0.62), (0.1, 0.62)])
    waves = union(ring(0.5, 0.5, 0.18, 0.07, -45, 45), ring(0.5, 0.5, 0.32, 0.07, -48, 48))
    return union(body, waves)


ICONS = {
    "sleepIcon": moon,
    "timerIcon": clock,
    "nbSongsIcon": notes,
    "settingsIcon": gear,
    "backIcon": chevron,
    "hourglassStartIcon": hourglass,
    "airplaneIcon": airplane,
    "dndIcon": moon_in_disc,
    "bluetoothIcon": bluetooth,
    "customVolumeIcon": speaker,
}


def render(shape):
    """White pixels whose alpha is the shape's coverage, as RGBA rows."""
    rows = []
    step = 1.0 / (SIZE * SAMPLES)
    for py in range(SIZE):
        row = bytearray([0])  # filter type: none
        for px in range(SIZE):
            hits = sum(
                shape((px * SAMPLES + sx + 0.5) * step, (py * SAMPLES + sy + 0.5) * step)
                for sy in range(SAMPLES)
                for sx in range(SAMPLES)
            )
            row += bytes((255, 255, 255, round(255 * hits / SAMPLES**2)))
        rows.append(bytes(row))
    return b"".join(rows)


def png(pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(pixels, 9))
        + chunk(b"IEND", b"")
    )


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "tweak-bundle")
    os.makedirs(out, exist_ok=True)
    for name, glyph in ICONS.items():
        with open(os.path.join(out, name + ".png"), "wb") as f:
            f.write(png(render(glyph())))


if __name__ == "__main__":
    main()
