#!/usr/bin/env python3
"""Draws the program icon of RZKDriverlogViewer into viewer/res/viewer.ico.

    python3 tools/artwork/make_viewer_icon.py            # rewrite the icon
    python3 tools/artwork/make_viewer_icon.py --check    # exit 1 if the checked-in icon differs

A receipt with printed lines and a torn lower edge, looked at through a magnifying glass;
16 x 16, 32 x 32 and 48 x 48, 32-bit, drawn with the shape renderer of make_artwork.py.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_artwork import ico_file, render_icon, stroke  # noqa: E402

ICON_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "viewer", "res",
                         "viewer.ico")

TORN_EDGE = [(4, 30), (6.5, 28), (9, 30), (11.5, 28), (14, 30), (16.5, 28), (19, 30), (21.5, 28),
             (24, 30)]
RECEIPT = [(4, 2), (24, 2)] + list(reversed(TORN_EDGE))

VIEWER_ICON = [
    # The receipt: a grey outline, white paper, a logo band and text lines.
    ("poly", [[(x - 1 if x == 4 else x + 1 if x == 24 else x, y - 1 if y == 2 else y + 1)
               for x, y in RECEIPT]], (110, 110, 110)),
    ("poly", [RECEIPT], (255, 255, 255)),
    ("rect", 7, 5, 21, 8, (30, 30, 30)),
    ("rect", 7, 10.5, 18, 12, (90, 90, 90)),
    ("rect", 7, 14, 20, 15.5, (90, 90, 90)),
    ("rect", 7, 17.5, 15, 19, (90, 90, 90)),
    ("rect", 7, 21, 19, 22.5, (90, 90, 90)),
    # The magnifying glass over the lower right corner.
    ("poly", [stroke(24, 24, 30.5, 30.5, 4)], (120, 70, 30)),
    ("ellipse", 20, 20, 7.5, 7.5, (40, 60, 120)),
    ("ellipse", 20, 20, 5.8, 5.8, (200, 225, 250)),
    ("rect", 16.5, 18, 23.5, 19.5, (60, 60, 60)),
    ("rect", 16.5, 21.5, 22, 23, (60, 60, 60)),
]


def viewer_icon():
    return ico_file([(size, render_icon(VIEWER_ICON, size)) for size in (16, 32, 48)])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the checked-in icon instead of writing it")
    args = parser.parse_args()
    data = viewer_icon()
    if args.check:
        try:
            with open(ICON_PATH, "rb") as f:
                if f.read() == data:
                    return 0
        except OSError:
            pass
        print("out of date: " + ICON_PATH, file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(ICON_PATH), exist_ok=True)
    with open(ICON_PATH, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
