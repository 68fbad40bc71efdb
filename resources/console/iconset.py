"""Pictures from the Tango icon theme (public domain), for the console's bitmaps and icons.

Reads the theme's PNG files with the standard library alone, composes them, draws the few
pictures the theme lacks in its style and palette, and flattens them onto a ground colour with
the magenta key that the console's image lists cut out.
"""
import math
import os
import struct
import zlib

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)
# The toolbars' button face: their edge pixels are blended onto it.
BUTTON_FACE = (240, 240, 240)
# Below this opacity a pixel of an icon becomes the key colour.
KEY_ALPHA = 96

# The theme's palette.
BUTTER = ((0xFC, 0xE9, 0x4F), (0xED, 0xD4, 0x00), (0xC4, 0xA0, 0x00))
ORANGE = ((0xFC, 0xAF, 0x3E), (0xF5, 0x79, 0x00), (0xCE, 0x5C, 0x00))
CHAMELEON = ((0x8A, 0xE2, 0x34), (0x73, 0xD2, 0x16), (0x4E, 0x9A, 0x06))
SKY_BLUE = ((0x72, 0x9F, 0xCF), (0x34, 0x65, 0xA4), (0x20, 0x4A, 0x87))
SCARLET = ((0xEF, 0x29, 0x29), (0xCC, 0x00, 0x00), (0xA4, 0x00, 0x00))
ALUMINIUM = ((0xEE, 0xEE, 0xEC), (0xD3, 0xD7, 0xCF), (0xBA, 0xBD, 0xB6), (0x88, 0x8A, 0x85),
             (0x55, 0x57, 0x53), (0x2E, 0x34, 0x36))

THEME = "/usr/share/icons/Tango"


class MissingIcon(Exception):
    pass


class Image:
    """Straight (not premultiplied) RGBA pixels, rows top to bottom."""

    def __init__(self, width, height, pixels=None):
        self.width = width
        self.height = height
        self.pixels = pixels or [[(0, 0, 0, 0)] * width for _ in range(height)]

    def over(self, top, x0=0, y0=0):
        """Draws another image over this one with its top-left corner at (x0, y0)."""
        for y in range(top.height):
            if not 0 <= y + y0 < self.height:
                continue
            row = self.pixels[y + y0]
            for x in range(top.width):
                if not 0 <= x + x0 < self.width:
                    continue
                row[x + x0] = _over(top.pixels[y][x], row[x + x0])
        return self

    def resized(self, size):
        """The image scaled to size x size: area averaging down, bilinear up, on premultiplied
        colours so that transparent pixels do not darken the edges."""
        if size == self.width == self.height:
            return self
        out = Image(size, size)
        sx, sy = self.width / size, self.height / size
        for y in range(size):
            for x in range(size):
                if sx >= 1:
                    samples = self._area(x * sx, y * sy, (x + 1) * sx, (y + 1) * sy)
                else:
                    samples = self._bilinear((x + 0.5) * sx - 0.5, (y + 0.5) * sy - 0.5)
                out.pixels[y][x] = _unpremultiply(samples)
        return out

    def _area(self, x0, y0, x1, y1):
        acc = [0.0] * 4
        total = 0.0
        for y in range(int(y0), min(int(math.ceil(y1)), self.height)):
            wy = min(y + 1, y1) - max(y, y0)
            for x in range(int(x0), min(int(math.ceil(x1)), self.width)):
                w = wy * (min(x + 1, x1) - max(x, x0))
                r, g, b, a = self.pixels[y][x]
                acc[0] += r * a * w
                acc[1] += g * a * w
                acc[2] += b * a * w
                acc[3] += a * w
                total += w
        return [c / total for c in acc]

    def _bilinear(self, fx, fy):
        fx = min(max(fx, 0), self.width - 1)
        fy = min(max(fy, 0), self.height - 1)
        x0, y0 = int(fx), int(fy)
        x1, y1 = min(x0 + 1, self.width - 1), min(y0 + 1, self.height - 1)
        tx, ty = fx - x0, fy - y0
        acc = [0.0] * 4
        for x, y, w in ((x0, y0, (1 - tx) * (1 - ty)), (x1, y0, tx * (1 - ty)),
                        (x0, y1, (1 - tx) * ty), (x1, y1, tx * ty)):
            r, g, b, a = self.pixels[y][x]
            acc[0] += r * a * w
            acc[1] += g * a * w
            acc[2] += b * a * w
            acc[3] += a * w
        return acc

    def flattened(self, ground, key=MAGENTA):
        """Rows of RGB: nearly transparent pixels become the key, the others are blended onto
        the ground that the picture will be shown on."""
        rows = []
        for line in self.pixels:
            row = []
            for r, g, b, a in line:
                if a < KEY_ALPHA:
                    row.append(key)
                else:
                    t = a / 255.0
                    row.append(tuple(int(round(c * t + gc * (1 - t))) for c, gc in zip((r, g, b), ground)))
            rows.append(row)
        return rows


