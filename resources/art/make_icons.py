#!/usr/bin/env python3
"""Build the Wumpex! icons from their text pictures.

Every resources/art/<name>.txt holds one 32x32 picture, written as 32 lines
of 32 characters, one character per pixel (top line = top row of the icon).
Each character picks a colour from the standard Windows 16-colour palette,
see LEGEND below; '.' is a transparent pixel.  Lines starting with ';' are
comments and are ignored, as are blank lines after the picture.

For every picture this script writes resources/<name>.ico: a single-image
32x32, 4 bits per pixel icon (BITMAPINFOHEADER DIB, 4bpp colour bitmap plus a
1bpp AND mask).  The program's own picture is also written as
resources/wumpex.png (32x32 RGBA), the icon of the Linux desktop entry.  The
output depends only on the text, so running the script twice gives
byte-identical files.

Usage:  python3 resources/art/make_icons.py
"""

import os
import struct
import sys
import zlib

SIZE = 32

# character -> (palette index, (red, green, blue), name)
# The palette order is the usual Windows 16-colour one.
LEGEND = {
    "K": (0, (0x00, 0x00, 0x00), "black"),
    "r": (1, (0x80, 0x00, 0x00), "maroon"),
    "g": (2, (0x00, 0x80, 0x00), "green"),
    "y": (3, (0x80, 0x80, 0x00), "olive"),
    "b": (4, (0x00, 0x00, 0x80), "navy"),
    "p": (5, (0x80, 0x00, 0x80), "purple"),
    "t": (6, (0x00, 0x80, 0x80), "teal"),
    "s": (7, (0xC0, 0xC0, 0xC0), "silver"),
    "d": (8, (0x80, 0x80, 0x80), "gray"),
    "R": (9, (0xFF, 0x00, 0x00), "red"),
    "G": (10, (0x00, 0xFF, 0x00), "lime"),
    "Y": (11, (0xFF, 0xFF, 0x00), "yellow"),
    "B": (12, (0x00, 0x00, 0xFF), "blue"),
    "P": (13, (0xFF, 0x00, 0xFF), "fuchsia"),
    "C": (14, (0x00, 0xFF, 0xFF), "aqua"),
    "W": (15, (0xFF, 0xFF, 0xFF), "white"),
}
TRANSPARENT = "."


class ArtError(Exception):
    pass


def palette():
    """The 16 RGB triples in palette order."""
    colours = [None] * 16
    for index, rgb, _name in LEGEND.values():
        colours[index] = rgb
    return colours


def read_art(path):
    """Return the picture in `path` as 32 strings of 32 characters."""
    name = os.path.basename(path)
    try:
        with open(path, "r", encoding="ascii", newline="") as f:
            text = f.read()
    except UnicodeDecodeError as e:
        raise ArtError("%s: not plain ASCII text (%s)" % (name, e))

    rows = []
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()  # the newline that ends the last line
    for lineno, line in enumerate(lines, start=1):
        if line.startswith(";"):
            continue
        if len(rows) == SIZE:
            if line.strip():
                raise ArtError("%s, line %d: extra picture line after the "
                               "%d rows of the picture" % (name, lineno, SIZE))
            continue
        if len(line) != SIZE:
            raise ArtError("%s, line %d: picture row %d is %d characters "
                           "long, it must be exactly %d"
                           % (name, lineno, len(rows) + 1, len(line), SIZE))
        for col, ch in enumerate(line, start=1):
            if ch != TRANSPARENT and ch not in LEGEND:
                raise ArtError("%s, line %d, column %d: unknown colour "
                               "character %r (allowed: %s and '%s')"
                               % (name, lineno, col, ch,
                                  "".join(sorted(LEGEND)), TRANSPARENT))
        rows.append(line)
    if len(rows) != SIZE:
        raise ArtError("%s: the picture has %d rows, it must have exactly %d"
                       % (name, len(rows), SIZE))
    return rows


def build_ico(rows):
    """Encode a 32x32 picture as the bytes of a one-image .ico file."""
    # Colour bitmap: 4 bits per pixel, bottom row first, high nibble is the
    # left pixel.  Transparent pixels are black in the colour bitmap and set
    # in the AND mask, which is how Windows expects them.
    xor_rows = []
    and_rows = []
    for line in reversed(rows):
        nibbles = [0 if ch == TRANSPARENT else LEGEND[ch][0] for ch in line]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1]
                              for i in range(0, SIZE, 2)))
        bits = 0
        for ch in line:
            bits = (bits << 1) | (1 if ch == TRANSPARENT else 0)
        and_rows.append(struct.pack(">I", bits))  # 32 bits: already 4-aligned
    xor_bitmap = b"".join(xor_rows)   # 16 bytes a row, already 4-aligned
    and_mask = b"".join(and_rows)

    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0)
                            for (r, g, b) in palette())
    header = struct.pack("<IiiHHIIiiII",
                         40,            # biSize
                         SIZE,          # biWidth
                         SIZE * 2,      # biHeight: colour bitmap + AND mask
                         1,             # biPlanes
                         4,             # biBitCount
                         0,             # biCompression = BI_RGB
                         len(xor_bitmap) + len(and_mask),  # biSizeImage
                         0, 0,          # pixels per metre
                         16,            # biClrUsed
                         0)             # biClrImportant
    image = header + colour_table + xor_bitmap + and_mask

    icondir = struct.pack("<HHH", 0, 1, 1)          # reserved, type=icon, count
    entry = struct.pack("<BBBBHHII",
                        SIZE, SIZE,     # width, height
                        16,             # colours in the palette
                        0,              # reserved
                        1,              # planes
                        4,              # bits per pixel
                        len(image),     # size of the image data
                        6 + 16)         # offset of the image data
    return icondir + entry + image


def build_png(rows):
    """Encode a 32x32 picture as the bytes of an RGBA .png file."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b""
    for line in rows:
        raw += b"\x00"  # no filter
        for ch in line:
            raw += bytes(4) if ch == TRANSPARENT else bytes(LEGEND[ch][1]) + b"\xff"
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    art_dir = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.dirname(art_dir)
    sources = sorted(f for f in os.listdir(art_dir) if f.endswith(".txt"))
    if not sources:
        print("make_icons: no .txt pictures found in %s" % art_dir,
              file=sys.stderr)
        return 1
    failed = False
    for source in sources:
        path = os.path.join(art_dir, source)
        try:
            data = build_ico(read_art(path))
        except ArtError as e:
            print("make_icons: error: %s" % e, file=sys.stderr)
            failed = True
            continue
        target = os.path.join(out_dir, source[:-len(".txt")] + ".ico")
        with open(target, "wb") as f:
            f.write(data)
        print("make_icons: %s -> %s" % (source, os.path.relpath(target)))
        if source == "wumpex.txt":
            target = os.path.join(out_dir, "wumpex.png")
            with open(target, "wb") as f:
                f.write(build_png(read_art(path)))
            print("make_icons: %s -> %s" % (source, os.path.relpath(target)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
