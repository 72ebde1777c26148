#!/usr/bin/python3
"""Writes Corvina's application icon.

The mark: a white chat bubble on a violet-to-teal rounded square, holding the
dark head and thick beak of a corvid (the bird the program is named after).

Writes, relative to the app/ folder beside this script:
  corvina.svg                                   full colour, 128 x 128
  corvina-symbolic.svg                          16 x 16, one colour (#2e3436)
  hicolor/scalable/apps/app.corvina.Corvina.svg copy of corvina.svg
  hicolor/symbolic/apps/app.corvina.Corvina-symbolic.svg copy of the symbolic one
  hicolor/<N>x<N>/apps/app.corvina.Corvina.png  for N in 16 24 32 48 64 128 256,
                                                rendered with rsvg-convert
                                                (Debian package librsvg2-bin)

Usage: /usr/bin/python3 make-app-icon.py [app folder]
Needs the Debian package python3-shapely.
"""

import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from shapely.geometry import Polygon  # noqa: E402

from svgkit import (arc, clip, disc, join_pts, move, path_d, rrect,  # noqa: E402
                    rrect_d, scale, union)

APP_ID = "app.corvina.Corvina"
PNG_SIZES = (16, 24, 32, 48, 64, 128, 256)


def quad(p0, p1, p2, n=24):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / float(n) for i in range(n + 1))]


def bubble():
    """The chat bubble, in 128 x 128 units: a wide rounded body with a tail
    at the lower left."""
    body = rrect(22, 24, 106, 90, 31)
    tail = Polygon([(32, 70), (25, 106), (66, 84)])
    g = union(body, tail)
    return g.buffer(-2.5, join_style=1).buffer(2.5, join_style=1)


def bust():
    """Head, beak and breast of the bird, facing right, in 128 x 128 units."""
    pts = join_pts(
        [(34, 100)],
        quad((34, 100), (38, 70), (44.5, 58)),           # back of the neck
        arc(59, 55, 15, 15, 168, 318),                   # crown
        quad((70.1, 45), (86, 45.5), (99, 57.5)),        # upper edge of the beak
        quad((99, 57.5), (86, 61), (71, 64.5)),          # lower edge of the beak
        quad((71, 64.5), (71, 72), (78, 80)),            # throat
        quad((78, 80), (86, 89), (90, 100)))             # breast
    head = Polygon(pts)
    return head.difference(disc(61.5, 51.5, 3.6))      # the eye


def full_colour_svg():
    b = bubble()
    inner = b.buffer(-5.5, join_style=1)
    bird = bust().intersection(inner)
    return """<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">
  <defs>
    <linearGradient id="base" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#7a54e6"/>
      <stop offset="0.55" stop-color="#4a63d8"/>
      <stop offset="1" stop-color="#18a8c6"/>
    </linearGradient>
    <linearGradient id="edge" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#3b2a8c"/>
      <stop offset="1" stop-color="#0e6e86"/>
    </linearGradient>
    <linearGradient id="paper" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="1" stop-color="#e6ecf7"/>
    </linearGradient>
  </defs>
  <path fill="url(#edge)" d="{edge}"/>
  <path fill="url(#base)" d="{base}"/>
  <path fill="#ffffff" fill-opacity="0.12" d="{shine}"/>
  <path fill="#1c1743" fill-opacity="0.25" d="{shadow}"/>
  <path fill="url(#paper)" d="{bubble}"/>
  <path fill="#221c52" fill-rule="evenodd" d="{bird}"/>
</svg>
""".format(edge=rrect_d(8, 12, 120, 124, 26),
           base=rrect_d(8, 8, 120, 120, 26),
           shine=path_d(rrect(8, 8, 120, 64, 26).intersection(rrect(8, 8, 120, 120, 26))
                        .difference(rrect(-40, 40, 168, 200, 80))),
           shadow=path_d(move(b, 0, 3)),
           bubble=path_d(b), bird=path_d(bird))


def symbolic_svg():
    """The bird alone (the bubble does not survive 16 pixels), cut off at the
    breast and fitted to the 16 x 16 box; the eye is a hole."""
    bird = clip(bust(), 0, 0, 128, 90)
    minx, miny, maxx, maxy = bird.bounds
    f = 15.6 / max(maxx - minx, maxy - miny)
    bird = scale(move(bird, -minx, -miny), f, (0, 0))
    minx, miny, maxx, maxy = bird.bounds
    bird = move(bird, (16 - maxx) / 2.0, (16 - maxy) / 2.0)
    return """<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <path fill="#2e3436" fill-rule="evenodd" d="{d}"/>
</svg>
""".format(d=path_d(bird))


def main(argv):
    app = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "app")
    os.makedirs(app, exist_ok=True)
    full = os.path.join(app, "corvina.svg")
    sym = os.path.join(app, "corvina-symbolic.svg")
    with open(full, "w", encoding="utf-8") as f:
        f.write(full_colour_svg())
    with open(sym, "w", encoding="utf-8") as f:
        f.write(symbolic_svg())
    hicolor = os.path.join(app, "hicolor")
    for sub, src, name in (("scalable", full, APP_ID + ".svg"),
                           ("symbolic", sym, APP_ID + "-symbolic.svg")):
        d = os.path.join(hicolor, sub, "apps")
        os.makedirs(d, exist_ok=True)
        shutil.copyfile(src, os.path.join(d, name))
    if shutil.which("rsvg-convert") is None:
        print("rsvg-convert not found (Debian package librsvg2-bin): PNGs not rendered")
        return 1
    for n in PNG_SIZES:
        d = os.path.join(hicolor, "%dx%d" % (n, n), "apps")
        os.makedirs(d, exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(n), "-h", str(n), full,
                        "-o", os.path.join(d, APP_ID + ".png")], check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
