#!/usr/bin/env python3
"""Draws the control panel's icon (resource 128) in 16 colours, at every size Windows
asks for from 100 % to 400 % display scale: 16 to 64 for the caption and the taskbar,
96, 128 and 256 for the largest views.

Stdlib only. The picture: a blue shield-like tile with two white source nodes on
the left joined by arrows to one yellow server node on the right, the product's
idea of redirecting connections. Run it to regenerate tarnlink.ico.
"""
import struct
import sys

# The standard 16-colour palette (BGR0 order in the file).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CLEAR, BLACK, NAVY, BLUE, WHITE, YELLOW, GREY = -1, 0, 4, 12, 15, 11, 8


def draw(size):
    s = size / 32.0
    px = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = c

    def disc(cx, cy, r, c):
        for y in range(size):
            for x in range(size):
                if (x + 0.5 - cx * s) ** 2 + (y + 0.5 - cy * s) ** 2 <= (r * s) ** 2:
                    px[y][x] = c

    def line(x0, y0, x1, y1, c, w=1.5):
        steps = 64
        for i in range(steps + 1):
            t = i / steps
            disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, w, c)

    rect(1, 1, 31, 31, NAVY)  # tile with a dark frame
    rect(2, 2, 30, 30, BLUE)
    line(8, 9, 23, 16, WHITE)
    line(8, 23, 23, 16, WHITE)
    disc(8, 9, 3.5, WHITE)
    disc(8, 23, 3.5, WHITE)
    disc(23, 16, 5.5, BLACK)
    disc(23, 16, 4.5, YELLOW)
    rect(21, 14, 25, 18, GREY)
    return px


def bitmap(px):
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor = b""
    and_mask = b""
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(px):  # bottom-up
        nibbles = [max(c, 0) for c in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += data + b"\0" * ((4 - len(data) % 4) % 4)
        out = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c == CLEAR:
                out[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(out)
    return header + palette + xor + and_mask


SIZES = [256, 128, 96, 64, 48, 40, 32, 24, 20, 16]


def main(path):
    images = [bitmap(draw(size)) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tarnlink.ico")
