#!/usr/bin/env python3
"""Draws the program's icons and sort-arrow bitmaps.

Every icon is described once in a 16-unit design grid and rasterised with
supersampling at each size a display scale asks for: 16, 20, 24 and 32 pixels
(100 %, 125 %, 150 %, 200 %), and the program icon also at the large sizes 40 and 48
(32-bit colour with alpha, plus the AND mask for old renderers); the results are
written as .ico files. The sort arrows are small
4-bit bitmaps whose background is the classic button-face grey (192,192,192), so
LoadImage(..., LR_LOADMAP3DCOLORS) maps them onto the current header colours.

Only the Python standard library is used. Usage:
    tools/make-icons.py OUTDIR            write the .ico and .bmp files
    tools/make-icons.py OUTDIR --preview  also write preview.png (not committed)
"""
import math
import os
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32)
LARGE_SIZES = {'app': (40, 48)}  # the window's large icon above 100 %
SAMPLES = 6  # per pixel and axis


def hexc(s, a=255):
    s = s.lstrip('#')
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16), a)


# ---------------------------------------------------------------- shapes
# A shape is a predicate inside(x, y) in design units (0..16, y down) with a
# bounding box, so the rasteriser only samples where it matters.

class Shape:
    def __init__(self, inside, box):
        self.inside = inside
        self.box = box  # x0, y0, x1, y1

    def grown(self, d):
        """The shape widened by about d units in every direction (for outlines)."""
        steps = [(d * math.cos(a * math.pi / 8), d * math.sin(a * math.pi / 8)) for a in range(16)]
        steps += [(d * 0.5 * math.cos(a * math.pi / 4), d * 0.5 * math.sin(a * math.pi / 4)) for a in range(8)]
        inner = self.inside
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: inner(x, y) or any(inner(x + dx, y + dy) for dx, dy in steps),
                     (x0 - d, y0 - d, x1 + d, y1 + d))

    def minus(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) and not b(x, y), self.box)

    def union(self, other):
        a, b = self.inside, other.inside
        box = (min(self.box[0], other.box[0]), min(self.box[1], other.box[1]),
               max(self.box[2], other.box[2]), max(self.box[3], other.box[3]))
        return Shape(lambda x, y: a(x, y) or b(x, y), box)

    def clipped(self, x0, y0, x1, y1):
        a = self.inside
        return Shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1 and a(x, y),
                     (max(self.box[0], x0), max(self.box[1], y0), min(self.box[2], x1), min(self.box[3], y1)))


def polygon(pts):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    n = len(pts)

    def inside(x, y):
        c = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                c = not c
            j = i
        return c
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def rect(x0, y0, x1, y1, r=0.0):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        if r <= 0:
            return True
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, w):
    return circle(cx, cy, r + w / 2).minus(circle(cx, cy, r - w / 2))


def line(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9
    h = w / 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= h * h
    return Shape(inside, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))


def arc(cx, cy, r, w, a0, a1):
    """Stroke of a circle from angle a0 to a1 (degrees, clockwise on screen, 0 = right)."""
    span = (a1 - a0) % 360

    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > w / 2:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx))
        return (a - a0) % 360 <= span
    return Shape(inside, (cx - r - w, cy - r - w, cx + r + w, cy + r + w))


def star(cx, cy, ro, ri, points=5, rot=-90):
    pts = []
    for i in range(points * 2):
        r = ro if i % 2 == 0 else ri
        a = math.radians(rot + i * 180 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


def gear(cx, cy, ro, ri, teeth, hole):
    pts = []
    for i in range(teeth * 4):
        a = math.radians(i * 360 / (teeth * 4) - 90 + 360 / (teeth * 8))
        r = ro if (i % 4) in (1, 2) else ri
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts).minus(circle(cx, cy, hole))


# ---------------------------------------------------------------- canvas

def solid(c):
    return lambda x, y: c


