#!/usr/bin/env python3
"""Writes a small driver log folder for demonstrations and manual tests of the viewer.

    python3 tools/samplelog/make_sample_log.py OUT_DIR

OUT_DIR gets two day folders of print files as the driver writes them: receipts whose text
lines are raster lines (16 n data, each followed by the one-row feed 15 01, the receipt's last
line by 15 01 1D 44 00) under a logo and a barcode drawn as 24-dot bit-image bands
(1B 24 position, 1B 2A 21 columns, then the line spacing 1B 33 18 0A). A day folder with
other files only is added too; the viewer leaves it out of its tree. The output is the same
on every run.
"""

import os
import sys

WIDTH = 640            # dots of a printer line
ROW_BYTES = WIDTH // 8
SCALE = 2              # each font dot is drawn as SCALE x SCALE printer dots

# A 5 x 7 font: seven rows of five columns per character, "#" for a dot.
FONT = {
    " ": ".....|.....|.....|.....|.....|.....|.....",
    "A": ".###.|#...#|#...#|#####|#...#|#...#|#...#",
    "B": "####.|#...#|#...#|####.|#...#|#...#|####.",
    "C": ".###.|#...#|#....|#....|#....|#...#|.###.",
    "D": "####.|#...#|#...#|#...#|#...#|#...#|####.",
    "E": "#####|#....|#....|####.|#....|#....|#####",
    "F": "#####|#....|#....|####.|#....|#....|#....",
    "G": ".###.|#...#|#....|#.###|#...#|#...#|.####",
    "H": "#...#|#...#|#...#|#####|#...#|#...#|#...#",
    "I": ".###.|..#..|..#..|..#..|..#..|..#..|.###.",
    "J": "..###|...#.|...#.|...#.|...#.|#..#.|.##..",
    "K": "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",
    "L": "#....|#....|#....|#....|#....|#....|#####",
    "M": "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#",
    "N": "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#",
    "O": ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    "P": "####.|#...#|#...#|####.|#....|#....|#....",
    "Q": ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",
    "R": "####.|#...#|#...#|####.|#.#..|#..#.|#...#",
    "S": ".####|#....|#....|.###.|....#|....#|####.",
    "T": "#####|..#..|..#..|..#..|..#..|..#..|..#..",
    "U": "#...#|#...#|#...#|#...#|#...#|#...#|.###.",
    "V": "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",
    "W": "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.",
    "X": "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",
    "Y": "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..",
    "Z": "#####|....#|...#.|..#..|.#...|#....|#####",
    "0": ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.",
    "1": "..#..|.##..|..#..|..#..|..#..|..#..|.###.",
    "2": ".###.|#...#|....#|...#.|..#..|.#...|#####",
    "3": "#####|...#.|..#..|...#.|....#|#...#|.###.",
    "4": "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",
    "5": "#####|#....|####.|....#|....#|#...#|.###.",
    "6": "..##.|.#...|#....|####.|#...#|#...#|.###.",
    "7": "#####|....#|...#.|..#..|.#...|.#...|.#...",
    "8": ".###.|#...#|#...#|.###.|#...#|#...#|.###.",
    "9": ".###.|#...#|#...#|.####|....#|...#.|.##..",
    ".": ".....|.....|.....|.....|.....|.##..|.##..",
    ",": ".....|.....|.....|.....|.##..|..#..|.#...",
    ":": ".....|.##..|.##..|.....|.##..|.##..|.....",
    "-": ".....|.....|.....|#####|.....|.....|.....",
    "/": ".....|....#|...#.|..#..|.#...|#....|.....",
    "#": ".#.#.|.#.#.|#####|.#.#.|#####|.#.#.|.#.#.",
    "*": ".....|.#.#.|..#..|#####|..#..|.#.#.|.....",
    "=": ".....|.....|#####|.....|#####|.....|.....",
}


def text_rows(text, scale=SCALE):
    """The dot rows of one line of text, left-aligned, each row a list of WIDTH booleans."""
    rows = []
    for y in range(7):
        row = [False] * WIDTH
        for i, ch in enumerate(text):
            glyph = FONT[ch].split("|")[y]
            for x, dot in enumerate(glyph):
                if dot != "#":
                    continue
                for dx in range(scale):
                    px = (i * 6 + x) * scale + dx + 8
                    if px < WIDTH:
                        row[px] = True
        rows.extend([row] * scale)
    return rows


