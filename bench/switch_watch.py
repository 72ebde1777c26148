#!/usr/bin/env python3
"""Times tab switches: for each tab bar row given, clicks it with xdotool and polls a pane
strip of the root window (read straight from the X server through libX11) until its
pixels change.  Prints one line per switch: milliseconds, or "none" when nothing changed
within 5 s.  Usage: switch_watch.py X Y W H ROW_X ROW_Y [ROW_Y ...]"""
import ctypes
import ctypes.util
import hashlib
import subprocess
import sys
import time

ALL_PLANES = 0xFFFFFFFF
Z_PIXMAP = 2


def main():
    x, y, w, h, row_x = (int(a) for a in sys.argv[1:6])
    rows = [int(a) for a in sys.argv[6:]]
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XGetImage.restype = ctypes.c_void_p
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XGetSubImage.restype = ctypes.c_void_p
    xlib.XGetSubImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int,
                                  ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    display = xlib.XOpenDisplay(None)
    root = xlib.XDefaultRootWindow(display)
    image = xlib.XGetImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP)
    data = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value
    size = ctypes.c_int.from_address(image + 44).value * h

    def grab():
        xlib.XGetSubImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP, image, 0, 0)
        return hashlib.md5(ctypes.string_at(data, size)).digest()

    for row_y in rows:
        subprocess.run(["xdotool", "mousemove", str(row_x), str(row_y)], check=False)
        time.sleep(0.15)
        before = grab()
        start = time.monotonic()
        subprocess.run(["xdotool", "click", "1"], check=False)
        seen = None
        while time.monotonic() - start < 5:
            if grab() != before:
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