def vgrad(c0, c1, y0, y1):
    def f(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(round(c0[i] + (c1[i] - c0[i]) * t) for i in range(4))
    return f


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / 16.0
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]  # premultiplied floats

    def fill(self, shape, paint):
        if not callable(paint):
            paint = solid(paint)
        s, n = self.scale, SAMPLES
        x0, y0, x1, y1 = shape.box
        for py in range(max(0, int(y0 * s) - 1), min(self.size, int(y1 * s) + 2)):
            for px in range(max(0, int(x0 * s) - 1), min(self.size, int(x1 * s) + 2)):
                hits = 0
                for sy in range(n):
                    y = (py + (sy + 0.5) / n) / s
                    for sx in range(n):
                        if shape.inside((px + (sx + 0.5) / n) / s, y):
                            hits += 1
                if not hits:
                    continue
                cov = hits / (n * n)
                c = paint((px + 0.5) / s, (py + 0.5) / s)
                a = c[3] / 255.0 * cov
                r, g, b, da = self.px[py][px]
                k = 1 - a
                self.px[py][px] = (c[0] * a + r * k, c[1] * a + g * k, c[2] * a + b * k, 255 * a + da * k)

    def outlined(self, shape, paint, outline, width=0.9):
        """Shape with a dark border; the border is drawn at the same width in
        design units at both sizes, never thinner than one pixel at 16x16."""
        self.fill(shape.grown(width), outline)
        self.fill(shape, paint)

    def rgba(self):
        out = []
        for row in self.px:
            r2 = []
            for r, g, b, a in row:
                if a <= 0.5:
                    r2.append((0, 0, 0, 0))
                else:
                    f = 255.0 / a
                    r2.append((min(255, round(r * f)), min(255, round(g * f)), min(255, round(b * f)), min(255, round(a))))
            out.append(r2)
        return out


# ---------------------------------------------------------------- palette

INK = hexc('23313f')
BLUE, BLUE_D, BLUE_L = hexc('2f6fc0'), hexc('163a6b'), hexc('7fb2ee')
GOLD, GOLD_D, GOLD_L = hexc('f5b82e'), hexc('8a5a00'), hexc('ffe08a')
FOLD, FOLD_D, FOLD_L = hexc('e9ae34'), hexc('7d5410'), hexc('ffd878')
GREEN, GREEN_D = hexc('2f9e52'), hexc('135c2c')
RED, RED_D = hexc('d93c35'), hexc('7c1512')
WHITE = hexc('ffffff')
GREY, GREY_D, GREY_L = hexc('8a96a3'), hexc('3b4652'), hexc('d9dee4')
PAPER = hexc('fbfcfe')


# ---------------------------------------------------------------- icons

def draw_app(c):
    bg = rect(1, 1, 15, 15, 3)
    c.fill(bg.grown(0.6), BLUE_D)
    c.fill(bg, vgrad(hexc('4f8fdc'), hexc('1d4f93'), 1, 15))
    water = Shape(lambda x, y: bg.inside(x, y) and y >= 10.6 + 0.9 * math.sin((x - 1) * 0.9), bg.box)
    c.fill(water, vgrad(hexc('8fd3f4'), hexc('3b9ad6'), 9.5, 15))
    ribbon = polygon([(5, 2.5), (11, 2.5), (11, 12.5), (8, 10), (5, 12.5)])
    c.outlined(ribbon, vgrad(GOLD_L, GOLD, 2.5, 12.5), GOLD_D, 0.7)


def draw_folder(c):
    back = polygon([(1, 2.8), (6, 2.8), (7.5, 4.3), (15, 4.3), (15, 13.5), (1, 13.5)])
    c.outlined(back, FOLD, FOLD_D, 0.8)
    front = polygon([(1, 6.3), (15, 6.3), (15, 13.5), (1, 13.5)])
    c.fill(front, vgrad(FOLD_L, FOLD, 6.3, 13.5))
    c.fill(rect(1, 6.3, 15, 6.9), hexc('fff1c4'))


def draw_favor(c):
    s = star(8, 8.6, 7.2, 3.1)
    c.outlined(s, vgrad(GOLD_L, GOLD, 1.5, 15), GOLD_D, 0.8)


def draw_plus_badge(c, cx, cy, r):
    disc = circle(cx, cy, r)
    c.outlined(disc, vgrad(hexc('5cc97c'), GREEN, cy - r, cy + r), GREEN_D, 0.7)
    a = r * 0.62
    w = r * 0.42
    c.fill(rect(cx - a, cy - w / 2, cx + a, cy + w / 2), WHITE)
    c.fill(rect(cx - w / 2, cy - a, cx + w / 2, cy + a), WHITE)


def draw_new(c):
    draw_plus_badge(c, 8, 8, 6.6)


