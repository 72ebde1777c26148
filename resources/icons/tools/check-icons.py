#!/usr/bin/python3
"""Checks Corvina's artwork. Exits 0 when every check passes, 1 otherwise.

- every icon name the interface asks for has its file (catalogue icons,
  interface symbols, letter circles, appearance previews, application icon);
- symbols are 16 x 16, made only of <path>, <rect> or <circle> elements
  filled with #2e3436 and never stroked (GTK recolours only those fills);
- service icons are 24 x 24 and hold no <text> (letters are paths);
- every SVG renders with rsvg-convert, and what it draws matches its kind:
  a letter circle has its letter cut out (transparent pixels inside the
  circle), a service icon is opaque with white pixels on it, a symbol
  draws something;
- the PNG renders of the application icon have the size their folder names.

Usage: /usr/bin/python3 check-icons.py [resources folder]
Needs rsvg-convert (Debian package librsvg2-bin). Prints one line per failure
and a closing "N passed, N failed" line.
"""

import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SVG_NS = "{http://www.w3.org/2000/svg}"

SERVICE_ICONS = [
    "Doubao", "Qianwen", "DeepSeek", "Xinghuo", "Wenxin", "Hunyuan", "Yuanbao",
    "MetaSo", "ChatGLM", "Kimi", "Shangliang", "DuckAI", "Xiaoyi", "Hailuo",
    "Wenxiaobai", "Zai", "Miaoda", "Baixiaoyi",
]

INTERFACE_SYMBOLS = [
    "sidebar.left", "sidebar.right", "chevron.left", "chevron.right",
    "arrow.clockwise", "rectangle.lefthalf.inset.filled",
    "xmark", "doc.on.clipboard", "rectangle.split.2x1",
    "rectangle.on.rectangle.angled", "gearshape", "plus.circle", "globe",
    "checkmark.circle.fill", "folder", "folder.badge.plus",
    "arrow.counterclockwise", "trash", "gear", "paintbrush",
    "arrow.down.circle", "doc.on.doc", "plus.rectangle.on.rectangle",
    "arrow.down.circle.fill", "arrow.up.doc", "checkmark", "tag",
    "plus.circle.fill", "pencil", "exclamationmark.triangle.fill", "ask.several",
    "rectangle.split.2x2", "arrow.up.left.and.arrow.down.right",
    "arrow.down.right.and.arrow.up.left", "text.bubble",
]

LETTER_SYMBOLS = [c + ".circle.fill" for c in "abcdefghijklmnopqrstuvwxyz"] + ["number.circle.fill"]

IMAGES = ["AppearanceLight", "AppearanceDark"]

APP_ID = "app.corvina.Corvina"
PNG_SIZES = (16, 24, 32, 48, 64, 128, 256)


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL: " + what)
        return ok


