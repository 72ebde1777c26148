#!/usr/bin/python3
"""Writes Corvina's interface symbols (everything in symbols/ except the letter
circles, which make-letter-circles.py writes).

Every symbol is a 16 x 16 GTK symbolic icon: one path filled with #2e3436 and
the even-odd rule, no strokes, so GTK can recolour it. Lines are 2 px wide on
whole-pixel centre lines where they run straight, so they stay crisp at 16 px.

Usage: /usr/bin/python3 make-symbols.py [output folder]
The output folder defaults to ../symbols beside this script.
Needs the Debian package python3-shapely.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from shapely.geometry import Polygon  # noqa: E402

from svgkit import (arc, circle_d, disc, join_pts, mirror_x, move,  # noqa: E402
                    path_d, rotate, rrect, rrect_pts, stroke, union)

FILL = "#2e3436"
S = 2.0  # line width

TEMPLATE = """<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <path fill="{fill}" fill-rule="evenodd" d="{d}"/>
</svg>
"""


def line(pts, w=S, cap="flat", join="mitre"):
    return stroke(pts, w, cap=cap, join=join)


def ring(pts, w=S, join="mitre"):
    return stroke(pts, w, closed=True, join=join)


def frame():
    """The window frame used by the layout symbols: 16 x 14, 2 px border."""
    return ring(rrect_pts(1, 2, 15, 14, 2))


def plus(cx, cy, arm, w=S):
    return union(line([(cx - arm, cy), (cx + arm, cy)], w), line([(cx, cy - arm), (cx, cy + arm)], w))


def down_arrow(cx, top, bottom, half):
    """A down arrow: shaft from top to bottom, head of half-width half."""
    return union(line([(cx, top), (cx, bottom - 1)]),
                 line([(cx - half, bottom - half), (cx, bottom), (cx + half, bottom - half)],
                      cap="round", join="round"))


def behind(back, front, gap=1.0):
    """The part of back not covered by front grown by gap."""
    return back.difference(front.buffer(gap, join_style=2))


# --- one function per symbol; each returns path data ---------------------------

def chevron_left():
    return path_d(line([(10.5, 2), (4.5, 8), (10.5, 14)], cap="round", join="round"))


def chevron_right():
    return path_d(mirror_x(line([(10.5, 2), (4.5, 8), (10.5, 14)], cap="round", join="round"), 8))


def sidebar_left():
    return path_d(union(frame(), line([(6, 2), (6, 14)])))


def sidebar_right():
    return path_d(mirror_x(union(frame(), line([(6, 2), (6, 14)])), 8))


def rectangle_lefthalf_inset_filled():
    return path_d(union(frame(), rrect(3, 4, 8, 12, 0.5)))


def rectangle_split_2x1():
    return path_d(union(frame(), line([(8, 2), (8, 14)])))


def rectangle_split_2x2():
    return path_d(union(frame(), line([(8, 2), (8, 14)]), line([(1, 8), (15, 8)])))


def corner_arrows(head, shaft):
    """An arrow in the top left quarter and the same turned half round into the bottom right."""
    arrow = union(line(head, join="round"), line(shaft, cap="round"))
    return path_d(union(arrow, rotate(arrow, 180, (8, 8))))


def arrow_up_left_and_arrow_down_right():
    return corner_arrows([(2, 6.5), (2, 2), (6.5, 2)], [(2.5, 2.5), (6.5, 6.5)])


def arrow_down_right_and_arrow_up_left():
    return corner_arrows([(7, 2.5), (7, 7), (2.5, 7)], [(2, 2), (6.5, 6.5)])


def rectangle_on_rectangle_angled():
    front = rrect(1, 5, 12, 15, 2)
    back = rotate(ring(rrect_pts(5, 2, 14, 11, 1.5)), -14, (9.5, 6.5))
    return path_d(union(ring(rrect_pts(2, 6, 11, 14, 1.5)), behind(back, front)))


def plus_rectangle_on_rectangle():
    front = rrect(0, 4, 12, 16, 2.5)
    back = ring(rrect_pts(5, 1, 15, 11, 2))
    return path_d(union(ring(rrect_pts(1, 5, 11, 15, 2)), behind(back, front),
                        plus(6, 10, 2.5)))


def arrow_clockwise():
    cx, cy, r = 8, 8.5, 5.0
    body = line(arc(cx, cy, r, r, -20, 262), cap="flat", join="round")
    head = Polygon([(7.6, 0.2), (12.2, 3.5), (7.6, 6.8)])
    head = head.buffer(-0.4, join_style=1).buffer(0.4, join_style=1)
    return path_d(union(body, head))


def arrow_counterclockwise():
    cx, cy, r = 8, 8.5, 5.0
    body = line(arc(cx, cy, r, r, -20, 262), cap="flat", join="round")
    head = Polygon([(7.6, 0.2), (12.2, 3.5), (7.6, 6.8)])
    head = head.buffer(-0.4, join_style=1).buffer(0.4, join_style=1)
    return path_d(mirror_x(union(body, head), 8))


def arrow_down_circle_fill():
    return circle_d(8, 8, 8) + path_d(down_arrow(8, 3.5, 11.5, 3.5))


def arrow_down_circle():
    return (circle_d(8, 8, 8) + circle_d(8, 8, 6.5)
            + path_d(down_arrow(8, 4, 11, 3)))


def arrow_up_doc():
    doc = ring([(2, 1), (9, 1), (14, 6), (14, 15), (2, 15)])
    fold = Polygon([(8, 0), (8, 7), (15, 7)])
    arrow = union(line([(8, 7.5), (8, 13)]),
                  line([(5, 9.5), (8, 6.5), (11, 9.5)], cap="round", join="round"))
    return path_d(union(doc, fold, arrow))


def plus_circle():
    return circle_d(8, 8, 8) + circle_d(8, 8, 6.5) + path_d(plus(8, 8, 3.5))


def plus_circle_fill():
    return circle_d(8, 8, 8) + path_d(plus(8, 8, 4))


def xmark():
    return path_d(union(line([(3, 3), (13, 13)], cap="round"), line([(13, 3), (3, 13)], cap="round")))


def checkmark():
    return path_d(line([(2, 8.5), (6, 12.5), (14, 3.5)], cap="round", join="round"))


def checkmark_circle_fill():
    return circle_d(8, 8, 8) + path_d(line([(4.2, 8.2), (7, 11), (11.8, 5.4)],
                                           cap="round", join="round"))


def doc_on_doc():
    front = rrect(1, 4, 12, 16, 2)
    back = ring(rrect_pts(6, 1, 14, 11, 1.5))
    return path_d(union(ring(rrect_pts(2, 5, 11, 15, 1.5)), behind(back, front)))


def doc_on_clipboard():
    board = ring(rrect_pts(3, 3, 13, 15, 1.5))
    clip = rrect(5, 0.5, 11, 5, 1)
    board = board.difference(clip.buffer(1, join_style=2))
    lines = union(line([(6, 8.5), (10, 8.5)], w=1), line([(6, 10.5), (10, 10.5)], w=1),
                  line([(6, 12.5), (9, 12.5)], w=1))
    return path_d(union(board, clip.difference(rrect(7, 2, 9, 3.5, 0)), lines))


def trash():
    lid = rrect(1, 3, 15, 5, 0.5)
    handle = rrect(6, 1, 10, 4, 0.5)
    body = line(join_pts([(3, 4)], arc(5, 13, 2, 2, 180, 90), arc(11, 13, 2, 2, 90, 0),
                         [(13, 4)]), join="round")
    slots = union(line([(6.5, 7), (6.5, 12)], w=1), line([(9.5, 7), (9.5, 12)], w=1))
    return path_d(union(lid, handle, body, slots))


def pencil():
    # drawn lying flat, tip on the left, then turned to point down-left
    tip = Polygon([(0, 0), (4, -2.25), (4, 2.25)])
    body = rrect(5, -2.25, 14.5, 2.25, 0)
    cap = rrect(15.5, -2.25, 18.5, 2.25, 1)
    g = union(tip.buffer(-0.3, join_style=1).buffer(0.3, join_style=1), body, cap)
    g = rotate(g, -45, (0, 0))
    return path_d(move(g, 1.8, 14.2))


def tag():
    outline = ring([(2, 2), (8.5, 2), (14.5, 8), (8, 14.5), (2, 8.5)], join="round")
    return path_d(union(outline, disc(5.6, 5.6, 1.4)))


def exclamationmark_triangle_fill():
    tri = Polygon([(8, 0.2), (16, 15), (0, 15)])
    tri = tri.buffer(-1.2, join_style=1).buffer(1.2, join_style=1)
    mark = union(rrect(7, 5.5, 9, 10.5, 0.5), rrect(7, 11.75, 9, 13.75, 1))
    return path_d(tri) + path_d(mark)


def folder_geom():
    outline = ring([(1, 2), (6, 2), (8, 4), (15, 4), (15, 14), (1, 14)])
    flap = line([(1, 6), (15, 6)])
    return union(outline, flap)


def folder():
    return path_d(folder_geom())


def folder_badge_plus():
    badge = plus(12, 12, 3)
    body = folder_geom().difference(badge.buffer(1, join_style=2))
    return path_d(union(body, badge))


def gear_shape(teeth, r_body, r_tip, tooth_w, r_hole, round_by):
    body = disc(8, 8, r_body)
    for i in range(teeth):
        t = rrect(8 - tooth_w / 2, 8 - r_tip, 8 + tooth_w / 2, 8, 0)
        body = union(body, rotate(t, i * 360.0 / teeth, (8, 8)))
    body = body.buffer(-round_by, join_style=1).buffer(round_by, join_style=1)
    return path_d(body) + circle_d(8, 8, r_hole)


def gearshape():
    return gear_shape(8, 5.6, 7.9, 2.8, 2.4, 0.5)


def gear():
    return gear_shape(10, 5.9, 8.0, 2.0, 3.2, 0.3)


def paintbrush():
    # drawn lying flat, bristles on the left, then turned to point down-left
    bristles = Polygon(join_pts([(0.5, 0)], arc(2.8, -0.2, 2.3, 2.5, 180, 270), [(5, -2.6), (5, 2.6)],
                                arc(2.8, 0.2, 2.3, 2.5, 90, 160)))
    ferrule = rrect(5.8, -2.4, 8.6, 2.4, 0)
    handle = rrect(9.4, -1.4, 19.5, 1.4, 1.4)
    g = union(bristles, ferrule, handle)
    g = rotate(g, -45, (0, 0))
    return path_d(move(g, 1.4, 14.6))


SYMBOLS = {
    "chevron.left": chevron_left,
    "chevron.right": chevron_right,
    "sidebar.left": sidebar_left,
    "sidebar.right": sidebar_right,
    "rectangle.lefthalf.inset.filled": rectangle_lefthalf_inset_filled,
    "rectangle.split.2x1": rectangle_split_2x1,
    "rectangle.split.2x2": rectangle_split_2x2,
    "arrow.up.left.and.arrow.down.right": arrow_up_left_and_arrow_down_right,
    "arrow.down.right.and.arrow.up.left": arrow_down_right_and_arrow_up_left,
    "rectangle.on.rectangle.angled": rectangle_on_rectangle_angled,
    "plus.rectangle.on.rectangle": plus_rectangle_on_rectangle,
    "arrow.clockwise": arrow_clockwise,
    "arrow.counterclockwise": arrow_counterclockwise,
    "arrow.down.circle": arrow_down_circle,
    "arrow.down.circle.fill": arrow_down_circle_fill,
    "arrow.up.doc": arrow_up_doc,
    "plus.circle": plus_circle,
    "plus.circle.fill": plus_circle_fill,
    "xmark": xmark,
    "checkmark": checkmark,
    "checkmark.circle.fill": checkmark_circle_fill,
    "doc.on.doc": doc_on_doc,
    "doc.on.clipboard": doc_on_clipboard,
    "trash": trash,
    "pencil": pencil,
    "tag": tag,
    "exclamationmark.triangle.fill": exclamationmark_triangle_fill,
    "folder": folder,
    "folder.badge.plus": folder_badge_plus,
    "gear": gear,
    "gearshape": gearshape,
    "paintbrush": paintbrush,
}


def main(argv):
    folder_out = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "symbols")
    os.makedirs(folder_out, exist_ok=True)
    for name, make in SYMBOLS.items():
        with open(os.path.join(folder_out, name + "-symbolic.svg"), "w", encoding="utf-8") as f:
            f.write(TEMPLATE.format(fill=FILL, d=make()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
