#!/usr/bin/env python3
"""Writes the console's toolbar resources and their image strips.

    make-toolbars.py OUTPUT_DIR

A toolbar resource (custom type 241, which the resource compiler cannot write from a script) is
a row of 16-bit words: version 1, image width, image height, button count, then one command id
per button, 0 for a separator. Each toolbar's bitmap is a strip of 32 x 32 images, one per
button that is not a separator, on the magenta that the toolbar cuts out. The files are named
after their resource ids (toolbar-128.bin, bitmap-137.bmp) and included by Toolbars.rc.
"""
import colorsys
import os
import struct
import sys

SIZE = 32
MAGENTA = (255, 0, 255)

# resource id, bitmap id, buttons (0: separator)
TOOLBARS = [
    (128, 137, [32820, 32780, 32771, 32773, 0, 32793, 32805, 32792, 0, 57650, 57651, 0, 32801, 32826]),
    (129, 145, [32811, 32818, 0, 32804, 32785, 32786, 32812, 32813, 32783, 0, 32782, 32798, 32819]),
    (147, 150, [32772, 32776, 32774, 32775, 0, 32803, 32802, 0, 32790, 32792]),
]


def toolbar_words(buttons):
    return struct.pack("<%dH" % (4 + len(buttons)), 1, SIZE, SIZE, len(buttons), *buttons)


def image(index, count):
    """A disc in a colour of its own with a darker rim and a light spot, on magenta."""
    hue = index / max(count, 1)
    base = tuple(int(c * 255) for c in colorsys.hls_to_rgb(hue, 0.45, 0.8))
    rim = tuple(c // 2 for c in base)
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            d2 = (x - 15.5) ** 2 + (y - 15.5) ** 2
            if d2 > 14 ** 2:
                row.append(MAGENTA)
            elif d2 > 12 ** 2:
                row.append(rim)
            elif (x - 11) ** 2 + (y - 11) ** 2 < 9:
                row.append((255, 255, 255))
            else:
                row.append(base)
        pixels.append(row)
    return pixels


def bitmap(images):
    width = SIZE * len(images)
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(SIZE)):
        line = bytearray()
        for img in images:
            for r, g, b in img[y]:
                line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)) + header + data


def main(out):
    os.makedirs(out, exist_ok=True)
    for resource, bitmap_id, buttons in TOOLBARS:
        with open(os.path.join(out, "toolbar-%d.bin" % resource), "wb") as f:
            f.write(toolbar_words(buttons))
        count = len([b for b in buttons if b])
        with open(os.path.join(out, "bitmap-%d.bmp" % bitmap_id), "wb") as f:
            f.write(bitmap([image(i, count) for i in range(count)]))


if __name__ == "__main__":
    main(sys.argv[1])
