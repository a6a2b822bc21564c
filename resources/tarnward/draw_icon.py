#!/usr/bin/env python3
"""Draws Tarnward's application icon and writes tarnward.ico beside this script.

A blue shield holding a white arrow that points down onto a bar: a service being
put in place. Standard library only; every size is drawn from the same shapes with
8 x 8 samples per pixel, so the edges are smooth at each size.
"""

import math
import os
import struct

SIZES = (16, 24, 32, 48)
SAMPLES = 8

SHIELD_TOP = (60, 130, 210)
SHIELD_BOTTOM = (22, 74, 150)
RIM = (14, 42, 92)
GLYPH = (255, 255, 255)


def shield_half_width(y, scale=1.0):
    """Half the shield's width at height y (0 top, 1 bottom), or -1 outside it."""
    top, shoulder, tip, half = 0.06, 0.52, 0.96, 0.38
    # A smaller shield for the inner face keeps a rim of even width.
    top += (1.0 - scale) * 0.5
    tip -= (1.0 - scale) * 0.6
    half *= scale
    if y < top or y > tip:
        return -1.0
    if y <= shoulder:
        return half
    return half * math.cos((y - shoulder) / (tip - shoulder) * math.pi / 2)


def in_shield(x, y, scale=1.0):
    return abs(x - 0.5) <= shield_half_width(y, scale)


def in_glyph(x, y):
    dx = abs(x - 0.5)
    shaft = dx <= 0.065 and 0.20 <= y <= 0.50
    head = 0.44 <= y <= 0.68 and dx <= 0.19 * (0.68 - y) / 0.24
    bar = dx <= 0.15 and 0.73 <= y <= 0.79
    return shaft or head or bar


def colour_at(x, y):
    """Colour and coverage (0 or 1) of one sample point."""
    if not in_shield(x, y):
        return (0, 0, 0), 0
    if not in_shield(x, y, 0.86):
        return RIM, 1
    if in_glyph(x, y):
        return GLYPH, 1
    t = min(max(y, 0.0), 1.0)
    return tuple(round(a + (b - a) * t) for a, b in zip(SHIELD_TOP, SHIELD_BOTTOM)), 1


def render(size):
    """Rows of (b, g, r, a) tuples, top row first, with alpha-weighted averaging."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    (cr, cg, cb), cover = colour_at(x, y)
                    r += cr * cover
                    g += cg * cover
                    b += cb * cover
                    a += cover
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * a / (SAMPLES * SAMPLES))
                row.append((round(b / a), round(g / a), round(r / a), alpha))
        rows.append(row)
    return rows


def bitmap_entry(size):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def main():
    images = [bitmap_entry(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tarnward.ico")
    with open(target, "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    main()
