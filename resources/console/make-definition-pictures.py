#!/usr/bin/env python3
"""Draws the bitmaps of the definitions window and its dialogs and writes them as BMP files.

    make-definition-pictures.py OUTPUT_DIR

Files are named after their resource ids (bitmap-337.bmp) and included by Definitions.rc. The
canvas and the BMP writer are those of make-pictures.py; magenta is the image lists' mask.
"""
import importlib.util
import os
import sys

_spec = importlib.util.spec_from_file_location(
    "make_pictures", os.path.join(os.path.dirname(os.path.abspath(__file__)), "make-pictures.py"))
pictures = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(pictures)

GREEN = (30, 160, 60)
LIGHT_GREY = (150, 150, 150)


def state_picture(colour, mark):
    """A 16-pixel disc with a tick, a cross or nothing on it."""
    c = pictures.Canvas(16, 16, pictures.MAGENTA)
    c.disc(8, 8, 6, colour)
    if mark == "tick":
        for x in range(4, 7):
            c.put(x, x + 2, pictures.WHITE)
        for x in range(7, 12):
            c.put(x, 15 - x, pictures.WHITE)
    elif mark == "cross":
        for d in range(5, 11):
            c.put(d, d, pictures.WHITE)
            c.put(d, 15 - d, pictures.WHITE)
    return c


def document(size=64):
    """A written sheet with a seal. Shown by a plain static on the page, so its ground is the
    page's white, not the mask."""
    c = pictures.Canvas(size, size, pictures.WHITE)
    c.rect(8, 4, size - 8, size - 4, pictures.NAVY)
    c.rect(10, 6, size - 10, size - 6, pictures.WHITE)
    for y in range(12, size - 12, 6):
        c.rect(14, y, size - 14, y + 1, pictures.NAVY)
    c.disc(size - 14, size - 14, 7, pictures.YELLOW)
    return c


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "bitmap-337.bmp": pictures.bmp24(state_picture(GREEN, "tick")),
        "bitmap-141.bmp": pictures.bmp24(state_picture(LIGHT_GREY, None)),
        "bitmap-272.bmp": pictures.bmp24(state_picture(GREEN, "tick")),
        "bitmap-338.bmp": pictures.bmp24(state_picture(pictures.RED, "cross")),
        "bitmap-652.bmp": pictures.bmp24(document()),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
