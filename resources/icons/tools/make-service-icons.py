#!/usr/bin/python3
"""Writes Corvina's service icons, services/<IconName>.svg.

Each icon is a 24 x 24 rounded square in a colour of its own, lit by a soft
vertical gradient, carrying a white monogram (one or two capital letters from
glyphs.py) or a simple geometric mark. Everything is a filled path: no text,
no fonts, no strokes, so the icons look the same wherever they are drawn.

The file names are the icon names of the built-in service catalogue.

Usage: /usr/bin/python3 make-service-icons.py [output folder]
The output folder defaults to ../services beside this script.
Needs the Debian package python3-shapely.
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from shapely.geometry import Polygon  # noqa: E402

from glyphs import letter  # noqa: E402
from svgkit import (arc, disc, join_pts, move, path_d, rrect,  # noqa: E402
                    rrect_d, stroke, union)

SIZE = 24
RADIUS = 5.5

TEMPLATE = """<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{top}"/>
      <stop offset="1" stop-color="{bottom}"/>
    </linearGradient>
  </defs>
  <path fill="url(#tile)" d="{tile}"/>
  <path fill="#ffffff" fill-rule="evenodd" d="{mark}"/>
</svg>
"""


def shade(hex_colour, f):
    """Lightens (f > 0) or darkens (f < 0) a colour by mixing with white or black."""
    r, g, b = (int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))
    t = 255 if f > 0 else 0
    f = abs(f)
    return "#%02x%02x%02x" % tuple(round(c + (t - c) * f) for c in (r, g, b))


# --- marks -------------------------------------------------------------------

def monogram(text, height, width_stroke, widths=None, gap=2.0, dy=0.0):
    """One or more letters side by side, centred on the tile."""
    widths = widths or [None] * len(text)
    shapes, x = [], 0.0
    for ch, w in zip(text, widths):
        g = letter(ch, height, width_stroke, w)
        minx, _, maxx, _ = g.bounds
        shapes.append(move(g, x, 0))
        x += (w if w is not None else maxx) + gap
    g = union(*shapes)
    minx, miny, maxx, maxy = g.bounds
    return move(g, (SIZE - (maxx - minx)) / 2.0 - minx, (SIZE - height) / 2.0 + dy)


def letter_dot(ch, height=12, s=2.5, width=9):
    """A capital letter followed by a full stop, as in "Z.ai"."""
    g = letter(ch, height, s, width)
    dot = rrect(width + 1.5, height - s, width + 1.5 + s, height, s / 2.0)
    g = union(g, dot)
    minx, _, maxx, _ = g.bounds
    return move(g, (SIZE - (maxx - minx)) / 2.0, (SIZE - height) / 2.0)


def quad(p0, p1, p2, n=16):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / float(n) for i in range(n + 1))]


def star4(cx, cy, r, pinch=0.18):
    """A four-pointed star with concave sides."""
    tips = [(cx, cy - r), (cx + r, cy), (cx, cy + r), (cx - r, cy)]
    pts = []
    for i in range(4):
        a, b = tips[i], tips[(i + 1) % 4]
        ctrl = (cx + (a[0] + b[0] - 2 * cx) * pinch, cy + (a[1] + b[1] - 2 * cy) * pinch)
        pts.extend(quad(a, ctrl, b)[:-1])
    return Polygon(pts)


def spark():
    return union(star4(10.5, 13, 7.2), star4(17.6, 6.2, 3.0))


def bolt():
    p = Polygon([(13.6, 3.5), (6.8, 13.4), (11.2, 13.4), (9.8, 20.5),
                 (17.2, 10.4), (12.8, 10.4), (15.6, 3.5)])
    return p.buffer(-0.35, join_style=1).buffer(0.35, join_style=1)


def medical_cross():
    return union(rrect(9.5, 5, 14.5, 19, 1.2), rrect(5, 9.5, 19, 14.5, 1.2))


def question_mark():
    s = 2.6
    top = stroke(join_pts(arc(12, 8.8, 3.6, 3.4, 190, 360), arc(12, 8.8, 3.6, 3.4, 0, 70),
                          [(12, 13.2), (12, 14.8)]), s, cap="flat", join="round")
    return union(top, disc(12, 18.4, 1.55))


def spiral():
    """A shell: a spiral line that winds in from the rim."""
    cx, cy = 12.6, 12.4
    pts = []
    turns, r_out, r_in = 1.75, 7.4, 1.0
    n = 180
    for i in range(n + 1):
        t = i / float(n)
        ang = math.radians(200 + 360 * turns * t)
        r = r_out - (r_out - r_in) * t
        pts.append((cx + r * math.cos(ang), cy + r * math.sin(ang)))
    return stroke(pts, 2.5, cap="round", join="round")


# name: (colour, mark)
SERVICES = {
    "Doubao": ("#f2701e", lambda: monogram("DB", 10, 2, [7, 7])),
    "Qianwen": ("#6148e8", lambda: monogram("Q", 12, 2.5, [10])),
    "DeepSeek": ("#2f5be0", lambda: monogram("DS", 10, 2, [7, 7])),
    "Xinghuo": ("#e0382f", spark),
    "Wenxin": ("#1687e6", lambda: monogram("W", 12, 2.5, [13])),
    "Hunyuan": ("#0b9fbd", lambda: monogram("HY", 10, 2, [7, 8], gap=1.5)),
    "Yuanbao": ("#1f9d57", lambda: monogram("Y", 12, 2.5, [11])),
    "MetaSo": ("#4a6a9c", lambda: monogram("M", 12, 2.5, [12])),
    "ChatGLM": ("#8c3fdc", lambda: monogram("G", 12, 2.5, [10])),
    "Kimi": ("#25252d", lambda: monogram("K", 12, 2.5, [10])),
    "Shangliang": ("#c0298f", lambda: monogram("S", 12, 2.5, [10])),
    "DuckAI": ("#8a5a2e", lambda: letter_dot("D")),
    "Xiaoyi": ("#e6456f", lambda: monogram("XY", 10, 2, [8, 8], gap=1.5)),
    "Hailuo": ("#0a6f8c", spiral),
    "Wenxiaobai": ("#233a86", question_mark),
    "Zai": ("#33363e", lambda: letter_dot("Z")),
    "Miaoda": ("#e58a0b", bolt),
    "Baixiaoyi": ("#119b8a", medical_cross),
}


def svg(colour, mark):
    return TEMPLATE.format(top=shade(colour, 0.12), bottom=shade(colour, -0.1),
                           tile=rrect_d(0, 0, SIZE, SIZE, RADIUS), mark=path_d(mark))


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "services")
    os.makedirs(folder, exist_ok=True)
    for name, (colour, make) in SERVICES.items():
        with open(os.path.join(folder, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(svg(colour, make()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
