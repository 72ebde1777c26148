#!/usr/bin/env python3
"""Times tab switches. A strip of the pane that shows the page's own title is learnt for
each tab bar row first (click, let it settle, read it). Then, for each row given, the
pointer moves there, the row is clicked through the X test extension from this process
(an xdotool process takes ~100 ms to start and return, longer than what is measured),
and the strip is read straight from the X server until it shows that page's title: a
blank or half-drawn pane does not count. Prints one line per switch: milliseconds, or
"none" when the page did not show within 5 s.
Usage: switch_watch.py X Y W H ROW_X ROW_Y [ROW_Y ...]"""
import ctypes
import hashlib
import sys
import time

from xlib import ALL_PLANES, Z_PIXMAP, open_display


def main():
    x, y, w, h, row_x = (int(a) for a in sys.argv[1:6])
    rows = [int(a) for a in sys.argv[6:]]
    xlib, xtst, display, root = open_display()
    image = xlib.XGetImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP)
    data = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value
    size = ctypes.c_int.from_address(image + 44).value * h

    def grab():
        xlib.XGetSubImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP, image, 0, 0)
        return hashlib.md5(ctypes.string_at(data, size)).digest()

    def click(row_y):
        xtst.XTestFakeMotionEvent(display, -1, row_x, row_y, 0)
        xlib.XFlush(display)
        time.sleep(0.15)
        start = time.monotonic()
        xtst.XTestFakeButtonEvent(display, 1, 1, 0)
        xtst.XTestFakeButtonEvent(display, 1, 0, 0)
        xlib.XFlush(display)
        return start

    titles = {}
    for row_y in dict.fromkeys(rows):
        click(row_y)
        time.sleep(1.0)
        titles[row_y] = grab()
    for row_y in rows:
        start = click(row_y)
        seen = None
        while time.monotonic() - start < 5:
            if grab() == titles[row_y]:
                seen = (time.monotonic() - start) * 1000
                break
        print("none" if seen is None else f"{seen:.1f}", flush=True)
        time.sleep(0.25)
    # how long one grab takes: the resolution of these times
    start = time.monotonic()
    for _ in range(50):
        grab()
    print(f"resolution {(time.monotonic() - start) * 1000 / 50:.2f}", flush=True)


if __name__ == "__main__":
    main()
