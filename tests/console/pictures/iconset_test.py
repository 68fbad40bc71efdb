"""The picture scripts' PNG reader and compositing, on PNG files made here."""
import os
import struct
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "resources", "console"))
import iconset  # noqa: E402


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filtered(kind, line, previous, step):
    """A scan line under one of the five filters, as an encoder writes it."""
    out = bytearray()
    for i, x in enumerate(line):
        a = line[i - step] if i >= step else 0
        b = previous[i]
        c = previous[i - step] if i >= step else 0
        pred = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((x - pred) & 255)
    return out


def png(width, height, depth, colour, rows, extra=b""):
    """rows: the raw sample bytes of each line; line y is written with filter y % 5."""
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    step = channels * depth // 8
    raw, previous = bytearray(), bytearray(len(rows[0]))
    for y, line in enumerate(rows):
        raw += bytes((y % 5,)) + filtered(y % 5, line, previous, step)
        previous = line
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(bytes(raw)))
            + chunk(b"IEND", b""))


class PngReaderTest(unittest.TestCase):
    def read(self, data):
        with tempfile.NamedTemporaryFile(suffix=".png", delete=False) as f:
            f.write(data)
        try:
            return iconset.read_png(f.name)
        finally:
            os.unlink(f.name)

    def test_every_filter_of_an_rgba_picture_gives_back_its_pixels(self):
        pixels = [[((x * 37 + y * 11) % 256, (x * 5 + y * 90) % 256, (x * y * 13) % 256, (200 + x + y) % 256)
                   for x in range(7)] for y in range(10)]
        rows = [bytearray(v for p in line for v in p) for line in pixels]
        image = self.read(png(7, 10, 8, 6, rows))
        self.assertEqual([[tuple(p) for p in line] for line in pixels], image.pixels)

    def test_palette_with_transparency_grey_with_alpha_and_sixteen_bits(self):
        palette = chunk(b"PLTE", bytes((255, 0, 0, 0, 255, 0, 0, 0, 255)))
        transparency = chunk(b"tRNS", bytes((0, 128)))
        image = self.read(png(3, 1, 8, 3, [bytearray((0, 1, 2))], palette + transparency))
        self.assertEqual([[(255, 0, 0, 0), (0, 255, 0, 128), (0, 0, 255, 255)]], image.pixels)

        image = self.read(png(2, 1, 8, 4, [bytearray((90, 255, 10, 20))]))
        self.assertEqual([[(90, 90, 90, 255), (10, 10, 10, 20)]], image.pixels)

        # Sixteen-bit samples keep their high bytes.
        image = self.read(png(1, 2, 16, 6, [bytearray((1, 2, 3, 4, 5, 6, 255, 0)), bytearray((9, 0, 8, 0, 7, 0, 6, 0))]))
        self.assertEqual([[(1, 3, 5, 255)], [(9, 8, 7, 6)]], image.pixels)

    def test_a_missing_picture_names_the_theme_package(self):
        saved = iconset.THEME
        iconset.THEME = tempfile.mkdtemp()
        try:
            with self.assertRaisesRegex(iconset.MissingIcon, "tango-icon-theme"):
                iconset.icon("edit-find", 32)
        finally:
            os.rmdir(iconset.THEME)
            iconset.THEME = saved


class CompositingTest(unittest.TestCase):
    def test_shrinking_keeps_edge_colours_and_flattening_keys_the_clear_pixels(self):
        image = iconset.Image(2, 2, [[(255, 0, 0, 255), (0, 0, 0, 0)], [(0, 0, 0, 0), (0, 0, 0, 0)]])
        small = image.resized(1)
        self.assertEqual((255, 0, 0), small.pixels[0][0][:3], "transparent black does not darken the edge")
        self.assertEqual(64, small.pixels[0][0][3])

        half = iconset.Image(3, 1, [[(0, 0, 0, 255), (0, 0, 0, 128), (0, 0, 0, iconset.KEY_ALPHA - 1)]])
        self.assertEqual([[(0, 0, 0), (100, 100, 100), iconset.MAGENTA]], half.flattened((200, 200, 200)))

    def test_a_badge_sits_in_the_bottom_right_corner_over_the_picture(self):
        base = iconset.Image(4, 4, [[(0, 0, 255, 255)] * 4 for _ in range(4)])
        mark = iconset.Image(2, 2, [[(255, 0, 0, 255), (255, 0, 0, 0)], [(255, 0, 0, 255)] * 2])
        marked = iconset.badge(base, mark)
        self.assertEqual((255, 0, 0, 255), marked.pixels[2][2])
        self.assertEqual((0, 0, 255, 255), marked.pixels[2][3], "the badge's clear pixels show the picture")
        self.assertEqual((0, 0, 255, 255), marked.pixels[1][1])
        self.assertEqual((0, 0, 255, 255), base.pixels[2][2], "the picture itself is unchanged")


if __name__ == "__main__":
    unittest.main()
