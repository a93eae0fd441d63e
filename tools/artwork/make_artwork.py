#!/usr/bin/env python3
"""Draws the pictures of ZR640UI into plugin/resources/art/.

    python3 tools/artwork/make_artwork.py            # rewrite the pictures
    python3 tools/artwork/make_artwork.py --check    # exit 1 if a checked-in picture differs

The outputs are checked in, so the build needs no Python. Everything is drawn from code with
the standard library only, and the output is byte-for-byte reproducible:

- rotate_normal.bmp, rotate_180.bmp (76 x 76, 16 colours): a receipt leaving the printer, with
  an arrow for the paper direction; the second one prints its text rotated by 180 degrees.
- strip_*.bmp (184 x 61, 24-bit): the paper strip leaving the printer with two jobs of two pages
  each, the feed to the cut position as blank paper with an arrow, and a dashed line with a
  scissors mark wherever a cut falls.
- font_root.ico, font_face.ico, font_size.ico (16 x 16 and 32 x 32, 32-bit): the printer, a font
  and a font size of the Font page tree.
"""

import argparse
import os
import struct
import sys

ART_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "plugin",
                       "resources", "art")

# --------------------------------------------------------------------------------------------
# File formats


def bmp_file(width, height, bits, pixel_rows, palette=()):
    """A bottom-up BI_RGB bitmap. pixel_rows are top-down rows of packed bytes (no padding)."""
    stride = (width * bits + 31) // 32 * 4
    image = bytearray()
    for row in reversed(pixel_rows):
        image += row + bytes(stride - len(row))
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(image), 2835, 2835,
                       len(palette), len(palette))
    return header + info + colour_table + bytes(image)


def bmp24(canvas):
    rows = [bytes(c for (r, g, b) in row for c in (b, g, r)) for row in canvas.rows()]
    return bmp_file(canvas.width, canvas.height, 24, rows)


def bmp4(canvas, palette):
    index = {colour: i for i, colour in enumerate(palette)}
    rows = []
    for row in canvas.rows():
        nibbles = [index[c] for c in row] + [0]
        rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(row), 2)))
    return bmp_file(canvas.width, canvas.height, 4, rows, palette)


