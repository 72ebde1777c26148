#!/usr/bin/python3
"""Writes Corvina's letter circle symbols.

For each letter a to z it writes symbols/<letter>.circle.fill-symbolic.svg,
and symbols/number.circle.fill-symbolic.svg for "#": a filled 16 x 16 circle
with the capital letter cut out of it. The letter is a monoline outline from
glyphs.py (stroke 2, cap height 10, edges on whole pixels); circle and letter
are one path filled with the even-odd rule, so the letter is a hole.

Custom tags show these as their icons (the tag name's initial letter).

Usage: /usr/bin/python3 make-letter-circles.py [output folder]
The output folder defaults to ../symbols beside this script.
Needs the Debian package python3-shapely.
"""

import os
import string
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from glyphs import default_width, letter  # noqa: E402
from svgkit import circle_d, move, path_d  # noqa: E402

SIZE = 16
CAP_HEIGHT = 10
STROKE = 2
FILL = "#2e3436"

TEMPLATE = """<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <path fill="{fill}" fill-rule="evenodd" d="{d}"/>
</svg>
"""


def letter_circle_d(ch):
    """Path data: the circle, then the letter's outlines (holes under even-odd)."""
    w = default_width(ch, CAP_HEIGHT, STROKE)
    x = (SIZE - w) / 2.0
    y = (SIZE - CAP_HEIGHT) / 2.0
    glyph = move(letter(ch, CAP_HEIGHT, STROKE, w), x, y)
    return circle_d(SIZE / 2.0, SIZE / 2.0, SIZE / 2.0) + path_d(glyph)


def write(folder, name, ch):
    path = os.path.join(folder, name + "-symbolic.svg")
    with open(path, "w", encoding="utf-8") as f:
        f.write(TEMPLATE.format(fill=FILL, d=letter_circle_d(ch)))
    return path


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "symbols")
    os.makedirs(folder, exist_ok=True)
    for ch in string.ascii_lowercase:
        write(folder, ch + ".circle.fill", ch.upper())
    write(folder, "number.circle.fill", "#")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
