#!/usr/bin/env python3
"""Converts an X window dump (xwd -root) into a PNG, optionally cropped.

usage: xwd2png.py in.xwd out.png [x y w h]
Only the 24/32-bit TrueColor ZPixmap layout that Xvfb produces is supported.
"""
import struct
import sys
import zlib


def read_xwd(data):
    fields = struct.unpack(">25I", data[:100])
    header_size, _ver, _fmt, depth, width, height = fields[:6]
    byte_order, bpp, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    ncolors = fields[19]
    offset = header_size + ncolors * 12
    if bpp != 32:
        raise SystemExit("unsupported xwd: %d bits per pixel" % bpp)
    fmt = "<I" if byte_order == 0 else ">I"

    def shift(mask):
        s = 0
        while mask and not mask & 1:
            mask >>= 1
            s += 1
        return s

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        base = offset + y * bytes_per_line
        row = bytearray()
        for x in range(width):
            (p,) = struct.unpack_from(fmt, data, base + 4 * x)
            row += bytes(((p & red_mask) >> rs, (p & green_mask) >> gs, (p & blue_mask) >> bs))
        rows.append(row)
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(tag, body):
        c = struct.pack(">I", len(body)) + tag + body
        return c + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    if len(sys.argv) not in (3, 7):
        raise SystemExit(__doc__)
    with open(sys.argv[1], "rb") as f:
        width, height, rows = read_xwd(f.read())
    if len(sys.argv) == 7:
        x, y, w, h = (int(v) for v in sys.argv[3:7])
        x, y = max(0, min(x, width - 1)), max(0, min(y, height - 1))
        w, h = min(w, width - x), min(h, height - y)
        rows = [r[3 * x:3 * (x + w)] for r in rows[y:y + h]]
        width, height = w, h
    write_png(sys.argv[2], width, height, rows)


if __name__ == "__main__":
    main()
