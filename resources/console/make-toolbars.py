#!/usr/bin/env python3
"""Writes the console's toolbar resources and their image strips.

    make-toolbars.py OUTPUT_DIR [ICON_THEME_DIR]

A toolbar resource (custom type 241, which the resource compiler cannot write from a script) is
a row of 16-bit words: version 1, image width, image height, button count, then one command id
per button, 0 for a separator. Each toolbar's bitmap is a strip of 32 x 32 images, one per
button that is not a separator, taken from the Tango icon theme and laid on the magenta that the
toolbar cuts out. The files are named after their resource ids (toolbar-128.bin,
bitmap-137.bmp) and included by Toolbars.rc.
"""
import os
import struct
import sys

import iconset

SIZE = 32

# resource id, bitmap id, buttons (0: separator)
TOOLBARS = [
    (128, 137, [32820, 32780, 32771, 32773, 0, 32793, 32805, 32792, 0, 57650, 57651, 0, 32801, 32826]),
    (129, 145, [32811, 32818, 0, 32804, 32785, 32786, 32812, 32813, 32783, 0, 32782, 32798, 32819]),
    (147, 150, [32772, 32776, 32774, 32775, 0, 32803, 32802, 0, 32790, 32792]),
]


def marked(name, mark):
    """A theme picture with a mark in its corner: a tick for checked or closed, a pencil for edited."""
    return lambda size: iconset.badge(iconset.icon(name, size), mark(size // 2 + 2))


# What each command's button shows: a theme icon's name, or a function of the size that draws
# or composes the picture where the theme has none.
PICTURES = {
    32820: "emblem-important",          # show or hide the open alarms panel
    32780: "text-x-generic",            # the log window
    32771: "x-office-address-book",     # the alarm definitions window
    32773: "dialog-warning",            # the outstanding alarms window
    32793: "preferences-system",        # alarms service configuration
    32805: "internet-group-chat",       # the messenger service that NET SEND uses
    32792: marked("x-office-address-book", iconset.tick),  # test all alarm definitions
    57650: iconset.cascade,             # cascade the windows
    57651: iconset.tile,                # tile the windows
    32801: "network-server",            # start the Quorvex collector's controller
    32826: "internet-web-browser",      # the maker's home page
    32811: "go-next",                   # browse the alarms one by one
    32818: "preferences-system-windows",  # switch the window's layout
    32804: marked("dialog-warning", iconset.tick),  # mark all alarms as closed
    32785: "edit-delete",               # delete the selected alarms
    32786: "user-trash-full",           # delete all alarms
    32812: "edit-find",                 # find text
    32813: "applications-graphics",     # highlighting colours
    32783: "document-properties",       # view the alarm's definition
    32782: "view-refresh",              # refresh the display
    32798: marked("dialog-warning", lambda size: iconset.icon("accessories-text-editor", size)),  # set status
    32819: "x-office-spreadsheet",      # fit the column widths to the data
    32772: "document-new",              # add an alarm definition
    32776: "edit-copy",                 # copy an alarm definition
    32774: "accessories-text-editor",   # modify an alarm definition
    32775: "edit-delete",               # delete an alarm definition
    32803: "document-open",             # load definitions from a file
    32802: "document-save",             # save definitions to a file
    32790: marked("document-properties", iconset.tick),  # test the selected definition
}


def picture(command, size=SIZE):
    source = PICTURES[command]
    return iconset.icon(source, size) if isinstance(source, str) else source(size)


def toolbar_words(buttons):
    return struct.pack("<%dH" % (4 + len(buttons)), 1, SIZE, SIZE, len(buttons), *buttons)


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


def main(out, theme=None):
    if theme:
        iconset.THEME = theme
    os.makedirs(out, exist_ok=True)
    for resource, bitmap_id, buttons in TOOLBARS:
        with open(os.path.join(out, "toolbar-%d.bin" % resource), "wb") as f:
            f.write(toolbar_words(buttons))
        images = [picture(b).flattened(iconset.BUTTON_FACE) for b in buttons if b]
        with open(os.path.join(out, "bitmap-%d.bmp" % bitmap_id), "wb") as f:
            f.write(bitmap(images))


if __name__ == "__main__":
    main(*sys.argv[1:3])