def draw_edit(c):
    # pencil from the bottom left to the top right
    body = polygon([(3.2, 10.6), (11.2, 2.6), (13.4, 4.8), (5.4, 12.8)])
    tip = polygon([(3.2, 10.6), (5.4, 12.8), (1.6, 14.4)])
    c.fill(body.union(tip).grown(0.8), INK)
    c.fill(body, vgrad(hexc('ffcf5a'), hexc('e38b12'), 2, 13))
    c.fill(tip, hexc('f3d9b1'))
    c.fill(polygon([(1.6, 14.4), (2.2, 12.8), (3.2, 13.8)]), INK)
    c.fill(polygon([(11.2, 2.6), (12.3, 1.5), (14.5, 3.7), (13.4, 4.8)]), hexc('f08aa0'))


def draw_delete(c):
    x = line(3.5, 3.5, 12.5, 12.5, 3).union(line(12.5, 3.5, 3.5, 12.5, 3))
    c.outlined(x, vgrad(hexc('f06a5f'), RED, 2, 14), RED_D, 0.8)


def draw_save(c):
    disk = polygon([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)])
    c.outlined(disk, vgrad(hexc('4a86d4'), hexc('24569c'), 1.5, 14.5), BLUE_D, 0.8)
    c.fill(rect(4, 1.5, 12, 6.5), GREY_L)
    c.fill(rect(9.5, 2.3, 11, 5.7), GREY_D)
    c.fill(rect(3.5, 9, 12.5, 14.5, 0.6), PAPER)
    c.fill(rect(5, 10.6, 11, 11.3), GREY)
    c.fill(rect(5, 12.4, 11, 13.1), GREY)


def draw_tray(c):
    tray = polygon([(1.2, 9), (4, 9), (5, 11), (11, 11), (12, 9), (14.8, 9), (14.8, 14.8), (1.2, 14.8)])
    c.outlined(tray, vgrad(GREY_L, GREY, 9, 15), GREY_D, 0.8)


def arrow(down, x0, y_from, y_to):
    """A fat vertical arrow pointing from y_from to y_to."""
    d = 1 if y_to > y_from else -1
    hw, sw = 4.2, 1.7  # head half-width, shaft half-width
    hy = y_to - d * 4.2
    return polygon([(x0 - sw, y_from), (x0 + sw, y_from), (x0 + sw, hy), (x0 + hw, hy),
                    (x0, y_to), (x0 - hw, hy), (x0 - sw, hy)])


def draw_import(c):
    draw_tray(c)
    c.outlined(arrow(True, 8, 0.8, 11.5), vgrad(hexc('5cc97c'), GREEN, 1, 11), GREEN_D, 0.8)


def draw_export(c):
    draw_tray(c)
    c.outlined(arrow(False, 8, 11, 0.8), vgrad(hexc('7fb2ee'), BLUE, 1, 11), BLUE_D, 0.8)


def draw_window(c, x0, y0, x1, y1, title=BLUE):
    frame = rect(x0, y0, x1, y1, 0.8)
    c.outlined(frame, PAPER, BLUE_D, 0.8)
    c.fill(rect(x0, y0, x1, y0 + 3, 0.8).union(rect(x0, y0 + 1.5, x1, y0 + 3)), vgrad(BLUE_L, title, y0, y0 + 3))


def draw_quick(c):
    draw_window(c, 1, 2, 12, 12)
    c.fill(rect(2.5, 6.5, 10.5, 7.3), GREY)
    c.fill(rect(2.5, 8.6, 8.5, 9.4), GREY)
    bolt = polygon([(11.2, 4.5), (15.2, 4.5), (12.9, 8.6), (15.4, 8.6), (9.6, 15.6), (11.2, 10.4), (8.8, 10.4)])
    c.outlined(bolt, vgrad(GOLD_L, GOLD, 4, 15), GOLD_D, 0.7)


def draw_magnifier(c, lens_fill):
    c.fill(line(9.6, 9.6, 14.2, 14.2, 3.2).grown(0.7), INK)
    c.fill(line(9.6, 9.6, 14.2, 14.2, 3.2), vgrad(hexc('8a5a2b'), hexc('5a3414'), 9, 15))
    c.fill(circle(6.5, 6.5, 5.6).grown(0.5), INK)
    c.fill(ring(6.5, 6.5, 4.7, 1.8), vgrad(GREY_L, GREY, 1, 12))
    c.fill(circle(6.5, 6.5, 3.8), lens_fill)


