#!/usr/bin/env python3
"""Draws the settings window's small button pictures as 16x16 PNG files.

clear.png: a red cross (empties a message field); open.png: a yellow folder (picks a sound
file). Run it in this folder; the PNGs are committed so the build needs nothing but CMake.
"""
import struct
import zlib

SIZE = 16


def png(pixels):
    """pixels: SIZE rows of SIZE (r, g, b, a) tuples."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def blank():
    return [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]


def cross():
    p = blank()
    red, dark = (214, 40, 40, 255), (150, 20, 20, 255)
    for i in range(3, 13):
        for d in (0, 1):
            if i + d < 13:
                p[i][i + d] = red if d == 0 else dark
                p[i][15 - i - d] = red if d == 0 else dark
    return p


def folder():
    p = blank()
    edge, body, tab = (150, 110, 20, 255), (240, 200, 80, 255), (225, 180, 60, 255)
    for y in range(3, 13):
        for x in range(1, 15):
            if y < 5 and x > 6:
                continue  # the tab stands up on the left only
            border = y in (3, 12) or x in (1, 14) or (y == 5 and x > 6) or (y < 5 and x == 6)
            p[y][x] = edge if border else (tab if y < 6 else body)
    return p


if __name__ == "__main__":
    for name, pixels in (("clear.png", cross()), ("open.png", folder())):
        with open(name, "wb") as f:
            f.write(png(pixels))
