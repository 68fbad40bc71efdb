#!/usr/bin/env python3
"""Draws the console's bitmaps and icons from shapes and writes them as BMP and ICO files.

    make-pictures.py OUTPUT_DIR

Every picture is drawn on a small raster canvas in plain Python, so the build needs nothing
but the interpreter. The files are named after their resource ids (bitmap-149.bmp, icon-128.ico)
and included by Belvane.rc.
"""
import math
import os
import struct
import sys

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
MAGENTA = (255, 0, 255)
NAVY = (22, 52, 110)
BLUE = (40, 100, 200)
SKY = (120, 170, 230)
RED = (200, 30, 30)
YELLOW = (250, 210, 40)
ORANGE = (240, 140, 30)
GREY = (128, 128, 128)

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
        self.opaque = [[True] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour
            self.opaque[y][x] = True

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r0, r1, colour, start=0.0, end=360.0):
        for y in range(int(cy - r1 - 1), int(cy + r1 + 2)):
            for x in range(int(cx - r1 - 1), int(cx + r1 + 2)):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                angle = math.degrees(math.atan2(-dy, dx)) % 360
                if r0 <= d <= r1 and start <= angle <= end:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            yc = y + 0.5
            xs = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for xl, xr in zip(xs[::2], xs[1::2]):
                for x in range(int(round(xl)), int(round(xr))):
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

    def clear(self, colour):
        """Marks every pixel of that colour transparent (for icons)."""
        for y in range(self.height):
            for x in range(self.width):
                if self.pixels[y][x] == colour:
                    self.opaque[y][x] = False


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


def ico(canvases):
    """An icon file with one 32-bit image (and its AND mask) per canvas."""
    images = []
    for c in canvases:
        xor = bytearray()
        for y in reversed(range(c.height)):
            for x in range(c.width):
                r, g, b = c.pixels[y][x]
                xor += bytes((b, g, r, 255 if c.opaque[y][x] else 0))
        mask_row = ((c.width + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(c.height)):
            bits = bytearray(mask_row)
            for x in range(c.width):
                if not c.opaque[y][x]:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c.width, c.height, header + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, blob in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in images)


def bell(c, cx, top, size, body, clapper):
    """An alarm bell: dome, flared rim and clapper, size pixels high."""
    s = size / 32.0
    c.disc(cx, top + 11 * s, 9 * s, body)
    c.polygon([(cx - 9 * s, top + 11 * s), (cx + 9 * s, top + 11 * s), (cx + 13 * s, top + 25 * s),
               (cx - 13 * s, top + 25 * s)], body)
    c.rect(int(cx - 14 * s), int(top + 24 * s), int(cx + 14 * s + 1), int(top + 27 * s), body)
    c.disc(cx, top + 29 * s, 3 * s, clapper)
    c.disc(cx, top + 2 * s, 2 * s, body)


def waves(c, cx, cy, r, colour, width):
    for k in range(2):
        radius = r + k * (width * 2.2)
        c.ring(cx, cy, radius, radius + width, colour, 20, 70)
        c.ring(cx, cy, radius, radius + width, colour, 110, 160)


def level_picture(kind):
    c = Canvas(22, 16, WHITE)
    if kind == "information":
        c.polygon([(5, 12), (9, 12), (4, 16)], BLUE)
        c.disc(11, 7, 7, BLUE)
        c.rect(10, 3, 12, 5, WHITE)
        c.rect(10, 6, 12, 12, WHITE)
    elif kind == "warning":
        c.polygon([(11, 0), (21.5, 16), (0.5, 16)], BLACK)
        c.polygon([(11, 2.5), (19.5, 15), (2.5, 15)], YELLOW)
        c.rect(10, 6, 12, 11, BLACK)
        c.rect(10, 12, 12, 14, BLACK)
    else:
        c.disc(11, 8, 7.5, RED)
        for d in range(-4, 5):
            for w in (0, 1):
                c.put(11 + d - w, 8 + d, WHITE)
                c.put(11 + d, 8 + d, WHITE)
                c.put(10 - d + w, 8 + d, WHITE)
                c.put(10 - d, 8 + d, WHITE)
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
    bell(c, 40, 18, 64, NAVY, ORANGE)
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
    bell(c, 96, 46, 96, NAVY, ORANGE)
    waves(c, 96, 80, 44, ORANGE, 4)
    c.text(168, 74, "BELVANE", NAVY, 5)
    c.text(172, 124, "TERVOK AG", BLUE, 2)
    c.rect(168, 114, 168 + text_width("BELVANE", 5), 117, ORANGE)
    return c


def about_picture():
    c = Canvas(64, 64, WHITE)
    bell(c, 32, 10, 40, NAVY, ORANGE)
    waves(c, 32, 24, 20, ORANGE, 2)
    return c


def icon_image(size, body):
    c = Canvas(size, size, MAGENTA)
    bell(c, size / 2, size * 0.02, size * 0.94, body, ORANGE)
    c.clear(MAGENTA)
    return c


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "bitmap-132.bmp": bmp24(tile()),
        "bitmap-144.bmp": bmp24(splash()),
        "bitmap-149.bmp": bmp24(logo()),
        "bitmap-161.bmp": bmp8(level_picture("information")),
        "bitmap-181.bmp": bmp8(level_picture("warning")),
        "bitmap-162.bmp": bmp8(level_picture("error")),
        "bitmap-638.bmp": bmp24(about_picture()),
        "icon-128.ico": ico([icon_image(32, NAVY), icon_image(16, NAVY)]),
        "icon-133.ico": ico([icon_image(32, BLUE), icon_image(16, BLUE)]),
        "icon-154.ico": ico([icon_image(32, RED), icon_image(16, RED)]),
    }
    for name, data in files.items():
        path = os.path.join(out, name)
        # Unchanged files keep their time, so the resource compiler does not run again.
        if os.path.exists(path) and open(path, "rb").read() == data:
            continue
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
