#!/usr/bin/env python3
"""Build the media bar's button bitmaps from their text pictures.

Every resources/art/bar/<STATE>_<KIND>.txt holds one picture, one character per
pixel, top line first, with the colours of make_icons.py's LEGEND.  Lines
starting with ';' are comments.  STATE is EN (enabled), DI (disabled) or CL
(coloured); the pictures are 12 to 21 pixels wide and 16 high, the record
pictures 13.  The bar draws them with olive as the transparent colour, so '.'
pixels are written in olive, which the pictures may not use otherwise.

For every picture this script writes resources/bar/<STATE>_<KIND>.bmp, a
16-colour (4 bits per pixel) bitmap.  The same text always gives the same bytes.

Usage:  python3 resources/art/make_bar.py
"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # keep the art folder clean
from make_icons import LEGEND, TRANSPARENT, ArtError, palette

BACKGROUND = "y"  # olive stands for the transparent pixels
STATES = ("EN", "DI", "CL")
MIN_WIDTH = 12
MAX_WIDTH = 21


def expected_height(name):
    return 13 if name.endswith("_MPRECORD") else 16


def read_picture(path):
    """Return the picture in `path` as a list of equally long strings."""
    name = os.path.basename(path)[:-len(".txt")]
    if name.split("_")[0] not in STATES:
        raise ArtError("%s: the name must start with one of %s" % (name, ", ".join(STATES)))
    with open(path, "r", encoding="ascii", newline="") as f:
        lines = f.read().replace("\r\n", "\n").split("\n")
    rows = []
    for lineno, line in enumerate(lines, start=1):
        if line.startswith(";") or not line:
            continue
        if rows and len(line) != len(rows[0]):
            raise ArtError("%s, line %d: %d characters, the first line has %d"
                           % (name, lineno, len(line), len(rows[0])))
        for col, ch in enumerate(line, start=1):
            if ch == BACKGROUND or (ch != TRANSPARENT and ch not in LEGEND):
                raise ArtError("%s, line %d, column %d: colour character %r "
                               "not allowed in a bar picture" % (name, lineno, col, ch))
        rows.append(line)
    if len(rows) != expected_height(name):
        raise ArtError("%s: %d rows, it must have exactly %d"
                       % (name, len(rows), expected_height(name)))
    if not MIN_WIDTH <= len(rows[0]) <= MAX_WIDTH:
        raise ArtError("%s: %d wide, it must be %d to %d"
                       % (name, len(rows[0]), MIN_WIDTH, MAX_WIDTH))
    return rows


def build_bmp(rows):
    """Encode a picture as the bytes of a 4-bit .bmp file."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 4 + 31) // 32 * 4  # rows are padded to whole 32-bit words
    pixels = b""
    for line in reversed(rows):  # bottom row first
        nibbles = [LEGEND[BACKGROUND if ch == TRANSPARENT else ch][0] for ch in line]
        if len(nibbles) % 2:
            nibbles.append(0)
        row = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        pixels += row + b"\0" * (stride - len(row))
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette())
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colour_table + pixels


def main():
    art_dir = os.path.dirname(os.path.abspath(__file__))
    source_dir = os.path.join(art_dir, "bar")
    out_dir = os.path.join(os.path.dirname(art_dir), "bar")
    os.makedirs(out_dir, exist_ok=True)
    failed = False
    for source in sorted(f for f in os.listdir(source_dir) if f.endswith(".txt")):
        try:
            data = build_bmp(read_picture(os.path.join(source_dir, source)))
        except ArtError as e:
            print("make_bar: error: %s" % e, file=sys.stderr)
            failed = True
            continue
        target = os.path.join(out_dir, source[:-len(".txt")] + ".bmp")
        with open(target, "wb") as f:
            f.write(data)
        print("make_bar: %s -> %s" % (source, os.path.relpath(target)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
