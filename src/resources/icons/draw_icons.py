#!/usr/bin/env python3
"""Draws Keyquill's icons and writes them as .ico files.

The mark is a lowercase "e" with an acute accent, the letter a compose key makes. Each
icon holds 16, 20, 24, 32 and 48 pixel images (32-bit with alpha), drawn from the shapes
below with 4x4 supersampling and a light halo so that they read on dark and light taskbars:
  LETTERRED     red letter: ready, waiting for the compose key
  LETTERGREEN   green letter: compose mode is on
  XLETTERBLACK  black letter, struck through: compose is off
  APPICON       the program's own icon (the ready letter)
  ABOUTLEFT     the about box's left image: the green letter, composed
  ABOUTRIGHT    the about box's right image: a key cap, the compose key

Usage: draw_icons.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

SIZES = (16, 20, 24, 32, 48)
SUPERSAMPLE = 4
HALO = 0.06  # width of the light outline, as a part of the icon size

# Shapes in a unit square, y pointing down.
CENTRE = (0.5, 0.64)
OUTER, INNER = 0.32, 0.165


def in_letter(x, y, grow=0.0):
    """The "e": a thick ring with a crossbar, open at the lower right."""
    cx, cy = CENTRE
    dx, dy = x - cx, y - cy
    d = math.hypot(dx, dy)
    ring = INNER - grow <= d <= OUTER + grow
    bar = abs(dy + 0.01) <= 0.04 + grow and abs(dx) <= OUTER + grow
    angle = math.degrees(math.atan2(dy, dx))  # 0 to the right, positive downwards
    opening = 8 < angle < 58 and d > INNER * 0.6 - grow
    return (ring and not opening) or bar


def in_accent(x, y, grow=0.0):
    """The acute accent: a slanted stroke above the letter."""
    (x0, y0), (x1, y1) = (0.44, 0.23), (0.64, 0.06)
    return near_segment(x, y, x0, y0, x1, y1, 0.05 + grow)


def in_keycap(x, y, grow=0.0):
    """A key cap seen from above: a rounded square outline with a bar for the key's top."""
    def rounded_square_distance(x, y, half, radius):
        qx = max(abs(x - 0.5) - (half - radius), 0.0)
        qy = max(abs(y - 0.5) - (half - radius), 0.0)
        return math.hypot(qx, qy) - radius
    d = rounded_square_distance(x, y, 0.42, 0.12)
    outline = -0.07 - grow <= d <= grow
    inner = rounded_square_distance(x, y - 0.06, 0.26, 0.06)
    top = -0.035 - grow <= inner <= grow
    return outline or top


def in_strike(x, y, grow=0.0):
    return near_segment(x, y, 0.1, 0.1, 0.9, 0.9, 0.045 + grow)


def near_segment(x, y, x0, y0, x1, y1, half_width):
    vx, vy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - (x0 + t * vx), y - (y0 + t * vy)) <= half_width


def coverage(size, inside, grow=0.0):
    """The part of each pixel that the shape covers, row by row from the top."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            hits = sum(
                inside((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, grow)
                for sy in range(n)
                for sx in range(n))
            row.append(hits / (n * n))
        rows.append(row)
    return rows


def render(size, colour, struck, keycap=False):
    def mark(x, y, grow=0.0):
        if keycap:
            return in_keycap(x, y, grow)
        return in_letter(x, y, grow) or in_accent(x, y, grow) or (struck and in_strike(x, y, grow))

    ink = coverage(size, mark)
    halo = coverage(size, mark, HALO)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            a_ink, a_halo = ink[py][px], halo[py][px]
            # The ink over a white halo.
            alpha = a_ink + a_halo * (1 - a_ink)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            rgb = tuple((c * a_ink + 255 * a_halo * (1 - a_ink)) / alpha for c in colour)
            row.append(tuple(round(v) for v in rgb) + (round(alpha * 255),))
        pixels.append(row)
    return pixels


def bitmap(pixels):
    """One icon image: a BITMAPINFOHEADER, bottom-up BGRA rows, and an empty AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + colour + bytes(mask_row * size)


def write_icon(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                               offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + entries + data)


ICONS = {
    "LETTERRED": ((200, 30, 40), False, False),
    "LETTERGREEN": ((20, 150, 55), False, False),
    "XLETTERBLACK": ((25, 25, 25), True, False),
    "APPICON": ((200, 30, 40), False, False),
    "ABOUTLEFT": ((20, 150, 55), False, False),
    "ABOUTRIGHT": ((60, 60, 70), False, True),
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, (colour, struck, keycap) in ICONS.items():
        images = [(size, bitmap(render(size, colour, struck, keycap))) for size in SIZES]
        write_icon(os.path.join(folder, name + ".ico"), images)


if __name__ == "__main__":
    main()