def pack(row):
    out = bytearray(ROW_BYTES)
    for x, dot in enumerate(row):
        if dot:
            out[x // 8] |= 0x80 >> (x % 8)
    return bytes(out)


def raster_block(lines, ends_receipt):
    """Text lines as raster lines with blank rows between them. The block's last line is blank;
    when it ends the receipt, the end of the receipt follows it."""
    rows = []
    for line in lines:
        rows.extend(text_rows(line))
        rows.extend([[False] * WIDTH] * 6)
    out = bytearray()
    for row in rows:
        out += bytes([0x16, ROW_BYTES]) + pack(row) + bytes([0x15, 0x01])
    out += bytes([0x16, ROW_BYTES]) + bytes(ROW_BYTES)
    return out + bytes([0x15, 0x01, 0x1D, 0x44, 0x00] if ends_receipt else [0x15, 0x01])


def band(columns, position):
    """One 24-dot bit-image band at a horizontal position; columns are 24-bit column patterns."""
    out = bytearray([0x1B, 0x24, position & 0xFF, position >> 8,
                     0x1B, 0x2A, 0x21, len(columns) & 0xFF, len(columns) >> 8])
    for column in columns:
        out += bytes([(column >> 16) & 0xFF, (column >> 8) & 0xFF, column & 0xFF])
    return out + bytes([0x1B, 0x33, 24, 0x0A])


def logo_bands(name):
    """The shop's name in letters four dots per font dot, as bit-image bands, centred."""
    scale = 4
    rows = [row[8:] for row in text_rows(name, scale)]
    width = len(name) * 6 * scale
    rows += [[False] * WIDTH] * 4
    rows = [[False] * WIDTH] * 2 + rows
    position = (WIDTH - width) // 2
    out = bytearray()
    for top in range(0, len(rows), 24):
        block = rows[top:top + 24] + [[False] * WIDTH] * max(0, top + 24 - len(rows))
        columns = []
        for x in range(width):
            value = 0
            for y in range(24):
                if block[y][x]:
                    value |= 1 << (23 - y)
            columns.append(value)
        out += band(columns, position)
    return out


def barcode_bands(digits):
    """A plain bar pattern from the digits, two bands high."""
    columns = [0] * 8
    for d in digits:
        for bit in range(4):
            wide = (int(d) >> bit) & 1
            columns += [0xFFFFFF] * (4 if wide else 2) + [0] * 2
    columns += [0] * 8
    position = (WIDTH - len(columns)) // 2
    return band(columns, position) + band(columns, position)


def receipt(number, items, when):
    lines = ["", "DATE " + when, "RECEIPT #%04d" % number, "-" * 34]
    total = 0
    for name, cents in items:
        total += cents
        price = "%d.%02d" % (cents // 100, cents % 100)
        lines.append(name + " " * (34 - len(name) - len(price)) + price)
    price = "%d.%02d" % (total // 100, total % 100)
    lines += ["-" * 34, "TOTAL" + " " * (29 - len(price)) + price, "", "THANK YOU, COME AGAIN"]
    out = bytearray(logo_bands("ZR640 CAFE"))
    out += raster_block(["12 HARBOUR STREET", "TEL 555-0140", ""], False)
    out += barcode_bands("%08d" % (number * 7919))
    out += raster_block(lines, True)
    # Paper fed to the cutter, then the cut.
    return out + bytes([0x1B, 0x33, 48, 0x0A, 0x1D, 0x56, 0x01])


MENU = [("ESPRESSO", 250), ("CAPPUCCINO", 390), ("CROISSANT", 275), ("ORANGE JUICE", 420),
        ("BAGEL WITH CREAM CHEESE", 480), ("TEA", 220), ("MUFFIN", 310), ("WATER", 150)]


def job(first, count, when):
    out = bytearray([0x1B, 0x40])
    for n in range(first, first + count):
        items = [MENU[(n * 3 + k) % len(MENU)] for k in range(2 + n % 4)]
        out += receipt(n, items, when)
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = sys.argv[1]
    days = {
        "20240611": [("JOB0001.prn", job(1, 1, "2024-06-11 08:12")),
                     ("JOB0002.prn", job(2, 3, "2024-06-11 09:40"))],
        "20240612": [("JOB0003.prn", job(5, 2, "2024-06-12 12:05"))],
    }
    for day, files in days.items():
        os.makedirs(os.path.join(root, day), exist_ok=True)
        for name, data in files:
            with open(os.path.join(root, day, name), "wb") as f:
                f.write(data)
    os.makedirs(os.path.join(root, "20240613"), exist_ok=True)
    with open(os.path.join(root, "20240613", "notes.txt"), "w") as f:
        f.write("no print jobs on this day\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
