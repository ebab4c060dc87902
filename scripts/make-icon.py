#!/usr/bin/env python3
"""Draws the runner's icon, a queue of requests beside a start arrow, and
writes it as a Windows .ico file with the sizes Windows asks for.

usage: make-icon.py OUTPUT.ico"""

import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4  # per pixel and axis, for smooth edges

BACKGROUND = (30, 79, 143)
LINES = (255, 255, 255)
ARROW = (242, 182, 50)


def in_rounded_square(x, y):
    lo, hi, radius = 0.03, 0.97, 0.18
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and lo <= x <= hi and lo <= y <= hi


def in_lines(x, y):
    return 0.16 <= x <= 0.56 and any(abs(y - centre) <= 0.045 for centre in (0.30, 0.50, 0.70))


def in_arrow(x, y):
    # The triangle (0.62, 0.28), (0.62, 0.72), (0.88, 0.50).
    return x >= 0.62 and abs(y - 0.50) <= 0.22 * (0.88 - x) / 0.26


def colour_at(x, y):
    """The colour of one sample point, or None outside the icon."""
    if not in_rounded_square(x, y):
        return None
    if in_lines(x, y):
        return LINES
    if in_arrow(x, y):
        return ARROW
    return BACKGROUND


def pixel(size, px, py):
    """One pixel as (r, g, b, a), averaged over its samples."""
    total = [0, 0, 0]
    covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
            if colour:
                covered += 1
                total = [t + c for t, c in zip(total, colour)]
    if not covered:
        return (0, 0, 0, 0)
    return tuple(round(t / covered) for t in total) + (round(255 * covered / SAMPLES ** 2),)


def icon_image(size):
    """A 32-bit image of an icon resource: the header, the colour rows and
    the mask rows, both bottom-up."""
    rows = [[pixel(size, px, py) for px in range(size)] for py in range(size)]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for px, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bytes(bits)
    return header + colours + mask


def icon_file(sizes):
    images = [icon_image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(icon_file(SIZES))


if __name__ == "__main__":
    main()
