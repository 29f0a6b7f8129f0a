#!/usr/bin/env python3
"""Build the file list's glyph bitmaps from their text pictures.

Every resources/art/glyphs/<name>.txt holds one 16x15 picture: 15 lines of 16
characters, one character per pixel, top line first, with the colours of
make_icons.py's LEGEND.  Lines starting with ';' are comments.  A bitmap has
no mask: whoever draws a glyph takes the colour of its bottom-left pixel as
transparent.  So '.' pixels are written in teal, which the pictures may not
use otherwise, and the bottom-left pixel must be '.'.

For every picture this script writes resources/<name>.bmp, a 16-colour
(4 bits per pixel) bitmap.  The same text always gives the same bytes.

Usage:  python3 resources/art/make_glyphs.py
"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # keep the art folder clean
from make_icons import LEGEND, TRANSPARENT, ArtError, palette

WIDTH = 16
HEIGHT = 15
BACKGROUND = "t"  # teal stands for the transparent pixels


def read_glyph(path):
    """Return the picture in `path` as HEIGHT strings of WIDTH characters."""
    name = os.path.basename(path)
    with open(path, "r", encoding="ascii", newline="") as f:
        lines = f.read().replace("\r\n", "\n").split("\n")
    rows = []
    for lineno, line in enumerate(lines, start=1):
        if line.startswith(";") or (len(rows) == HEIGHT and not line.strip()):
            continue
        if len(rows) == HEIGHT:
            raise ArtError("%s, line %d: extra picture line" % (name, lineno))
        if len(line) != WIDTH:
            raise ArtError("%s, line %d: %d characters, it must be exactly %d"
                           % (name, lineno, len(line), WIDTH))
        for col, ch in enumerate(line, start=1):
            if ch == BACKGROUND or (ch != TRANSPARENT and ch not in LEGEND):
                raise ArtError("%s, line %d, column %d: colour character %r "
                               "not allowed in a glyph" % (name, lineno, col, ch))
        rows.append(line)
    if len(rows) != HEIGHT:
        raise ArtError("%s: %d rows, it must have exactly %d"
                       % (name, len(rows), HEIGHT))
    if rows[-1][0] != TRANSPARENT:
        raise ArtError("%s: the bottom-left pixel must be '%s'"
                       % (name, TRANSPARENT))
    return rows


def build_bmp(rows):
    """Encode a picture as the bytes of a 4-bit .bmp file."""
    pixels = b""
    for line in reversed(rows):  # bottom row first
        nibbles = [LEGEND[BACKGROUND if ch == TRANSPARENT else ch][0]
                   for ch in line]
        pixels += bytes((nibbles[i] << 4) | nibbles[i + 1]
                        for i in range(0, WIDTH, 2))  # 8 bytes: 4-aligned
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0)
                            for (r, g, b) in palette())
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0,
                       len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colour_table + pixels


def main():
    art_dir = os.path.dirname(os.path.abspath(__file__))
    glyph_dir = os.path.join(art_dir, "glyphs")
    out_dir = os.path.dirname(art_dir)
    failed = False
    for source in sorted(f for f in os.listdir(glyph_dir) if f.endswith(".txt")):
        try:
            data = build_bmp(read_glyph(os.path.join(glyph_dir, source)))
        except ArtError as e:
            print("make_glyphs: error: %s" % e, file=sys.stderr)
            failed = True
            continue
        target = os.path.join(out_dir, source[:-len(".txt")] + ".bmp")
        with open(target, "wb") as f:
            f.write(data)
        print("make_glyphs: %s -> %s" % (source, os.path.relpath(target)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
