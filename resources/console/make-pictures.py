#!/usr/bin/env python3
"""Makes the console's bitmaps and icons and writes them as BMP and ICO files.

    make-pictures.py OUTPUT_DIR [ICON_THEME_DIR]

The pictures come from the Tango icon theme (iconset.py); the product's bell, the lettering and
the backgrounds are drawn on a small raster canvas in plain Python, so the build needs nothing
but the interpreter and the theme. The files are named after their resource ids
(bitmap-149.bmp, icon-128.ico) and included by Belvane.rc.
"""
import math
import os
import struct
import sys

import iconset

WHITE = iconset.WHITE
MAGENTA = iconset.MAGENTA
# The icon set's darkest sky blue, its middle blue and its orange.
NAVY = iconset.SKY_BLUE[2]
BLUE = iconset.SKY_BLUE[1]
ORANGE = iconset.ORANGE[1]

# A 5 x 7 font for the few capitals and signs the pictures write.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "G": ["01111", "10000", "10000", "10011", "10001", "10001", "01111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, ground):
        self.width = width
        self.height = height
        self.pixels = [[ground] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def paste(self, image, x0, y0):
        """Lays a picture of the icon set onto the canvas, blending its edges."""
        for y, line in enumerate(image.pixels):
            for x, (r, g, b, a) in enumerate(line):
                if a and 0 <= x + x0 < self.width and 0 <= y + y0 < self.height:
                    self.put(x + x0, y + y0, blend(self.pixels[y + y0][x + x0], (r, g, b), a / 255.0))

    def ring(self, cx, cy, r0, r1, colour, start=0.0, end=360.0):
        for y in range(int(cy - r1 - 1), int(cy + r1 + 2)):
            for x in range(int(cx - r1 - 1), int(cx + r1 + 2)):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                angle = math.degrees(math.atan2(-dy, dx)) % 360
                if r0 <= d <= r1 and start <= angle <= end:
                    self.put(x, y, colour)

    def text(self, x, y, words, colour, scale=1):
        for ch in words:
            glyph = GLYPHS[ch]
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.rect(x + col * scale, y + row * scale, x + (col + 1) * scale,
                                  y + (row + 1) * scale, colour)
            x += 6 * scale


def text_width(words, scale):
    return (6 * len(words) - 1) * scale


def blend(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def bmp24(canvas):
    row = (canvas.width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(canvas.height)):
        line = bytearray()
        for r, g, b in canvas.pixels[y]:
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(data),
                         2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54) + header + data


def bmp8(canvas):
    """A 256-colour bitmap: the canvas's colours as its palette."""
    palette = []
    for line in canvas.pixels:
        for colour in line:
            if colour not in palette:
                palette.append(colour)
    if len(palette) > 256:
        raise ValueError("more than 256 colours")
    index = {c: i for i, c in enumerate(palette)}
    row = (canvas.width + 3) & ~3
    data = bytearray()
    for y in reversed(range(canvas.height)):
        line = bytes(index[c] for c in canvas.pixels[y])
        data += line + bytes(row - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    offset = 14 + 40 + len(table)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(data),
                         2835, 2835, 256, 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + header + table + data


def ico(images):
    """An icon file with one 32-bit image (and its AND mask) per picture of the icon set."""
    blobs = []
    for image in images:
        xor = bytearray()
        mask_row = ((image.width + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(image.height)):
            bits = bytearray(mask_row)
            for x, (r, g, b, a) in enumerate(image.pixels[y]):
                xor += bytes((b, g, r, a))
                if a < iconset.KEY_ALPHA:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, image.width, image.height * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((image.width, image.height, header + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for w, h, blob in blobs:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


def waves(c, cx, cy, r, colour, width):
    for k in range(2):
        radius = r + k * (width * 2.2)
        c.ring(cx, cy, radius, radius + width, colour, 20, 70)
        c.ring(cx, cy, radius, radius + width, colour, 110, 160)


def on_white(image, width, height):
    """A picture centred on a white canvas."""
    c = Canvas(width, height, WHITE)
    c.paste(image, (width - image.width) // 2, (height - image.height) // 2)
    return c


def tile():
    c = Canvas(64, 64, WHITE)
    for y in range(64):
        for x in range(64):
            t = (math.sin((x + y) * math.pi / 32) + 1) / 2
            c.put(x, y, blend((236, 241, 248), (222, 231, 244), t))
    return c


def logo(width=240, height=84, ground=WHITE):
    c = Canvas(width, height, ground)
    c.paste(iconset.bell(64), 8, 10)
    waves(c, 40, 40, 30, ORANGE, 3)
    c.text(86, 38, "BELVANE", NAVY, 3)
    c.rect(86, 66, 86 + text_width("BELVANE", 3), 68, ORANGE)
    return c


def splash():
    c = Canvas(420, 260, WHITE)
    for y in range(260):
        colour = blend((250, 252, 255), (200, 216, 240), y / 259)
        for x in range(420):
            c.put(x, y, colour)
    c.rect(0, 0, 420, 6, NAVY)
    c.rect(0, 254, 420, 260, NAVY)
    c.paste(iconset.bell(96), 48, 44)
    waves(c, 96, 80, 44, ORANGE, 4)
    c.text(168, 74, "BELVANE", NAVY, 5)
    c.text(172, 124, "TERVOK AG", BLUE, 2)
    c.rect(168, 114, 168 + text_width("BELVANE", 5), 117, ORANGE)
    return c


def about_picture():
    c = on_white(iconset.bell(44), 64, 64)
    waves(c, 32, 26, 20, ORANGE, 2)
    return c


# The filter side bar's items: image-list bitmaps in a large (32) and a small (16) size, keyed
# magenta and blended onto the list's white: (large id, small id, picture).
SIDE_BAR = [
    (174, 175, "folder-saved-search"),  # a filter group
    (650, 651, "system-search"),        # filter on this value
    (644, 645, "view-refresh"),         # reread the group's values
    (172, 173, "edit-select-all"),      # all values: no filter
    (156, 157, "edit-clear"),           # clear every filter
]


def keyed(image):
    c = Canvas(image.width, image.height, MAGENTA)
    c.pixels = image.flattened(WHITE)
    return c


def side_bar_pictures():
    files = {}
    for large, small, name in SIDE_BAR:
        files["bitmap-%d.bmp" % large] = bmp24(keyed(iconset.icon(name, 32)))
        files["bitmap-%d.bmp" % small] = bmp24(keyed(iconset.icon(name, 16)))
    return files


def main():
    out = sys.argv[1]
    if len(sys.argv) > 2:
        iconset.THEME = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    files = {
        "bitmap-132.bmp": bmp24(tile()),
        "bitmap-144.bmp": bmp24(splash()),
        "bitmap-149.bmp": bmp24(logo()),
        # The log window's line levels, on the log's white.
        "bitmap-161.bmp": bmp8(on_white(iconset.icon("dialog-information", 16), 22, 16)),
        "bitmap-181.bmp": bmp8(on_white(iconset.icon("dialog-warning", 16), 22, 16)),
        "bitmap-162.bmp": bmp8(on_white(iconset.icon("dialog-error", 16), 22, 16)),
        "bitmap-638.bmp": bmp24(about_picture()),
        "icon-128.ico": ico([iconset.bell(32), iconset.bell(16)]),
        "icon-133.ico": ico([iconset.icon("x-office-address-book", s) for s in (32, 16)]),
        "icon-134.ico": ico([iconset.icon("dialog-warning", s) for s in (32, 16)]),
        "icon-154.ico": ico([iconset.icon("go-next", s) for s in (32, 16)]),
        "icon-162.ico": ico([iconset.icon("text-x-generic", s) for s in (32, 16)]),
    }
    files.update(side_bar_pictures())
    for name, data in files.items():
        path = os.path.join(out, name)
        # Unchanged files keep their time, so the resource compiler does not run again.
        if os.path.exists(path) and open(path, "rb").read() == data:
            continue
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
