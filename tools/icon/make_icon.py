#!/usr/bin/env python3
"""Draws the program's icon, a filter wheel seen from the front, and writes it
as a Windows .ico (256 px PNG-compressed; 48, 32 and 16 px as 32-bit DIBs)
plus a PNG preview. Standard library only, so anyone can regenerate it:

    python3 tools/icon/make_icon.py res/zeltfw.ico [preview.png]

Every shape is a circle or ring in coordinates where the wheel's radius is 1;
each pixel gets the exact-ish coverage of each shape (distance to the edge),
so the small sizes stay crisp without supersampling.
"""
import math
import struct
import sys
import zlib

SIZES = (256, 48, 32, 16)

# Filter windows, clockwise from the top: luminance (clear), red, green, blue, H-alpha.
FILTERS = [
    (0xE8, 0xF1, 0xF8),
    (0xE5, 0x39, 0x35),
    (0x43, 0xA0, 0x47),
    (0x1E, 0x6F, 0xE5),
    (0x9C, 0x27, 0xB0),
]
FILTER_ORBIT = 0.565   # distance of the window centres from the hub
FILTER_CELL = 0.305    # the dark cell around each window
FILTER_GLASS = 0.245
WHEEL = 0.96
RIM = 0.86
HUB = 0.19
AXLE = 0.075


def coverage(distance_to_edge, pixel):
    """Share of a pixel inside a shape, from the signed distance (positive inside)."""
    return max(0.0, min(1.0, distance_to_edge / pixel + 0.5))


def blend(dst, rgb, alpha):
    if alpha <= 0.0:
        return dst
    r, g, b, a = dst
    out_a = alpha + a * (1.0 - alpha)
    if out_a <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    k = a * (1.0 - alpha)
    return ((rgb[0] * alpha + r * k) / out_a, (rgb[1] * alpha + g * k) / out_a,
            (rgb[2] * alpha + b * k) / out_a, out_a)


def lerp(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def shade(x, y, light, dark):
    """Brushed metal lit from the top left."""
    return lerp(light, dark, (x + y) * 0.35 + 0.5)


def render(size):
    pixel = 2.0 / size  # one pixel in wheel units
    centres = []
    for i in range(len(FILTERS)):
        angle = -math.pi / 2 + i * 2 * math.pi / len(FILTERS)
        centres.append((FILTER_ORBIT * math.cos(angle), FILTER_ORBIT * math.sin(angle)))
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            x = (px + 0.5) * pixel - 1.0
            y = (py + 0.5) * pixel - 1.0
            d = math.hypot(x, y)
            c = (0.0, 0.0, 0.0, 0.0)
            # Outer edge and rim, then the face of the wheel.
            c = blend(c, (0x26, 0x2A, 0x31), coverage(WHEEL - d, pixel))
            c = blend(c, shade(x, y, (0x9A, 0xA4, 0xB0), (0x4C, 0x55, 0x61)), coverage(WHEEL - pixel * 1.2 - d, pixel))
            c = blend(c, shade(x, y, (0x6E, 0x78, 0x86), (0x3A, 0x41, 0x4B)), coverage(RIM - d, pixel))
            for (fx, fy), rgb in zip(centres, FILTERS):
                fd = math.hypot(x - fx, y - fy)
                c = blend(c, (0x1E, 0x22, 0x28), coverage(FILTER_CELL - fd, pixel))
                glass = coverage(FILTER_GLASS - fd, pixel)
                if glass > 0.0:
                    # Deeper colour towards the lower right, a soft reflection at the upper left.
                    t = ((x - fx) + (y - fy)) / (2 * FILTER_GLASS) + 0.5
                    c = blend(c, lerp(tuple(min(255, v * 1.15 + 20) for v in rgb), tuple(v * 0.7 for v in rgb), t),
                              glass)
                    if size >= 32:
                        hd = math.hypot(x - (fx - FILTER_GLASS * 0.35), y - (fy - FILTER_GLASS * 0.35))
                        c = blend(c, (255, 255, 255), 0.45 * glass * coverage(FILTER_GLASS * 0.38 - hd, pixel))
            c = blend(c, (0x1E, 0x22, 0x28), coverage(HUB - d, pixel))
            c = blend(c, shade(x, y, (0xD5, 0xDB, 0xE2), (0x7D, 0x87, 0x93)), coverage(HUB - pixel * 1.5 - d, pixel))
            c = blend(c, (0x2B, 0x30, 0x37), coverage(AXLE - d, pixel))
            row.append(tuple(int(round(v)) for v in c[:3]) + (int(round(c[3] * 255)),))
        rows.append(row)
    return rows


def png_bytes(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_bytes(rows):
    """BITMAPINFOHEADER, BGRA rows bottom-up, then the 1-bit AND mask (set = transparent)."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for p in row for v in (p[2], p[1], p[0], p[3])) for row in reversed(rows))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for i, p in enumerate(row):
            if p[3] == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico_bytes(images):
    """images: (size, data) pairs; 256 is written as 0 in the directory."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    return out + body


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: make_icon.py OUTPUT.ico [PREVIEW.png]")
    images = []
    preview = None
    for size in SIZES:
        rows = render(size)
        if size == 256:
            preview = png_bytes(rows)
            images.append((size, preview))
        else:
            images.append((size, dib_bytes(rows)))
    with open(sys.argv[1], "wb") as f:
        f.write(ico_bytes(images))
    if len(sys.argv) == 3:
        with open(sys.argv[2], "wb") as f:
            f.write(preview)


if __name__ == "__main__":
    main()
