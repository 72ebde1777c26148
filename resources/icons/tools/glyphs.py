"""Corvina's monoline capital letters, drawn as filled outlines.

Each letter is built from centre lines of one stroke width inside a box of
width W and height H (top left at 0, 0) and clipped to that box, so its outer
edges lie exactly on the box. With integer box positions and an even stroke
width the straight edges fall on whole pixels.

letter(ch, H, s, W=None) returns a Shapely shape; ch is "A" to "Z" or "#".
default_width(ch, H, s) gives the width the letter is designed for.
"""

from svgkit import arc, clip, join_pts, stroke, union

WIDE = set("MW")


def default_width(ch, H, s):
    base = round(H * 0.8)
    if ch in WIDE:
        return base + 2
    if ch == "I":
        return round(H * 0.6)
    if ch == "#":
        return H
    return base


def letter(ch, H, s, W=None):
    if W is None:
        W = default_width(ch, H, s)
    h = s / 2.0
    L, R, T, B = h, W - h, h, H - h
    M = H / 2.0
    cx = W / 2.0
    rc = min((R - L) / 2.0, (B - T) / 2.0)

    def st(pts, cap="flat", join="mitre"):
        return stroke(pts, s, cap=cap, join=join)

    def ring(pts):
        return stroke(pts, s, closed=True)

    def bowl(y0, y1, xr):
        """A bowl from the stem at y0 to the stem at y1 whose right edge is xr."""
        r = (y1 - y0) / 2.0
        xa = xr - r
        return st(join_pts([(0, y0), (xa, y0)], arc(xa, y0 + r, r, r, 270, 450),
                           [(xa, y1), (0, y1)]))

    g = None
    if ch == "A":
        bar = T + (B - T) * 0.62
        g = union(st([(L - 0.6 * s, H + s), (cx, T - 0.2 * s), (R + 0.6 * s, H + s)]),
                  st([(L, bar), (R, bar)]))
    elif ch == "B":
        g = union(st([(L, 0), (L, H)]), bowl(T, M, R - 0.5), bowl(M, B, R))
    elif ch == "C":
        g = st(join_pts(arc(R - rc, T + rc, rc, rc, 322, 270),
                        arc(L + rc, T + rc, rc, rc, 270, 180),
                        arc(L + rc, B - rc, rc, rc, 180, 90),
                        arc(R - rc, B - rc, rc, rc, 90, 38)))
    elif ch == "D":
        r = rc
        g = ring(join_pts([(L, T), (R - r, T)], arc(R - r, T + r, r, r, 270, 360),
                          arc(R - r, B - r, r, r, 0, 90), [(L, B)]))
    elif ch == "E":
        g = union(st([(W, T), (L, T), (L, B), (W, B)]), st([(L, M), (W - 0.5 * s, M)]))
    elif ch == "F":
        g = union(st([(W, T), (L, T), (L, H)]), st([(L, M), (W - 0.5 * s, M)]))
    elif ch == "G":
        g = st(join_pts(arc(R - rc, T + rc, rc, rc, 325, 270),
                        arc(L + rc, T + rc, rc, rc, 270, 180),
                        arc(L + rc, B - rc, rc, rc, 180, 90),
                        arc(R - rc, B - rc, rc, rc, 90, 0),
                        [(R, M), (cx, M)]))
    elif ch == "H":
        g = union(st([(L, 0), (L, H)]), st([(R, 0), (R, H)]), st([(L, M), (R, M)]))
    elif ch == "I":
        g = union(st([(cx, 0), (cx, H)]), st([(0, T), (W, T)]), st([(0, B), (W, B)]))
    elif ch == "J":
        g = union(st(join_pts([(R, 0)], arc(R - rc, B - rc, rc, rc, 0, 180),
                              [(L, B - rc - 0.5 * s)])),
                  st([(L + s, T), (W, T)]))
    elif ch == "K":
        g = union(st([(L, 0), (L, H)]),
                  st([(W + 0.3 * s, -0.4 * s), (L + 0.2 * s, M + 0.35 * s)]),
                  st([(L + 1.1 * s, M - 0.25 * s), (W + 0.2 * s, H + 0.3 * s)]))
    elif ch == "L":
        g = st([(L, 0), (L, B), (W, B)])
    elif ch == "M":
        g = st([(L, H), (L, T), (cx, M + 0.5 * s), (R, T), (R, H)])
    elif ch == "N":
        g = st([(L, H), (L, T), (R, B), (R, 0)])
    elif ch == "O":
        g = ring(join_pts(arc(R - rc, T + rc, rc, rc, 270, 360), arc(R - rc, B - rc, rc, rc, 0, 90),
                          arc(L + rc, B - rc, rc, rc, 90, 180), arc(L + rc, T + rc, rc, rc, 180, 270)))
    elif ch == "P":
        g = union(st([(L, 0), (L, H)]), bowl(T, M + 0.5 * s, R))
    elif ch == "Q":
        o = ring(join_pts(arc(R - rc, T + rc, rc, rc, 270, 360), arc(R - rc, B - rc, rc, rc, 0, 90),
                          arc(L + rc, B - rc, rc, rc, 90, 180), arc(L + rc, T + rc, rc, rc, 180, 270)))
        g = union(o, st([(cx + 0.2 * s, M + 0.6 * s), (W + 0.5 * s, H + 0.5 * s)]))
    elif ch == "R":
        top = M + 0.5 * s
        g = union(st([(L, 0), (L, H)]), bowl(T, top, R),
                  st([(cx - 0.3 * s, top), (R + 0.3 * s, H + 0.3 * s)]))
    elif ch == "S":
        r1 = (M - T) / 2.0
        r2 = (B - M) / 2.0
        g = st(join_pts([(W, T), (L + r1, T)], arc(L + r1, T + r1, r1, r1, 270, 90),
                        [(R - r2, M)], arc(R - r2, M + r2, r2, r2, 270, 450), [(0, B)]))
    elif ch == "T":
        g = union(st([(0, T), (W, T)]), st([(cx, T), (cx, H)]))
    elif ch == "U":
        g = st(join_pts([(L, 0)], arc(L + rc, B - rc, rc, rc, 180, 90),
                        arc(R - rc, B - rc, rc, rc, 90, 0), [(R, 0)]))
    elif ch == "V":
        g = st([(L - 0.45 * s, -s), (cx, H - 0.55 * s), (R + 0.45 * s, -s)])
    elif ch == "W":
        q = (R - L) / 4.0
        g = st([(L - 0.2 * s, -s), (L + q, H - 0.5 * s), (cx, T + 1.3 * s),
                (R - q, H - 0.5 * s), (R + 0.2 * s, -s)])
    elif ch == "X":
        g = union(st([(L - 0.2 * s, -0.2 * s), (R + 0.2 * s, H + 0.2 * s)]),
                  st([(R + 0.2 * s, -0.2 * s), (L - 0.2 * s, H + 0.2 * s)]))
    elif ch == "Y":
        g = union(st([(L - 0.3 * s, -0.5 * s), (cx, M + 0.2 * s), (R + 0.3 * s, -0.5 * s)]),
                  st([(cx, M), (cx, H)]))
    elif ch == "Z":
        g = st([(0, T), (R, T), (L, B), (W, B)])
    elif ch == "#":
        a, b = W * 0.3, W * 0.7
        c, d = H * 0.3, H * 0.7
        g = union(st([(a, 0), (a, H)]), st([(b, 0), (b, H)]),
                  st([(0, c), (W, c)]), st([(0, d), (W, d)]))
    else:
        raise ValueError("no glyph for %r" % ch)
    return clip(g, 0, 0, W, H)
