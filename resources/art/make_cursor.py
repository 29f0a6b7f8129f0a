#!/usr/bin/env python3
"""Build the link label's hand cursor from its text picture.

resources/art/cursors/hand.txt is a 32x32 picture in the format of make_icons.py,
drawn in black 'K', white 'W' and transparent '.' only, since the cursor is
monochrome.  One comment line names the hotspot, the pixel that points:
"; hotspot <column> <row>", counted from 0 at the top left.

The script writes resources/hand.cur: a single-image 32x32 cursor, 1 bit per
pixel (BITMAPINFOHEADER DIB, a 1bpp colour bitmap plus a 1bpp AND mask).
The same text always gives the same bytes.

Usage:  python3 resources/art/make_cursor.py
"""

import os
import re
import struct
import sys

sys.dont_write_bytecode = True  # keep the art folder clean
from make_icons import SIZE, TRANSPARENT, ArtError, read_art

# character -> bit in the colour bitmap (0 black, 1 white)
COLOURS = {"K": 0, "W": 1}
HOTSPOT = re.compile(r"^;\s*hotspot\s+(\d+)\s+(\d+)\s*$")


def read_hotspot(path):
    """Return the (column, row) that the picture's hotspot comment names."""
    with open(path, "r", encoding="ascii") as f:
        for line in f:
            found = HOTSPOT.match(line.rstrip("\r\n"))
            if found:
                column, row = int(found.group(1)), int(found.group(2))
                if column >= SIZE or row >= SIZE:
                    raise ArtError("%s: hotspot %d %d lies outside the picture"
                                   % (os.path.basename(path), column, row))
                return column, row
    raise ArtError("%s: no '; hotspot <column> <row>' line"
                   % os.path.basename(path))


def build_cur(rows, hotspot):
    """Encode a 32x32 monochrome picture as the bytes of a one-image .cur."""
    # Bottom row first, leftmost pixel in the highest bit. A transparent pixel
    # is black in the colour bitmap and set in the AND mask.
    xor_rows = []
    and_rows = []
    for lineno, line in enumerate(reversed(rows)):
        colour = 0
        mask = 0
        for col, ch in enumerate(line):
            if ch != TRANSPARENT and ch not in COLOURS:
                raise ArtError("row %d, column %d: %r is not K, W or '%s'"
                               % (SIZE - lineno, col + 1, ch, TRANSPARENT))
            colour = (colour << 1) | COLOURS.get(ch, 0)
            mask = (mask << 1) | (1 if ch == TRANSPARENT else 0)
        xor_rows.append(struct.pack(">I", colour))  # 32 bits: already 4-aligned
        and_rows.append(struct.pack(">I", mask))
    bits = b"".join(xor_rows) + b"".join(and_rows)

    header = struct.pack("<IiiHHIIiiII",
                         40,            # biSize
                         SIZE,          # biWidth
                         SIZE * 2,      # biHeight: colour bitmap + AND mask
                         1,             # biPlanes
                         1,             # biBitCount
                         0,             # biCompression = BI_RGB
                         len(bits),     # biSizeImage
                         0, 0,          # pixels per metre
                         2,             # biClrUsed
                         0)             # biClrImportant
    colour_table = struct.pack("<BBBB", 0, 0, 0, 0) + \
        struct.pack("<BBBB", 0xFF, 0xFF, 0xFF, 0)
    image = header + colour_table + bits

    icondir = struct.pack("<HHH", 0, 2, 1)          # reserved, type=cursor, count
    entry = struct.pack("<BBBBHHII",
                        SIZE, SIZE,     # width, height
                        2,              # colours
                        0,              # reserved
                        hotspot[0],     # hotspot column
                        hotspot[1],     # hotspot row
                        len(image),     # size of the image data
                        6 + 16)         # offset of the image data
    return icondir + entry + image


def main():
    art_dir = os.path.dirname(os.path.abspath(__file__))
    source = os.path.join(art_dir, "cursors", "hand.txt")
    target = os.path.join(os.path.dirname(art_dir), "hand.cur")
    try:
        data = build_cur(read_art(source), read_hotspot(source))
    except ArtError as e:
        print("make_cursor: error: %s" % e, file=sys.stderr)
        return 1
    with open(target, "wb") as f:
        f.write(data)
    print("make_cursor: hand.txt -> %s" % os.path.relpath(target))
    return 0


if __name__ == "__main__":
    sys.exit(main())
