"""Small geometry helpers shared by Corvina's icon generators.

Shapes are built from centre lines ("strokes") that are widened into filled
outlines with Shapely, so every generated icon is made of filled paths only:
GTK recolours the fill of symbolic icons, never a stroke.

Coordinates use the SVG convention: x grows to the right, y grows downwards.
Angles are in degrees: 0 points right, 90 points down, 180 left, 270 up.

Needs the Debian package python3-shapely (run the tools with /usr/bin/python3).
"""

import math

from shapely.geometry import (GeometryCollection, LineString, MultiPolygon,
                              Polygon, box)
from shapely.geometry.polygon import orient
from shapely.ops import unary_union
from shapely import affinity

CAP = {"round": 1, "flat": 2, "square": 3}
JOIN = {"round": 1, "mitre": 2, "bevel": 3}


def arc(cx, cy, rx, ry, a0, a1, step=5.0):
    """Points of an elliptic arc from angle a0 to a1 (either direction)."""
    n = max(2, int(math.ceil(abs(a1 - a0) / step)) + 1)
    pts = []
    for i in range(n):
        a = math.radians(a0 + (a1 - a0) * i / (n - 1))
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def join_pts(*parts):
    """Concatenates point lists, dropping consecutive duplicates."""
    out = []
    for part in parts:
        for p in part:
            if not out or math.hypot(p[0] - out[-1][0], p[1] - out[-1][1]) > 1e-6:
                out.append((float(p[0]), float(p[1])))
    return out


def stroke(points, width, cap="flat", join="mitre", closed=False, mitre_limit=8.0):
    """The filled outline of a line of the given width along points."""
    pts = join_pts(points)
    if closed:
        if pts[0] != pts[-1]:
            pts.append(pts[0])
        ring = Polygon(pts)
        outer = ring.buffer(width / 2.0, join_style=JOIN[join], mitre_limit=mitre_limit)
        inner = ring.buffer(-width / 2.0, join_style=JOIN[join], mitre_limit=mitre_limit)
        return outer.difference(inner)
    return LineString(pts).buffer(width / 2.0, cap_style=CAP[cap],
                                  join_style=JOIN[join], mitre_limit=mitre_limit)


def rrect_pts(x0, y0, x1, y1, r, step=5.0):
    """Closed centre line of a rounded rectangle, clockwise from the top left."""
    if r <= 0:
        return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    return join_pts(arc(x1 - r, y0 + r, r, r, 270, 360, step),
                    arc(x1 - r, y1 - r, r, r, 0, 90, step),
                    arc(x0 + r, y1 - r, r, r, 90, 180, step),
                    arc(x0 + r, y0 + r, r, r, 180, 270, step))


def rrect(x0, y0, x1, y1, r, step=5.0):
    """A filled rounded rectangle."""
    return Polygon(rrect_pts(x0, y0, x1, y1, r, step))


def disc(cx, cy, r, step=3.0):
    """A filled circle (as a fine polygon)."""
    return Polygon(arc(cx, cy, r, r, 0, 360, step)[:-1])


def union(*geoms):
    return unary_union([g for g in geoms if g is not None and not g.is_empty])


def clip(geom, x0, y0, x1, y1):
    return geom.intersection(box(x0, y0, x1, y1))


def move(geom, dx, dy):
    return affinity.translate(geom, dx, dy)


def scale(geom, f, origin=(0, 0)):
    return affinity.scale(geom, f, f, origin=origin)


def rotate(geom, deg, origin):
    return affinity.rotate(geom, deg, origin=origin)


def mirror_x(geom, axis):
    """Mirrors a shape about the vertical line x = axis."""
    return affinity.scale(geom, -1, 1, origin=(axis, 0))


def polygons(geom):
    if geom.is_empty:
        return []
    if isinstance(geom, Polygon):
        return [geom]
    if isinstance(geom, (MultiPolygon, GeometryCollection)):
        out = []
        for g in geom.geoms:
            out.extend(polygons(g))
        return out
    return []


def fmt(v):
    s = ("%.2f" % v).rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def ring_d(coords):
    pts = list(coords)
    if len(pts) > 1 and pts[0] == pts[-1]:
        pts = pts[:-1]
    out, last = [], None
    for x, y in pts:
        q = (fmt(x), fmt(y))
        if q != last:
            out.append(q)
            last = q
    if len(out) < 3:
        return ""
    d = "M%s %s" % out[0]
    d += "".join("L%s %s" % p for p in out[1:])
    return d + "Z"


def path_d(geom, tolerance=0.005):
    """SVG path data of every ring of a shape (fill it with evenodd)."""
    parts = []
    for poly in polygons(geom):
        poly = orient(poly.simplify(tolerance, preserve_topology=True), sign=-1.0)
        parts.append(ring_d(poly.exterior.coords))
        for hole in poly.interiors:
            parts.append(ring_d(hole.coords))
    return "".join(p for p in parts if p)


def circle_d(cx, cy, r):
    """SVG path data of an exact circle, as two arcs."""
    return ("M%s %sA%s %s 0 1 1 %s %sA%s %s 0 1 1 %s %sZ"
            % (fmt(cx), fmt(cy - r), fmt(r), fmt(r), fmt(cx), fmt(cy + r),
               fmt(r), fmt(r), fmt(cx), fmt(cy - r)))


def rrect_d(x0, y0, x1, y1, r):
    """SVG path data of an exact rounded rectangle."""
    f = fmt
    return ("M%s %sH%sA%s %s 0 0 1 %s %sV%sA%s %s 0 0 1 %s %sH%sA%s %s 0 0 1 %s %sV%sA%s %s 0 0 1 %s %sZ"
            % (f(x0 + r), f(y0), f(x1 - r), f(r), f(r), f(x1), f(y0 + r), f(y1 - r),
               f(r), f(r), f(x1 - r), f(y1), f(x0 + r), f(r), f(r), f(x0), f(y1 - r),
               f(y0 + r), f(r), f(r), f(x0 + r), f(y0)))
