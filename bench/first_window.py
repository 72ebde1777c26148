#!/usr/bin/env python3
"""Waits for a viewable top-level window with the given title, polling the X server every
millisecond through libX11 (an xdotool process per poll takes 40-300 ms, more than what
is measured). Prints "ready" once watching, then the wall-clock time in milliseconds at
which the window was seen, or nothing after TIMEOUT seconds.
Usage: first_window.py TITLE TIMEOUT"""
import ctypes
import ctypes.util
import sys
import time

IS_VIEWABLE = 2


class WindowAttributes(ctypes.Structure):
    # XWindowAttributes up to map_state; the rest is room for the remaining fields.
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("rest", ctypes.c_char * 64)]


def main():
    title, timeout = sys.argv[1].encode(), float(sys.argv[2])
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                ctypes.POINTER(ctypes.c_uint)]
    xlib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(WindowAttributes)]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    root = xlib.XDefaultRootWindow(display)

    def seen():
        parent, root_out = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not xlib.XQueryTree(display, root, ctypes.byref(root_out), ctypes.byref(parent),
                               ctypes.byref(children), ctypes.byref(count)):
            return False
        found = False
        for i in range(count.value):
            name = ctypes.c_char_p()
            if xlib.XFetchName(display, children[i], ctypes.byref(name)) and name.value == title:
                attributes = WindowAttributes()
                if xlib.XGetWindowAttributes(display, children[i], ctypes.byref(attributes)):
                    found = found or attributes.map_state == IS_VIEWABLE
            if name:
                xlib.XFree(name)
        if children:
            xlib.XFree(children)
        return found

    print("ready", flush=True)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if seen():
            print(round(time.time() * 1000), flush=True)
            return
        time.sleep(0.001)


if __name__ == "__main__":
    main()