def _over(top, bottom):
    ta = top[3] / 255.0
    if ta >= 1.0:
        return top
    if ta <= 0.0:
        return bottom
    ba = bottom[3] / 255.0
    a = ta + ba * (1 - ta)
    rgb = tuple(int(round((top[i] * ta + bottom[i] * ba * (1 - ta)) / a)) for i in range(3))
    return rgb + (int(round(a * 255)),)


def _unpremultiply(acc):
    r, g, b, a = acc
    if a <= 0:
        return (0, 0, 0, 0)
    return (int(round(r / a)), int(round(g / a)), int(round(b / a)), int(round(a)))


def read_png(path):
    """Decodes a non-interlaced PNG of 8 or 16 bits per sample: grey, RGB, palette, grey with
    alpha or RGBA."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s: not a PNG file" % path)
    pos = 8
    idat = b""
    palette = []
    transparency = b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"tRNS":
            transparency = body
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    if interlace or depth not in (8, 16) or colour not in (0, 2, 3, 4, 6):
        raise ValueError("%s: unsupported PNG layout" % path)
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    step = channels * depth // 8
    stride = width * step
    raw = zlib.decompress(idat)
    previous = bytearray(stride)
    image = Image(width, height)
    for y in range(height):
        start = y * (stride + 1)
        line = _unfilter(raw[start], bytearray(raw[start + 1:start + 1 + stride]), previous, step)
        previous = line
        samples = line if depth == 8 else line[0::2]
        n = channels
        row = []
        for x in range(width):
            s = samples[x * n:(x + 1) * n]
            if colour == 0:
                row.append((s[0], s[0], s[0], 255))
            elif colour == 2:
                row.append((s[0], s[1], s[2], 255))
            elif colour == 3:
                alpha = transparency[s[0]] if s[0] < len(transparency) else 255
                row.append(palette[s[0]] + (alpha,))
            elif colour == 4:
                row.append((s[0], s[0], s[0], s[1]))
            else:
                row.append(tuple(s))
        image.pixels[y] = row
    return image


def _unfilter(kind, line, previous, step):
    for i in range(len(line)):
        left = line[i - step] if i >= step else 0
        up = previous[i]
        upper_left = previous[i - step] if i >= step else 0
        if kind == 1:
            line[i] = (line[i] + left) & 255
        elif kind == 2:
            line[i] = (line[i] + up) & 255
        elif kind == 3:
            line[i] = (line[i] + (left + up) // 2) & 255
        elif kind == 4:
            p = left + up - upper_left
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
            pred = left if pa <= pb and pa <= pc else (up if pb <= pc else upper_left)
            line[i] = (line[i] + pred) & 255
    return line


def icon(name, size):
    """The theme's picture of that name at the nearest size it ships, scaled to size."""
    theme = THEME
    shipped = [16, 22, 24, 32]
    for source in sorted(shipped, key=lambda s: (s < size, abs(s - size))):
        folder = os.path.join(theme, "%dx%d" % (source, source))
        if not os.path.isdir(folder):
            continue
        for context in sorted(os.listdir(folder)):
            path = os.path.join(folder, context, name + ".png")
            if os.path.exists(path):
                return read_png(path).resized(size)
    raise MissingIcon("%s: no picture named %s (is tango-icon-theme installed?)" % (theme, name))


def badge(base, overlay, scale=0.5):
    """A picture with a smaller one in its bottom-right corner, as the theme marks its icons."""
    small = overlay.resized(int(base.width * scale)) if overlay.width == base.width else overlay
    out = Image(base.width, base.height, [list(r) for r in base.pixels])
    return out.over(small, base.width - small.width, base.height - small.height)


# Drawing in the theme's style: shapes filled with a light-to-dark gradient and outlined in the
# darkest shade of their colour, rendered four times larger and averaged down for smooth edges.
SUPERSAMPLE = 4


class Sketch:
    """Shapes on a 32-unit square, rendered to any size."""

    def __init__(self):
        self.shapes = []

    def polygon(self, points, shades, outline=1.5):
        self.shapes.append(("polygon", points, shades, outline))
        return self

    def ellipse(self, cx, cy, rx, ry, shades, outline=1.5):
        steps = 48
        points = [(cx + rx * math.cos(2 * math.pi * k / steps), cy + ry * math.sin(2 * math.pi * k / steps))
                  for k in range(steps)]
        return self.polygon(points, shades, outline)

    def line(self, points, width, colour):
        """A thick polyline with round joins."""
        self.shapes.append(("line", points, colour, width))
        return self

    def render(self, size):
        big = size * SUPERSAMPLE
        unit = big / 32.0
        canvas = Image(big, big)
        for kind, points, paint, width in self.shapes:
            scaled = [(x * unit, y * unit) for x, y in points]
            if kind == "polygon":
                _fill_shape(canvas, scaled, paint, width * unit)
            else:
                _stroke(canvas, scaled, width * unit, paint)
        return canvas.resized(size)


