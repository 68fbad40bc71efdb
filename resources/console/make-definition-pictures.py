#!/usr/bin/env python3
"""Makes the bitmaps of the definitions window and its dialogs and writes them as BMP files.

    make-definition-pictures.py OUTPUT_DIR [ICON_THEME_DIR]

Files are named after their resource ids (bitmap-337.bmp) and included by Definitions.rc. The
pictures come from the Tango icon theme or are drawn in its style (iconset.py); the BMP writer
is that of make-pictures.py. The state pictures sit in image lists on white rows, with magenta as
their mask.
"""
import importlib.util
import os
import sys

import iconset

_spec = importlib.util.spec_from_file_location(
    "make_pictures", os.path.join(os.path.dirname(os.path.abspath(__file__)), "make-pictures.py"))
pictures = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(pictures)


def main():
    out = sys.argv[1]
    if len(sys.argv) > 2:
        iconset.THEME = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    files = {
        "bitmap-337.bmp": pictures.bmp24(pictures.keyed(iconset.tick(16))),  # definition active
        "bitmap-141.bmp": pictures.bmp24(pictures.keyed(iconset.grey_disc(16))),  # definition inactive
        "bitmap-272.bmp": pictures.bmp24(pictures.keyed(iconset.tick(16))),  # test: matches
        "bitmap-338.bmp": pictures.bmp24(pictures.keyed(iconset.cross(16))),  # test: no match
        # The General page's picture, shown by a plain static on the page's white.
        "bitmap-652.bmp": pictures.bmp24(pictures.on_white(iconset.icon("document-properties", 64), 64, 64)),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
