#!/usr/bin/env python3
"""Draws the program icon, a kaleidoscope rosette of eight wedges, as
orchardia.ico: 32x32 and 16x16, 16 colours (the standard VGA palette), with a
transparency mask. Usage: make_icon.py [OUTPUT]"""
import math
import struct
import sys

# The 16-colour VGA palette, as the system draws 4-bit icons.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, OLIVE, MAROON, RED, GREEN, YELLOW, MAGENTA = 0, 2, 3, 1, 9, 10, 11, 13
WEDGES = 8
# Colours of the wedges, alternating, and of the rings from the centre out.
WEDGE_COLOURS = [(RED, YELLOW), (GREEN, MAGENTA)]


def pixel(size, x, y):
    """Palette index and opacity of one pixel, sampled at its centre."""
    half = size / 2.0
    dx, dy = x + 0.5 - half, half - (y + 0.5)
    r = math.hypot(dx, dy) / half
    if r > 0.97:
        return 0, False
    if r > 0.86:
        return BLACK, True
    if r < 0.16:
        return YELLOW, True
    angle = math.atan2(dy, dx) % (2 * math.pi)
    wedge = int(angle / (2 * math.pi / WEDGES))
    inner, outer = WEDGE_COLOURS[wedge % 2]
    # Within each wedge a mirrored petal: its middle line splits inner and outer colour.
    within = angle / (2 * math.pi / WEDGES) - wedge
    petal = 1.0 - abs(within - 0.5) * 2.0
    if r < 0.25 + 0.45 * petal:
        return inner, True
    return (DARK_GREEN if wedge % 2 else MAROON) if r > 0.7 else outer, True


def image(size):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit colour rows, 1-bit mask rows (bottom up)."""
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_rows, mask_rows = [], []
    for y in reversed(range(size)):
        colour, mask = bytearray(colour_stride), bytearray(mask_stride)
        for x in range(size):
            index, opaque = pixel(size, x, y)
            colour[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if not opaque:
                mask[x // 8] |= 0x80 >> (x % 8)
        colour_rows.append(bytes(colour))
        mask_rows.append(bytes(mask))
    bits = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bits


def icon(sizes):
    images = [image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    path = sys.argv[1] if len(sys.argv) > 1 else "orchardia.ico"
    with open(path, "wb") as f:
        f.write(icon([32, 16]))