def draw_search(c):
    draw_magnifier(c, vgrad(hexc('e8f4ff'), hexc('a9d2f5'), 2.5, 10.5))
    c.fill(arc(6.5, 6.5, 2.5, 0.9, 200, 260), WHITE)


def draw_find(c):
    draw_magnifier(c, hexc('eef6ff'))
    c.fill(star(6.5, 6.8, 3.3, 1.4), GOLD)


def draw_magic(c):
    c.fill(line(2, 14, 10, 6, 2.4).grown(0.6), INK)
    c.fill(line(2, 14, 10, 6, 2.4), vgrad(hexc('8a7be0'), hexc('4b3a9c'), 6, 14))
    c.fill(line(8.6, 7.4, 10, 6, 2.4), WHITE)
    c.outlined(star(12, 4, 3.9, 1.5, 4, -90), GOLD_L, GOLD_D, 0.6)
    c.fill(star(5, 4.2, 2.1, 0.7, 4, -45), GOLD)
    c.fill(star(13.3, 11.3, 2.1, 0.7, 4, -45), GOLD)


def draw_most(c):
    base = rect(1.5, 13.4, 14.5, 14.6)
    c.fill(base, GREY_D)
    for x0, h, col, dark in ((2.5, 5, hexc('7fb2ee'), BLUE_D), (6.5, 8.5, GOLD, GOLD_D), (10.5, 12, hexc('5cc97c'), GREEN_D)):
        bar = rect(x0, 13.4 - h, x0 + 3, 13.4)
        c.fill(bar.grown(0.6).clipped(0, 0, 16, 13.4), dark)
        c.fill(bar, col)


def draw_latest(c):
    face = circle(8, 8, 6.6)
    c.fill(face.grown(0.7), BLUE_D)
    c.fill(ring(8, 8, 6.1, 1.2), BLUE)
    c.fill(circle(8, 8, 5.5), PAPER)
    for k in range(12):
        a = math.radians(k * 30)
        r0 = 4.2 if k % 3 else 3.6
        c.fill(line(8 + r0 * math.cos(a), 8 + r0 * math.sin(a), 8 + 4.9 * math.cos(a), 8 + 4.9 * math.sin(a), 0.7), GREY)
    c.fill(line(8, 8, 8, 4, 1.3), INK)
    c.fill(line(8, 8, 11, 9.8, 1.3), INK)
    c.fill(circle(8, 8, 1.0), RED)


def draw_browser(c):
    draw_window(c, 1, 1.5, 15, 14.5)
    c.fill(rect(1.4, 4.5, 6, 14.1), hexc('eef3fa'))
    c.fill(rect(6, 4.5, 6.7, 14.1), GREY_L)
    for y in (6, 8.5, 11):
        c.fill(rect(2.4, y, 5, y + 1.4, 0.3), FOLD)
    for y in (6.2, 8.7, 11.2):
        c.fill(rect(7.8, y, 9.2, y + 1.2, 0.3), GOLD)
        c.fill(rect(9.8, y + 0.2, 13.8, y + 1.0), GREY)


def draw_exit(c):
    c.fill(arc(8, 8.8, 5.4, 2.2, -50, 230).grown(0.6), RED_D)
    c.fill(line(8, 1.6, 8, 8, 2.2).grown(0.6), RED_D)
    c.fill(arc(8, 8.8, 5.4, 2.2, -50, 230), RED)
    c.fill(line(8, 1.6, 8, 8, 2.2), RED)


def draw_help(c):
    c.outlined(circle(8, 8, 6.8), vgrad(hexc('5a9be6'), hexc('1f5aa8'), 1, 15), BLUE_D, 0.7)
    c.fill(arc(8, 6.1, 2.4, 1.9, 160, 80), WHITE)
    c.fill(line(8.4, 8.5, 8, 9.8, 1.9), WHITE)
    c.fill(circle(8, 12.2, 1.2), WHITE)


def draw_prefs(c):
    g = gear(8, 8, 7.2, 5.2, 8, 2.2)
    c.outlined(g, vgrad(GREY_L, GREY, 1, 15), GREY_D, 0.8)
    c.fill(ring(8, 8, 2.2, 0.8), GREY_D)