def read_png_rgba(data):
    """Decodes an 8-bit RGB or RGBA, non-interlaced PNG (what rsvg-convert
    writes) into rows of RGBA bytes."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG format"
            bpp = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev, i = [], bytearray(stride), 0
    for _ in range(height):
        ftype = raw[i]
        line = bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b = prev[x]
            c = prev[x - bpp] if x >= bpp else 0
            if ftype == 1:
                line[x] = (line[x] + a) & 255
            elif ftype == 2:
                line[x] = (line[x] + b) & 255
            elif ftype == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif ftype == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[x] = (line[x] + pred) & 255
        prev = line
        if bpp == 3:
            line = b"".join(bytes(line[k:k + 3]) + b"\xff" for k in range(0, stride, 3))
        rows.append(bytes(line))
    return width, height, rows


def render(path, size):
    out = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), path],
                         capture_output=True)
    if out.returncode != 0:
        return None
    return read_png_rgba(out.stdout)


def pixels(img):
    w, h, rows = img
    for y in range(h):
        for x in range(w):
            yield x, y, tuple(rows[y][4 * x:4 * x + 4])


def parse(path):
    try:
        return ET.parse(path).getroot()
    except (ET.ParseError, OSError):
        return None


def check_symbol(c, path, name, letter):
    root = parse(path)
    if not c.check(root is not None, "%s: not readable XML" % name):
        return
    c.check(root.get("viewBox") == "0 0 16 16", "%s: viewBox is not 0 0 16 16" % name)
    shapes = [e for e in root.iter() if e.tag in (SVG_NS + "path", SVG_NS + "rect", SVG_NS + "circle")]
    others = [e.tag for e in root.iter() if e is not root and e not in shapes]
    c.check(shapes and not others, "%s: holds elements other than path, rect, circle: %s" % (name, others))
    for e in shapes:
        c.check(e.get("fill") == "#2e3436", "%s: a shape is not filled with #2e3436" % name)
        c.check(e.get("stroke") in (None, "none"), "%s: a shape is stroked" % name)
    img = render(path, 32)
    if not c.check(img is not None, "%s: rsvg-convert cannot render it" % name):
        return
    drawn = sum(1 for _, _, p in pixels(img) if p[3] > 128)
    c.check(drawn > 32, "%s: draws (almost) nothing" % name)
    if letter:
        # inside the circle (radius 16 at 32 px) but away from its rim, the
        # letter must leave transparent pixels, else it is not cut out
        holes = sum(1 for x, y, p in pixels(img)
                    if (x + 0.5 - 16) ** 2 + (y + 0.5 - 16) ** 2 < 12 ** 2 and p[3] < 40)
        c.check(holes >= 25, "%s: the letter is not cut out of the circle (%d clear pixels)"
                % (name, holes))


def check_service(c, path, name):
    root = parse(path)
    if not c.check(root is not None, "%s: not readable XML" % name):
        return
    c.check(root.get("viewBox") == "0 0 24 24", "%s: viewBox is not 0 0 24 24" % name)
    c.check(not any(e.tag == SVG_NS + "text" for e in root.iter()), "%s: uses <text>" % name)
    img = render(path, 24)
    if not c.check(img is not None, "%s: rsvg-convert cannot render it" % name):
        return
    centre = [p for x, y, p in pixels(img) if 4 <= x < 20 and 4 <= y < 20]
    c.check(all(p[3] == 255 for p in centre), "%s: its tile does not cover the centre" % name)
    white = sum(1 for p in centre if min(p[:3]) > 230)
    c.check(white >= 20, "%s: no white mark on the tile (%d white pixels)" % (name, white))


def main(argv):
    res = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "..")
    c = Checks()
    for name in INTERFACE_SYMBOLS + LETTER_SYMBOLS:
        path = os.path.join(res, "icons", "symbols", name + "-symbolic.svg")
        if c.check(os.path.isfile(path), "missing symbol %s" % name):
            check_symbol(c, path, name, name in LETTER_SYMBOLS)
    for name in SERVICE_ICONS:
        path = os.path.join(res, "icons", "services", name + ".svg")
        if c.check(os.path.isfile(path), "missing service icon %s" % name):
            check_service(c, path, name)
    for name in IMAGES:
        path = os.path.join(res, "images", name + ".svg")
        if c.check(os.path.isfile(path), "missing image %s" % name):
            c.check(render(path, 64) is not None, "%s: rsvg-convert cannot render it" % name)
    app = os.path.join(res, "icons", "app")
    for rel in ("corvina.svg", "corvina-symbolic.svg",
                "hicolor/scalable/apps/%s.svg" % APP_ID,
                "hicolor/symbolic/apps/%s-symbolic.svg" % APP_ID):
        path = os.path.join(app, rel)
        if c.check(os.path.isfile(path), "missing application icon %s" % rel):
            c.check(render(path, 48) is not None, "%s: rsvg-convert cannot render it" % rel)
    path = os.path.join(app, "corvina-symbolic.svg")
    if os.path.isfile(path):
        check_symbol(c, path, "corvina-symbolic", False)
    for n in PNG_SIZES:
        rel = "hicolor/%dx%d/apps/%s.png" % (n, n, APP_ID)
        path = os.path.join(app, rel)
        if c.check(os.path.isfile(path), "missing application icon %s" % rel):
            with open(path, "rb") as f:
                w, h = struct.unpack(">II", f.read(24)[16:24])
            c.check((w, h) == (n, n), "%s is %dx%d" % (rel, w, h))
    print("%d passed, %d failed" % (c.passed, c.failed))
    return 0 if c.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