def _inside(points, x, y):
    inside = False
    for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
        if (ya <= y < yb) or (yb <= y < ya):
            if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                inside = not inside
    return inside


def _distance_to_edges(points, x, y):
    best = float("inf")
    for a, b in zip(points, points[1:] + points[:1]):
        best = min(best, _segment_distance(a, b, x, y))
    return best


def _segment_distance(a, b, x, y):
    (xa, ya), (xb, yb) = a, b
    dx, dy = xb - xa, yb - ya
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length))
    return math.hypot(x - (xa + t * dx), y - (ya + t * dy))


def _fill_shape(canvas, points, shades, outline):
    """Fills with a vertical gradient from the lightest to the middle shade, outlined in the
    darkest; a thin light inner line gives the theme's bevel."""
    light, middle, dark = shades[0], shades[1], shades[-1]
    ys = [p[1] for p in points]
    xs = [p[0] for p in points]
    top, bottom = min(ys), max(ys)
    for y in range(max(int(top) - 1, 0), min(int(bottom) + 2, canvas.height)):
        for x in range(max(int(min(xs)) - 1, 0), min(int(max(xs)) + 2, canvas.width)):
            px, py = x + 0.5, y + 0.5
            if not _inside(points, px, py):
                continue
            edge = _distance_to_edges(points, px, py)
            if edge < outline:
                colour = dark
            elif edge < outline * 1.8:
                colour = tuple(min(255, c + 40) for c in light)
            else:
                t = (py - top) / max(bottom - top, 1)
                colour = tuple(int(round(l + (m - l) * t)) for l, m in zip(light, middle))
            canvas.pixels[y][x] = colour + (255,)


def _stroke(canvas, points, width, colour):
    half = width / 2.0
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    for y in range(max(int(min(ys) - half) - 1, 0), min(int(max(ys) + half) + 2, canvas.height)):
        for x in range(max(int(min(xs) - half) - 1, 0), min(int(max(xs) + half) + 2, canvas.width)):
            px, py = x + 0.5, y + 0.5
            if any(_segment_distance(a, b, px, py) <= half for a, b in zip(points, points[1:])):
                canvas.pixels[y][x] = colour + (255,)


def tick(size):
    """A green check mark."""
    return (Sketch()
            .line([(6, 17), (13, 24), (26, 8)], 7.5, CHAMELEON[2])
            .line([(6, 17), (13, 24), (26, 8)], 4.5, CHAMELEON[1])
            .render(size))


def cross(size):
    """A red cross."""
    sketch = Sketch()
    for colour, width in ((SCARLET[2], 7.5), (SCARLET[0], 4.5)):
        sketch.line([(8, 8), (24, 24)], width, colour)
        sketch.line([(24, 8), (8, 24)], width, colour)
    return sketch.render(size)


def grey_disc(size):
    """A grey disc: something switched off."""
    return Sketch().ellipse(16, 16, 11, 11, (ALUMINIUM[1], ALUMINIUM[2], ALUMINIUM[3])).render(size)


def window(x0, y0, x1, y1, sketch):
    """A window as the theme draws one: a white pane under a blue title bar, grey outline."""
    sketch.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], (WHITE, ALUMINIUM[0], ALUMINIUM[3]), 1.0)
    sketch.polygon([(x0, y0), (x1, y0), (x1, y0 + 5), (x0, y0 + 5)], (SKY_BLUE[0], SKY_BLUE[1], SKY_BLUE[2]), 1.0)
    return sketch


def cascade(size):
    """Three windows overlapping down to the right."""
    sketch = Sketch()
    for k in range(3):
        window(2 + 5 * k, 3 + 5 * k, 20 + 5 * k, 19 + 5 * k, sketch)
    return sketch.render(size)


def tile(size):
    """Four windows side by side."""
    sketch = Sketch()
    for x, y in ((2, 3), (17, 3), (2, 17), (17, 17)):
        window(x, y, x + 13, y + 12, sketch)
    return sketch.render(size)


def bell(size):
    """A golden alarm bell: the product's own picture."""
    sketch = Sketch()
    sketch.ellipse(16, 4.2, 2.4, 2.4, ORANGE)
    sketch.ellipse(16, 28.3, 3, 2.6, ORANGE)
    sketch.polygon([(9.5, 12), (10.5, 7.5), (13, 5.2), (19, 5.2), (21.5, 7.5), (22.5, 12), (23.5, 20),
                    (28.5, 24.5), (28.5, 26.5), (3.5, 26.5), (3.5, 24.5), (8.5, 20)], BUTTER)
    sketch.line([(12.3, 9.5), (11.5, 14), (11, 19)], 1.3, WHITE)
    return sketch.render(size)