def draw_add(c):
    c.outlined(star(7, 7.6, 6.6, 2.8), vgrad(GOLD_L, GOLD, 1, 14), GOLD_D, 0.8)
    draw_plus_badge(c, 11.8, 11.8, 3.7)


ICONS = {
    'app': draw_app, 'folder': draw_folder, 'favor': draw_favor,
    'btn-new': draw_new, 'btn-edit': draw_edit, 'btn-delete': draw_delete, 'btn-save': draw_save,
    'btn-import': draw_import, 'btn-export': draw_export, 'btn-quickpanel': draw_quick,
    'btn-search': draw_search, 'btn-magicadd': draw_magic, 'btn-mostvisited': draw_most,
    'btn-latestvisited': draw_latest, 'btn-browser': draw_browser,
    'menu-exit': draw_exit, 'menu-help': draw_help, 'menu-preferences': draw_prefs,
    'menu-find': draw_find, 'menu-add': draw_add,
}


# ---------------------------------------------------------------- file formats

def ico_image(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_ico(path, images):
    count = len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, count))
    offset = 6 + 16 * count
    blobs = []
    for px in images:
        blob = ico_image(px)
        size = len(px)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for b in blobs:
        out += b
    with open(path, 'wb') as f:
        f.write(out)


def sort_arrow(ascending):
    """9 x 5 triangle in the shadow grey on button-face grey, 4 bits per pixel."""
    w, h = 9, 5
    rows = []
    for y in range(h):
        half = y if ascending else (h - 1 - y)  # apex row has one pixel
        rows.append([1 if abs(x - 4) <= half else 0 for x in range(w)])
    palette = [(192, 192, 192), (128, 128, 128)] + [(0, 0, 0)] * 14
    stride = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line_ = bytearray(stride)
        for x, v in enumerate(row):
            line_[x // 2] |= v << (4 if x % 2 == 0 else 0)
        pixels += line_
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    off = 14 + len(info) + len(pal)
    head = struct.pack('<2sIHHI', b'BM', off + len(pixels), 0, 0, off)
    return head + info + pal + bytes(pixels)


def write_png(path, px):
    h, w = len(px), len(px[0])
    raw = b''.join(b'\x00' + bytes(v for p in row for v in p[:3]) for row in px)

    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    data += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(data)


def preview(path, rendered, zoom=4):
    """A grid of every icon: each of SIZES at true size, then 16x16 zoomed, on a
    light and on a dark background."""
    pad, cols = 8, 4
    names = list(rendered)
    cw = pad + sum(size + pad for size in SIZES) + 16 * zoom + pad
    ch = 16 * zoom + pad
    rows = (len(names) + cols - 1) // cols
    width, height = cols * cw + pad, rows * ch + pad
    canvas = [[(240, 240, 240) if y < height else (45, 50, 58)] * width for y in range(height * 2)]

    def blit(img, ox, oy, z):
        for y, row in enumerate(img):
            for x, (r, g, b, a) in enumerate(row):
                k = a / 255.0
                for dy in range(z):
                    line_ = canvas[oy + y * z + dy]
                    for dx in range(z):
                        br, bg, bb = line_[ox + x * z + dx]
                        line_[ox + x * z + dx] = (round(r * k + br * (1 - k)), round(g * k + bg * (1 - k)),
                                                  round(b * k + bb * (1 - k)))
    for half in (0, height):
        for i, n in enumerate(names):
            ox, oy = pad + (i % cols) * cw, half + pad + (i // cols) * ch
            for size in SIZES:
                blit(rendered[n][size], ox, oy, 1)
                ox += size + pad
            blit(rendered[n][16], ox, oy, zoom)
    write_png(path, canvas)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rendered = {}
    for name, draw in ICONS.items():
        imgs = {}
        sizes = SIZES + LARGE_SIZES.get(name, ())
        for size in sizes:
            c = Canvas(size)
            draw(c)
            imgs[size] = c.rgba()
        rendered[name] = imgs
        write_ico(os.path.join(out, name + '.ico'), [imgs[s] for s in sizes])
    for name, asc in (('sort-asc', True), ('sort-desc', False)):
        with open(os.path.join(out, name + '.bmp'), 'wb') as f:
            f.write(sort_arrow(asc))
    if '--preview' in sys.argv:
        preview(os.path.join(out, 'preview.png'), rendered)
    return 0


if __name__ == '__main__':
    sys.exit(main())
