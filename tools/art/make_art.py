#!/usr/bin/env python3
"""Writes Zonewright's icon and corner picture.

    python3 tools/art/make_art.py

Output goes to src/ui/res/ (zonewright.ico, corner.bmp). Standard library
only, and the bytes are the same on every run so the files can be checked in.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, "..", "..", "src", "ui", "res"))

# Standard Windows 16-colour palette, in its usual index order (RGB).
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
ORANGE = (255, 128, 0)
NAVY = (0, 0, 128)
# LR_LOADMAP3DCOLORS turns exactly this grey into the dialog face colour.
FACE = (192, 192, 192)

VGA_NAVY = 4
VGA_RED = 9    # nearest strong colour to orange the 16-colour palette has
PAL8_ORANGE = 16


# ---------------------------------------------------------------- geometry
# Coordinates are in pixels, y down; pixel (x, y) covers [x, x+1) x [y, y+1).

def in_square_outline(px, py, a, b, t):
    """Square [a, b] x [a, b] minus its interior shrunk by t."""
    if not (a <= px <= b and a <= py <= b):
        return False
    return not (a + t < px < b - t and a + t < py < b - t)


def in_disk(px, py, cx, cy, r):
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


class Arrow:
    """Double-headed arrow on the 45-degree diagonal from (c0, c0) to
    (c1, c1). Each tip stops `gap` pixels (in x and y) short of its end so
    the dots drawn there stay visible. The heads are right-angled with
    horizontal and vertical legs `leg` pixels long, which keeps them crisp
    on the pixel grid."""

    def __init__(self, c0, c1, gap, width, leg):
        r2 = math.sqrt(2.0)
        self.c0 = c0
        self.lo = gap * r2
        self.hi = (c1 - c0 - gap) * r2
        self.w2 = width / 2.0
        self.hl = leg / r2

    def contains(self, px, py):
        # Position along (s) and across (d) the diagonal.
        dx = px - self.c0
        dy = py - self.c0
        s = (dx + dy) / math.sqrt(2.0)
        d = abs(dx - dy) / math.sqrt(2.0)
        if s < self.lo or s > self.hi:
            return False
        back = min(s - self.lo, self.hi - s)     # distance from nearer tip
        if back <= self.hl:
            return d <= back
        return d <= self.w2


class Picture:
    """Orange square outline with a navy arrow and end dots on top."""

    def __init__(self, a, b, t, dot_r, arrow):
        self.a, self.b, self.t = a, b, t
        c = a + t / 2.0          # dots sit on the outline's corners
        e = b - t / 2.0
        self.dots = ((c, c), (e, e))
        self.dot_r = dot_r
        self.arrow = arrow

    def sample(self, px, py):
        """0 = nothing, 1 = orange, 2 = dark."""
        for cx, cy in self.dots:
            if in_disk(px, py, cx, cy, self.dot_r):
                return 2
        if self.arrow.contains(px, py):
            return 2
        if in_square_outline(px, py, self.a, self.b, self.t):
            return 1
        return 0

    def coverage(self, size, n=16):
        """Per pixel (orange fraction, dark fraction) from n x n samples."""
        out = []
        inv = 1.0 / (n * n)
        for y in range(size):
            row = []
            for x in range(size):
                cnt = [0, 0, 0]
                for j in range(n):
                    py = y + (j + 0.5) / n
                    for i in range(n):
                        cnt[self.sample(x + (i + 0.5) / n, py)] += 1
                row.append((cnt[1] * inv, cnt[2] * inv))
            out.append(row)
        return out


def flat(cov):
    """Hard-edged version: 0 = transparent, 1 = orange, 2 = dark."""
    return [[2 if d >= 0.5 else 1 if o >= 0.5 else 0 for o, d in row]
            for row in cov]


# At 16 px shapes drawn by formula turn to mush, so this one is by hand:
# o = orange, d = dark, . = transparent.
ICON16 = """
ddd.............
dddoooooooooooo.
ddd...........o.
.o............o.
.o..ddd.......o.
.o..dd........o.
.o..d.d.......o.
.o.....d......o.
.o......d.....o.
.o.......d.d..o.
.o........dd..o.
.o.......ddd..o.
.o............o.
.o...........ddd
.ooooooooooooddd
.............ddd
"""


def icon_cover(size):
    """(orange, dark) coverage per pixel for one icon size."""
    if size == 16:
        rows = ICON16.split()
        assert len(rows) == 16 and all(len(r) == 16 for r in rows)
        return [[(1.0 * (c == "o"), 1.0 * (c == "d")) for c in r]
                for r in rows]
    return icon_picture(size).coverage(size)


def icon_picture(size):
    # Hand-tuned per size so the small ones land on whole pixels.
    if size == 24:
        return Picture(2, 22, 2, 2.0, Arrow(3, 21, 3, 1.5, 4.5))
    if size == 32:
        return Picture(2, 30, 2, 3.2, Arrow(3, 29, 3, 2.0, 7.5))
    if size == 48:
        return Picture(3, 45, 3, 4.4, Arrow(4.5, 43.5, 5.5, 3.0, 9.5))
    raise ValueError(size)


# ------------------------------------------------------------- bmp helpers

def row_bytes(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def pack_rows(grid, bpp):
    """Bottom-up packed pixel rows, each padded to 4 bytes."""
    out = bytearray()
    for row in reversed(grid):
        bits = bytearray(row_bytes(len(row), bpp))
        if bpp == 32:
            for x, (r, g, b, a) in enumerate(row):
                bits[4 * x:4 * x + 4] = bytes((b, g, r, a))
        elif bpp == 8:
            bits[:len(row)] = bytes(row)
        else:  # 4 or 1
            per = 8 // bpp
            for x, v in enumerate(row):
                shift = 8 - bpp * (x % per + 1)
                bits[x // per] |= v << shift
        out += bits
    return bytes(out)


def info_header(width, height, bpp, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       image_size, 0, 0, 0, 0)


def palette_bytes(colours, count):
    colours = list(colours) + [(0, 0, 0)] * (count - len(colours))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


# ------------------------------------------------------------------- icon

def icon_dib(size, bpp, cov):
    """One icon image: header, colour table, XOR bits, AND mask."""
    if bpp == 32 and size < 32:
        # Smoothing only blurs thin diagonals this small; keep them crisp.
        cov = [[(1.0 * (v == 1), 1.0 * (v == 2)) for v in row]
               for row in flat(cov)]
    if bpp == 32:
        pix = []
        for row in cov:
            out = []
            for o, d in row:
                a = d + o * (1.0 - d)          # dark over orange
                if a <= 0.0:
                    out.append((0, 0, 0, 0))
                    continue
                rgb = tuple(int(round((NAVY[k] * d + ORANGE[k] * o * (1 - d))
                                      / a)) for k in range(3))
                out.append(rgb + (int(round(a * 255)),))
            pix.append(out)
        mask = [[1 if p[3] == 0 else 0 for p in row] for row in pix]
        table = b""
    else:
        f = flat(cov)
        orange = VGA_RED if bpp == 4 else PAL8_ORANGE
        idx = {0: 0, 1: orange, 2: VGA_NAVY}
        pix = [[idx[v] for v in row] for row in f]
        mask = [[1 if v == 0 else 0 for v in row] for row in f]
        if bpp == 4:
            table = palette_bytes(VGA, 16)
        else:
            table = palette_bytes(VGA + [ORANGE], 256)
    xor = pack_rows(pix, bpp)
    andm = pack_rows(mask, 1)
    return (info_header(size, size * 2, bpp, len(xor) + len(andm))
            + table + xor + andm)


def make_icon():
    images = []
    for size in (48, 32, 24, 16):
        cov = icon_cover(size)
        for bpp in (4, 8, 32):
            images.append((size, bpp, icon_dib(size, bpp, cov)))
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, bpp, data in images:
        colours = 16 if bpp == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp,
                               len(data), offset)
        offset += len(data)
    return head + entries + b"".join(d for _, _, d in images)


# ---------------------------------------------------------- corner picture

def make_corner():
    size = 100
    pic = Picture(6, 94, 2, 4.5, Arrow(7, 93, 5, 2.0, 13.5))
    # flat() gives 0/1/2, which are also the indices into this table.
    # Index 0 is the face grey; nothing else in the table is a grey that
    # LR_LOADMAP3DCOLORS would remap.
    pix = flat(pic.coverage(size, n=8))
    table = palette_bytes([FACE, ORANGE, NAVY], 256)
    bits = pack_rows(pix, 8)
    info = info_header(size, size, 8, len(bits))
    off = 14 + len(info) + len(table)
    filehdr = struct.pack("<2sIHHI", b"BM", off + len(bits), 0, 0, off)
    return filehdr + info + table + bits


def main():
    os.makedirs(RES, exist_ok=True)
    for name, data in (("zonewright.ico", make_icon()),
                       ("corner.bmp", make_corner())):
        path = os.path.join(RES, name)
        with open(path, "wb") as fh:
            fh.write(data)
        print("wrote %s (%d bytes)" % (path, len(data)))


if __name__ == "__main__":
    main()
