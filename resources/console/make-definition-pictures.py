#!/usr/bin/env python3
"""Draws the bitmaps of the definitions window and its dialogs and writes them as BMP files.

    make-definition-pictures.py OUTPUT_DIR

Files are named after their resource ids (bitmap-337.bmp) and included by Definitions.rc.
Magenta is the mask colour of the image lists.
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)
GREEN = (30, 160, 60)
RED = (200, 30, 30)
GREY = (150, 150, 150)
NAVY = (22, 52, 110)
YELLOW = (250, 210, 40)
WHITE = (255, 255, 255)


def canvas(size, colour=MAGENTA):
    return [[colour] * size for _ in range(size)]


def disc(pixels, colour, inset=2):
    size = len(pixels)
    centre = (size - 1) / 2
    radius = size / 2 - inset
    for y in range(size):
        for x in range(size):
            if (x - centre) ** 2 + (y - centre) ** 2 <= radius ** 2:
                pixels[y][x] = colour
    return pixels


def tick(pixels, colour):
    for x in range(4, 7):
        pixels[x + 2][x] = colour
    for x in range(7, 12):
        pixels[15 - x][x] = colour
    return pixels


def cross(pixels, colour):
    for d in range(4, 12):
        pixels[d][d] = colour
        pixels[d][15 - d] = colour
    return pixels


def document(size):
    # Shown by a plain static on the page, so its ground is the page's white, not the mask.
    pixels = canvas(size, WHITE)
    for y in range(4, size - 4):
        for x in range(8, size - 8):
            pixels[y][x] = WHITE if 5 < y < size - 5 and 9 < x < size - 9 else NAVY
    for y in range(10, size - 10, 6):
        for x in range(13, size - 13):
            pixels[y][x] = NAVY
    return disc_at(pixels, YELLOW, size - 12, size - 12, 7)


def disc_at(pixels, colour, cx, cy, radius):
    for y in range(len(pixels)):
        for x in range(len(pixels)):
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2:
                pixels[y][x] = colour
    return pixels


def write_bmp(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        line = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in row)
        rows += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    pictures = {
        337: tick(disc(canvas(16), GREEN), WHITE),
        141: disc(canvas(16), GREY),
        272: tick(disc(canvas(16), GREEN), WHITE),
        338: cross(disc(canvas(16), RED), WHITE),
        652: document(64),
    }
    for number, pixels in pictures.items():
        write_bmp(os.path.join(out, "bitmap-%d.bmp" % number), pixels)


if __name__ == "__main__":
    main()
