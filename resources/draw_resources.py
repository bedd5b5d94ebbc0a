#!/usr/bin/env python3
"""Draw Tavrelo's pictures and write its region block.

Writes, beside this script: skin.bmp, region.bin, tavrelo-32.png,
tavrelo-16.png, frame0.png, frame1.png, frame2.png.  The skin is painted from
the rectangle table, so its non-black pixels are exactly the window region.
Run it again after changing the table or a drawing; the outputs are committed.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Window region: left, top, right, bottom; right and bottom exclusive.
RECTS = [
    (176, 0, 245, 7), (30, 7, 246, 8), (28, 8, 248, 9), (27, 9, 249, 10),
    (26, 10, 250, 11), (25, 11, 251, 13), (24, 13, 252, 15), (23, 15, 253, 18),
    (22, 18, 254, 20), (21, 20, 255, 23), (20, 23, 256, 26), (19, 26, 257, 28),
    (18, 28, 258, 31), (17, 31, 259, 33), (16, 33, 260, 36), (15, 36, 261, 38),
    (14, 38, 262, 41), (13, 41, 263, 44), (12, 44, 264, 48), (22, 48, 69, 49),
    (27, 49, 65, 50), (29, 50, 63, 51), (30, 51, 61, 52), (31, 52, 60, 53),
    (32, 53, 59, 54), (33, 54, 58, 55), (34, 55, 58, 56), (34, 56, 57, 57),
    (35, 57, 56, 59), (36, 59, 55, 60), (37, 60, 55, 61), (37, 61, 54, 62),
    (38, 62, 54, 63), (38, 63, 53, 64), (39, 64, 53, 65), (39, 65, 52, 67),
    (40, 67, 52, 68), (40, 68, 51, 70), (41, 70, 51, 71), (41, 71, 50, 73),
    (42, 73, 50, 74), (42, 74, 49, 76), (43, 76, 49, 78), (43, 78, 48, 80),
    (44, 80, 48, 82), (44, 82, 47, 84), (45, 84, 47, 85), (45, 85, 46, 86),
]
BOUND = (12, 0, 264, 86)
SKIN_W, SKIN_H = 265, 91

BLACK = (0, 0, 0)
PURPLE = (96, 32, 128)
GOLD = (212, 168, 48)
DARK_GOLD = (150, 110, 20)
TAB = (40, 24, 56)
WHITE = (255, 255, 255)


def write_region():
    header = struct.pack("<IIII4i", 32, 1, len(RECTS), 16 * len(RECTS), *BOUND)
    body = b"".join(struct.pack("<4i", *r) for r in RECTS)
    block = header + body
    with open(os.path.join(HERE, "region.bin"), "wb") as f:
        f.write(struct.pack("<I", len(block)) + block)


def region_mask():
    inside = [[False] * SKIN_W for _ in range(SKIN_H)]
    for l, t, r, b in RECTS:
        for y in range(t, b):
            for x in range(l, r):
                inside[y][x] = True
    return inside


def near_edge(inside, x, y, reach, rows):
    """Whether a pixel within reach of (x, y), inside rows, lies outside the region."""
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            yy, xx = y + dy, x + dx
            if yy < rows[0] or yy >= rows[1] or xx < 0 or xx >= SKIN_W or not inside[yy][xx]:
                return True
    return False


def write_skin():
    inside = region_mask()
    pixels = [[BLACK] * SKIN_W for _ in range(SKIN_H)]
    for y in range(SKIN_H):
        for x in range(SKIN_W):
            if not inside[y][x]:
                continue
            if y < 7:
                pixels[y][x] = TAB
            elif y < 48:
                # Purple bar; the rim is gold, its top edge meets the tab plainly.
                pixels[y][x] = GOLD if near_edge(inside, x, y, 1, (7, 48)) else PURPLE
            else:
                pixels[y][x] = DARK_GOLD if near_edge(inside, x, y, 1, (48, SKIN_H)) else GOLD
    # White mark pointing down, above the tip of the tongue.
    for i, y in enumerate(range(58, 66)):
        half = 4 - i // 2
        for x in range(45 - half, 46 + half):
            pixels[y][x] = WHITE
    for y in range(SKIN_H):
        for x in range(SKIN_W):
            assert (pixels[y][x] != BLACK) == inside[y][x], (x, y)

    stride = (SKIN_W * 3 + 3) & ~3
    data = bytearray()
    for y in range(SKIN_H - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SKIN_W, SKIN_H, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(os.path.join(HERE, "skin.bmp"), "wb") as f:
        f.write(header + info + data)


def write_png(name, pixels):
    h, w = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(png)


CLEAR = (0, 0, 0, 0)
SILVER = (192, 192, 192, 255)
GREY = (96, 96, 96, 255)
RED = (255, 0, 0, 255)
MAROON = (128, 0, 0, 255)
LIME = (0, 255, 0, 255)
YELLOW = (255, 255, 0, 255)

QUESTION = [
    ".###.",
    "#...#",
    "....#",
    "...#.",
    "..#..",
    "..#..",
    ".....",
    "..#..",
]


def line(img, x0, y0, x1, y1, colour):
    steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
    for i in range(steps + 1):
        t = i / steps
        x, y = round(x0 + (x1 - x0) * t), round(y0 + (y1 - y0) * t)
        if 0 <= y < len(img) and 0 <= x < len(img[0]):
            img[y][x] = colour


def web(size, ring_colours):
    """A cobweb: eight spokes from the centre and rings of threads (three on 32 pixels, two on 16)."""
    img = [[CLEAR] * size for _ in range(size)]
    c = (size - 1) / 2
    radius = size / 2 - 0.5
    corners = []
    for k in range(8):
        a = math.pi / 8 + k * math.pi / 4
        corners.append((math.cos(a), math.sin(a)))
    rings = (0.35, 0.65, 0.95) if size >= 32 else (0.5, 0.95)
    for ring, colour in zip(rings, ring_colours):
        for k in range(8):
            (ax, ay), (bx, by) = corners[k], corners[(k + 1) % 8]
            line(img, c + ax * radius * ring, c + ay * radius * ring, c + bx * radius * ring, c + by * radius * ring,
                 colour)
    for ax, ay in corners:
        line(img, c, c, c + ax * radius, c + ay * radius, SILVER)
    return img


def question_mark(img, scale):
    size = len(img)
    w, h = 5 * scale, 8 * scale
    x0, y0 = (size - w) // 2, (size - h) // 2
    ink = set()
    for gy, text in enumerate(QUESTION):
        for gx, ch in enumerate(text):
            if ch == "#":
                for dy in range(scale):
                    for dx in range(scale):
                        ink.add((x0 + gx * scale + dx, y0 + gy * scale + dy))
    # A dark outline keeps the mark readable on the threads.
    for x, y in ink:
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            p = (x + dx, y + dy)
            if p not in ink and 0 <= p[0] < size and 0 <= p[1] < size:
                img[p[1]][p[0]] = MAROON
    for x, y in ink:
        img[y][x] = RED


def write_icons():
    for size, scale in ((32, 2), (16, 1)):
        img = web(size, [GREY] * 3)
        question_mark(img, scale)
        write_png("tavrelo-%d.png" % size, img)
    # The connected animation: a pulse running out from the centre of the web.
    for frame in range(3):
        img = web(16, [LIME if frame == ring + 1 else GREY for ring in range(2)])
        centre = YELLOW if frame == 0 else SILVER
        for y in range(6, 10):
            for x in range(6, 10):
                if (x in (6, 9)) + (y in (6, 9)) < 2:
                    img[y][x] = centre
        write_png("frame%d.png" % frame, img)


if __name__ == "__main__":
    write_region()
    write_skin()
    write_icons()
