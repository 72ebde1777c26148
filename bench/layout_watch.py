#!/usr/bin/env python3
"""Times one change of layout: presses a key through the X test extension, then reads a
rectangle of the screen straight from the X server, in tiles of TILE × TILE pixels, for
CAPTURE seconds and SETTLE seconds more. Tiles that still change while settling (clocks'
seconds, spinners, pulsing dots) are left out; the change is drawn when every other tile
shows what it shows at the end. The pages' own animations thus neither hide nor fake the
change, and nothing need be known beforehand of what the new layout looks like; a tile
that changes seldom (a clock's minutes) can still make one time too long.
Prints the milliseconds from the key press to that moment ("none" when no tile changed),
then "resolution MS", the mean time between two reads (10 ms of it a pause), then "tiles N M",
the tiles that counted and those left out.
Usage: layout_watch.py X Y W H KEY [CAPTURE SETTLE]   (KEY like ctrl+alt+5)"""
import ctypes
import ctypes.util
import sys
import time
import zlib

from xlib import ALL_PLANES, Z_PIXMAP, open_display
TILE = 48
PAUSE = 0.01


def plain(xlib, display, root, x, y, w, h):
    image = xlib.XGetImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP)
    stride = ctypes.c_int.from_address(image + 44).value
    pixels = memoryview((ctypes.c_char * (stride * h)).from_address(
        ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value)).cast("B")

    def read(drawable, sx, sy):
        xlib.XGetSubImage(display, drawable, sx, sy, w, h, ALL_PLANES, Z_PIXMAP, image, 0, 0)
    return read, pixels, stride


class ShmSegmentInfo(ctypes.Structure):
    _fields_ = [("shmseg", ctypes.c_ulong), ("shmid", ctypes.c_int), ("shmaddr", ctypes.c_void_p),
                ("readOnly", ctypes.c_int)]


def shared_memory(xlib, display):
    """A maker of images read through MIT-SHM, or None without it."""
    try:
        xext = ctypes.CDLL(ctypes.util.find_library("Xext"))
        libc = ctypes.CDLL(None, use_errno=True)
    except OSError:
        return None
    if not xext.XShmQueryExtension(ctypes.c_void_p(display)):
        return None
    xext.XShmCreateImage.restype = ctypes.c_void_p
    xext.XShmCreateImage.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                     ctypes.c_void_p, ctypes.POINTER(ShmSegmentInfo), ctypes.c_uint, ctypes.c_uint]
    xext.XShmAttach.argtypes = [ctypes.c_void_p, ctypes.POINTER(ShmSegmentInfo)]
    xext.XShmGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_ulong]
    xlib.XDefaultVisual.restype = ctypes.c_void_p
    xlib.XDefaultVisual.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XDefaultDepth.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    libc.shmget.argtypes = [ctypes.c_int, ctypes.c_size_t, ctypes.c_int]
    libc.shmat.restype = ctypes.c_void_p
    libc.shmat.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
    libc.shmctl.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_void_p]
    visual, depth = xlib.XDefaultVisual(display, 0), xlib.XDefaultDepth(display, 0)
    infos = []  # kept alive as long as the images

    def make(x, w, h):
        info = ShmSegmentInfo()
        image = xext.XShmCreateImage(display, visual, depth, Z_PIXMAP, None, ctypes.byref(info), w, h)
        stride = ctypes.c_int.from_address(image + 44).value
        info.shmid = libc.shmget(0, stride * h, 0o1600)  # IPC_PRIVATE, IPC_CREAT | 0600
        info.shmaddr = libc.shmat(info.shmid, None, 0)
        ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value = info.shmaddr
        xext.XShmAttach(display, ctypes.byref(info))
        xlib.XSync(display, 0)
        libc.shmctl(info.shmid, 0, None)  # IPC_RMID: gone once both sides let go
        infos.append(info)
        pixels = memoryview((ctypes.c_char * (stride * h)).from_address(info.shmaddr)).cast("B")

        def read(drawable, sx, sy):
            xext.XShmGetImage(display, drawable, image, sx, sy, ALL_PLANES)
        return read, pixels, stride
    return make


def main():
    x, y, w, h = (int(a) for a in sys.argv[1:5])
    key = sys.argv[5]
    capture = float(sys.argv[6]) if len(sys.argv) > 6 else 3.0
    settle = float(sys.argv[7]) if len(sys.argv) > 7 else 2.0
    xlib, xtst, display, root = open_display()

    # One image per column of tiles, so that each tile is one run of bytes; read through
    # shared memory where the server offers it (a plain read of the whole window takes
    # ~50 ms, longer than what is measured).
    shared = shared_memory(xlib, display)
    strips = []
    for sx in range(x, x + w, TILE):
        sw = min(TILE, x + w - sx)
        strips.append((sx, sw) + (shared(sx, sw, h) if shared else plain(xlib, display, root, sx, y, sw, h)))
    rows = range(0, h, TILE)

    def grab():
        sums = []
        for sx, sw, read, pixels, stride in strips:
            read(root, sx, y)
            sums.extend(zlib.crc32(pixels[r * stride:min(r + TILE, h) * stride]) for r in rows)
        return sums

    codes = [xlib.XKeysymToKeycode(display, xlib.XStringToKeysym(
        {"ctrl": b"Control_L", "alt": b"Alt_L", "shift": b"Shift_L"}.get(k, k.encode())))
        for k in key.split("+")]
    before = grab()
    for code in codes:
        xtst.XTestFakeKeyEvent(display, code, 1, 0)
    for code in reversed(codes):
        xtst.XTestFakeKeyEvent(display, code, 0, 0)
    xlib.XFlush(display)
    start = time.monotonic()
    frames = [(0.0, before)]
    while time.monotonic() - start < capture + settle:
        sums = grab()
        frames.append((time.monotonic() - start, sums))
        # a breath between reads: on two cores, reading without pause slows what it times
        time.sleep(PAUSE)
    settling = [sums for t, sums in frames if t >= capture]
    final = frames[-1][1]
    moving = {i for i in range(len(final)) if any(sums[i] != final[i] for sums in settling)}
    counted = [i for i in range(len(final)) if i not in moving]
    # The first frame from which every counted tile stays as it ends.
    drawn = None
    for t, sums in reversed(frames):
        if any(sums[i] != final[i] for i in counted):
            break
        drawn = t
    changed = any(before[i] != final[i] for i in counted)
    if drawn is not None:
        # which tiles changed last, to tell what took the time
        last = [i for i in counted if frames[[t for t, _ in frames].index(drawn) - 1][1][i] != final[i]]
        print("last", " ".join(f"{x + (i // len(rows)) * TILE},{y + (i % len(rows)) * TILE}" for i in last[:12]),
              file=sys.stderr)
    print(f"{drawn * 1000:.1f}" if changed and drawn is not None else "none", flush=True)
    print(f"resolution {(frames[-1][0] - frames[1][0]) * 1000 / max(len(frames) - 2, 1):.1f}")
    print(f"tiles {len(counted)} {len(moving)}")


if __name__ == "__main__":
    main()