def ico_file(images):
    """images: list of (size, rows of (r, g, b, a)). 32-bit images with an AND mask each."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, rows in images:
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = (size + 31) // 32 * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                                   offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


# --------------------------------------------------------------------------------------------
# A small raster canvas with crisp (not smoothed) drawing


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.px = [[background] * width for _ in range(height)]

    def rows(self):
        return self.px

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def sprite(self, x0, y0, art, colours):
        """Draws text art: each character of a row picks a colour; '.' is transparent."""
        for dy, row in enumerate(art):
            for dx, ch in enumerate(row):
                if ch != ".":
                    self.set(x0 + dx, y0 + dy, colours[ch])

    def rotated_180(self, x0, y0, x1, y1):
        """Turns the region by 180 degrees in place."""
        region = [row[x0:x1 + 1] for row in self.px[y0:y1 + 1]]
        for dy, row in enumerate(reversed(region)):
            self.px[y0 + dy][x0:x1 + 1] = list(reversed(row))


# 5 x 7 capitals and digits for the receipts; 3 x 5 digits for the page numbers of the strips.
FONT_5X7 = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
}
DIGITS_3X5 = {
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
}


def text(canvas, x, y, string, font, colour, spacing=1):
    for ch in string:
        glyph = font[ch]
        canvas.sprite(x, y, glyph, {"#": colour})
        x += len(glyph[0]) + spacing


# --------------------------------------------------------------------------------------------
# Rotation previews (Main page): 76 x 76, 16 colours

ROTATE_PALETTE = [
    (0, 0, 0), (255, 255, 255), (240, 240, 240), (160, 160, 160), (64, 64, 64),
    (120, 120, 120), (0, 90, 200), (150, 190, 240), (90, 95, 105), (150, 155, 165),
    (40, 44, 52), (60, 170, 80), (200, 40, 40), (210, 210, 210), (30, 30, 30), (255, 220, 120),
]
BLACK, WHITE, BACK, EDGE, INK, GREY, BLUE, LIGHTBLUE, BODY, BODYLIGHT, SLOT, LED, RED, RULE, \
    DARK, _ = ROTATE_PALETTE


def rotation_preview(rotated):
    c = Canvas(76, 76, BACK)
    paper = (18, 3, 50, 58)  # the receipt leaving the printer, its free end at the top
    px0, py0, px1, py1 = paper
    c.rect(px0 + 2, py0 + 2, px1 + 2, py1, EDGE)  # shadow
    c.rect(px0, py0, px1, py1, WHITE)
    c.frame(px0, py0, px1, py1, EDGE)
    # Printed content: a heading, item lines with prices, a rule and a total.
    text(c, 24, 7, "ABC", FONT_5X7, DARK)
    for i, (left, right) in enumerate([(14, 5), (10, 7), (16, 5), (8, 7)]):
        y = 19 + 5 * i
        c.rect(22, y, 22 + left, y + 1, INK)
        c.rect(46 - right, y, 46, y + 1, INK)
    for x in range(22, 47, 2):
        c.set(x, 40, GREY)
    c.rect(22, 44, 33, 46, DARK)
    c.rect(38, 44, 46, 46, DARK)
    c.rect(26, 50, 42, 51, GREY)  # a footer line
    if rotated:
        c.rotated_180(px0 + 1, py0 + 1, px1 - 1, py1 - 1)
    # The printer the paper comes out of.
    c.rect(8, 56, 66, 72, BODY)
    c.rect(8, 56, 66, 59, BODYLIGHT)
    c.rect(14, 58, 54, 59, SLOT)
    c.frame(8, 56, 66, 72, SLOT)
    c.rect(58, 66, 60, 68, LED)
    # The paper direction: an arrow beside the receipt pointing out of the printer.
    c.rect(60, 14, 62, 46, BLUE)
    for i in range(7):
        c.rect(61 - i, 8 + i, 61 + i, 8 + i, BLUE)
    c.rect(63, 14, 63, 46, LIGHTBLUE)
    return bmp4(c, ROTATE_PALETTE)


# --------------------------------------------------------------------------------------------
# Paper strips (event-operation dialog): 184 x 61, 24-bit

S_BACK = (240, 240, 240)
S_PAPER = (255, 255, 255)
S_EDGE = (150, 150, 150)
S_JOB_INK = [(40, 70, 160), (30, 120, 60)]
S_LOST_INK = (215, 50, 50)
S_CUT = (200, 0, 0)
S_SCISSORS = (40, 40, 40)
S_FEED = (90, 150, 230)
S_BODY, S_BODY_LIGHT, S_SLOT, S_LED = (90, 95, 105), (150, 155, 165), (40, 44, 52), (60, 170, 80)

STRIP_TOP, STRIP_BOTTOM = 16, 44     # rows of the paper
PRINTER_X = 166                      # where the paper enters the printer
PAGE_WIDTH = 28                      # one printed page along the strip
FEED_WIDTH = 9                       # paper fed to the cut position
CUTTER_OFFSET = 7                    # a cut without feeding falls this far into the content

SCISSORS = [
    ".##...##.",
    "#..#.#..#",
    "#..#.#..#",
    ".##...##.",
    "...#.#...",
    "...#.#...",
    "....#....",
    "...#.#...",
    "..#...#..",
    "..#...#..",
]

# Word lengths of the text lines of a page, across the paper (the strip's height).
PAGE_LINES = [(10, 6), (14, 4), (6, 9), (12, 5), (8, 8), (15,), (9, 6)]


def draw_page(c, x0, ink):
    """A printed page starting at x0: a heading and text lines across the paper."""
    c.rect(x0 + 3, STRIP_TOP + 5, x0 + 4, STRIP_BOTTOM - 8, ink)  # the heading
    for i, words in enumerate(PAGE_LINES):
        x = x0 + 7 + 3 * i
        y = STRIP_TOP + 3
        for length in words:
            c.rect(x, y, x, min(y + length - 1, STRIP_BOTTOM - 3), ink)
            y += length + 2
    return x0 + PAGE_WIDTH


def draw_cut(c, x):
    for y in range(STRIP_TOP - 5, STRIP_BOTTOM + 6):
        if (y - STRIP_TOP + 5) % 5 < 3:
            c.set(x, y, S_CUT)
    c.sprite(x - 4, 0, SCISSORS, {"#": S_SCISSORS})


def draw_feed_arrow(c, x0):
    """The paper fed on to the cut position moves away from the printer (to the left)."""
    y = (STRIP_TOP + STRIP_BOTTOM) // 2
    c.rect(x0 + 2, y, x0 + FEED_WIDTH - 2, y, S_FEED)
    for i in range(1, 3):
        c.rect(x0 + 1 + i, y - i, x0 + 1 + i, y + i, S_FEED)


def lay_out_strip(c, x, event, feed, cut):
    """Draws the pages and event operations from x on; returns the cuts, the stretches of
    content that a cut without feeding separates from their page, the pages and the end."""
    cuts, lost, pages = [], [], []
    previous_end = None          # where the content before the current position ends

    def operation():
        nonlocal x
        if feed:
            draw_feed_arrow(c, x)
            x += FEED_WIDTH
            if cut:
                cuts.append(x - 1)
        elif cut:
            if previous_end is None:
                cuts.append(x - 2)
            else:
                cuts.append(previous_end - CUTTER_OFFSET)
                lost.append((previous_end - CUTTER_OFFSET, previous_end))
        x += 1 if (feed or cut) else 0

    for job in range(2):
        for page in range(2):
            if event == "startpage" or (event == "startdoc" and page == 0):
                operation()
            pages.append((x, job, page))
            x = draw_page(c, x, S_JOB_INK[job])
            previous_end = x
            if event == "endpage" or (event == "enddoc" and page == 1):
                operation()
    return cuts, lost, pages, x


def paper_strip(event, feed, cut):
    """event: 'startdoc', 'startpage', 'endpage', 'enddoc' or None (nothing happens)."""
    c = Canvas(184, 61, S_BACK)
    c.rect(2, STRIP_TOP, PRINTER_X, STRIP_BOTTOM, S_PAPER)
    c.rect(2, STRIP_TOP - 1, PRINTER_X, STRIP_TOP - 1, S_EDGE)
    c.rect(2, STRIP_BOTTOM + 1, PRINTER_X, STRIP_BOTTOM + 1, S_EDGE)
    c.rect(2, STRIP_TOP, 2, STRIP_BOTTOM, S_EDGE)

    # The last thing printed or fed lies at the printer: lay out once to learn the length.
    length = lay_out_strip(Canvas(184, 61, S_BACK), 0, event, feed, cut)[3]
    start = PRINTER_X - 2 - length
    assert start >= 6, "the strip does not fit"
    cuts, lost, pages, _ = lay_out_strip(c, start, event, feed, cut)

    # Lines that a cut without feeding separates from their page are shown in red.
    for x0, x1 in lost:
        for xx in range(x0 + 1, x1):
            for yy in range(STRIP_TOP, STRIP_BOTTOM + 1):
                if c.get(xx, yy) in S_JOB_INK:
                    c.set(xx, yy, S_LOST_INK)
    for xc in cuts:
        draw_cut(c, xc)

    # Page numbers and a bracket under the two pages of each job.
    for job in range(2):
        job_pages = [p for p in pages if p[1] == job]
        ink = S_JOB_INK[job]
        for x0, _, page in job_pages:
            text(c, x0 + PAGE_WIDTH // 2 - 1, STRIP_BOTTOM + 4, str(page + 1), DIGITS_3X5, ink)
        left, right = job_pages[0][0] + 1, job_pages[-1][0] + PAGE_WIDTH - 2
        c.rect(left, 57, right, 57, ink)
        c.rect(left, 55, left, 57, ink)
        c.rect(right, 55, right, 57, ink)

    # The printer the strip leaves.
    c.rect(PRINTER_X, 8, 183, 52, S_BODY)
    c.rect(PRINTER_X, 8, 183, 11, S_BODY_LIGHT)
    c.rect(PRINTER_X, STRIP_TOP - 1, PRINTER_X + 2, STRIP_BOTTOM + 1, S_SLOT)
    c.rect(177, 46, 179, 48, S_LED)
    return bmp24(c)


# --------------------------------------------------------------------------------------------
# Icons: shapes in a 32 x 32 space, rendered with 4 x 4 samples per pixel


def inside(shape, x, y):
    kind = shape[0]
    if kind == "rect":
        _, x0, y0, x1, y1 = shape[:5]
        return x0 <= x < x1 and y0 <= y < y1
    if kind == "ellipse":
        _, cx, cy, rx, ry = shape[:5]
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
    if kind == "poly":  # even-odd rule, so a ring of points cuts a hole
        result = False
        for points in shape[1]:
            n = len(points)
            for i in range(n):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
                if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    result = not result
        return result
    raise ValueError(kind)


def stroke(x0, y0, x1, y1, width):
    """A line of the given width as a polygon."""
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def render_icon(shapes, size, samples=4):
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied colour and alpha
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    r = g = b = a = 0.0
                    for shape in shapes:
                        if inside(shape, x, y):
                            sr, sg, sb = shape[-1]
                            r, g, b, a = sr, sg, sb, 1.0
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(v / acc[3])) for v in acc[:3]) +
                           (int(round(alpha * 255)),))
        rows.append(row)
    return rows


PRINTER_ICON = [
    # The receipt coming out of the top, with a few printed lines.
    ("rect", 8, 1, 24, 15, (120, 120, 120)),
    ("rect", 9, 2, 23, 15, (255, 255, 255)),
    ("rect", 11, 4, 21, 6, (70, 90, 150)),
    ("rect", 11, 8, 19, 9.5, (140, 140, 140)),
    ("rect", 11, 11, 21, 12.5, (140, 140, 140)),
    # The body with its top face, paper slot and status light.
    ("rect", 2, 13, 30, 29, (55, 60, 70)),
    ("rect", 3, 14, 29, 28, (95, 100, 112)),
    ("rect", 3, 14, 29, 19, (150, 155, 168)),
    ("rect", 6, 15.5, 26, 17.5, (40, 44, 52)),
    ("rect", 9, 14, 23, 16.5, (255, 255, 255)),
    ("ellipse", 25, 24, 2, 2, (70, 200, 90)),
]

A_GLYPH = [[(3, 30), (13, 2), (19, 2), (29, 30), (23, 30), (20.5, 23), (11.5, 23), (9, 30)],
           [(13, 18), (19, 18), (16, 9)]]
FONT_ICON = [
    ("poly", [[(x + 1, y + 1) for x, y in ring] for ring in A_GLYPH], (150, 170, 210)),
    ("poly", A_GLYPH, (25, 70, 170)),
]

SMALL_A = [[(6, 27), (11, 12), (15, 12), (20, 27), (16.5, 27), (15.2, 23), (10.8, 23), (9.5, 27)],
           [(11.8, 20), (14.2, 20), (13, 16)]]
SIZE_ICON = [
    # A sheet with a folded corner, a small letter and a double arrow for its size.
    ("poly", [[(3, 1), (21, 1), (29, 9), (29, 31), (3, 31)]], (120, 120, 120)),
    ("poly", [[(4, 2), (20.5, 2), (28, 9.5), (28, 30), (4, 30)]], (255, 255, 255)),
    ("poly", [[(20, 1), (20, 10), (29, 10)]], (190, 190, 190)),
    ("poly", SMALL_A, (25, 70, 170)),
    ("poly", [stroke(24, 14, 24, 27, 3)], (200, 50, 40)),
    ("poly", [[(20, 16), (24, 10.5), (28, 16)]], (200, 50, 40)),
    ("poly", [[(20, 25), (24, 30.5), (28, 25)]], (200, 50, 40)),
]


def icon(shapes):
    return ico_file([(16, render_icon(shapes, 16)), (32, render_icon(shapes, 32))])


# --------------------------------------------------------------------------------------------

def artwork():
    files = {
        "rotate_normal.bmp": rotation_preview(rotated=False),
        "rotate_180.bmp": rotation_preview(rotated=True),
        "strip_start_plain.bmp": paper_strip(None, feed=False, cut=False),
        "strip_end_plain.bmp": paper_strip(None, feed=False, cut=False),
        "font_root.ico": icon(PRINTER_ICON),
        "font_face.ico": icon(FONT_ICON),
        "font_size.ico": icon(SIZE_ICON),
    }
    for event in ("startdoc", "startpage", "endpage", "enddoc"):
        files["strip_%s_feed_cut.bmp" % event] = paper_strip(event, feed=True, cut=True)
        files["strip_%s_feed.bmp" % event] = paper_strip(event, feed=True, cut=False)
        files["strip_%s_cut.bmp" % event] = paper_strip(event, feed=False, cut=True)
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in the art folder instead of writing them")
    parser.add_argument("--out", default=ART_DIR, help="art folder (default: %(default)s)")
    args = parser.parse_args()

    stale = []
    os.makedirs(args.out, exist_ok=True)
    for name, data in sorted(artwork().items()):
        path = os.path.join(args.out, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
