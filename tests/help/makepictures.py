#!/usr/bin/env python3
"""Writes the test pictures: plain colour fields whose sizes and frame counts are what the tests
check. Run it in this folder after changing a size; the results are committed."""
import struct
import zlib


def png(path, width, height, rgb):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    row = b"\x00" + bytes(rgb) * width
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(row * height)))
        f.write(chunk(b"IEND", b""))


def gif(path, width, height, colours):
    """One frame per colour, looping. The image data uses 8-bit LZW codes with a clear code
    before every 100 pixels, so the code table never grows and no compression is needed."""
    palette = b"".join(bytes(c) for c in colours) + b"\x00" * (3 * (4 - len(colours)))
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0x91, 0, 0) + palette
    out += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    for index in range(len(colours)):
        codes = bytearray()
        pixels = width * height
        while pixels:
            run = min(pixels, 100)
            codes += bytes([128]) + bytes([index]) * run
            pixels -= run
        codes.append(129)
        blocks = b"".join(bytes([len(codes[i:i + 255])]) + codes[i:i + 255]
                          for i in range(0, len(codes), 255))
        out += b"\x21\xf9\x04\x00" + struct.pack("<H", 10) + b"\x00\x00"
        out += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x07" + blocks + b"\x00"
    with open(path, "wb") as f:
        f.write(out + b"\x3b")


MAGENTA = (200, 0, 200)
png("manual/images/terminator.png", 40, 40, MAGENTA)
png("totd/tall.png", 120, 600, (0, 120, 200))
png("totd/short.png", 120, 200, (0, 160, 80))
gif("totd/anim.gif", 60, 150, [(255, 0, 0), (0, 0, 255)])
gif("totd/STILL.GIF", 60, 100, [(255, 200, 0), (0, 0, 0)])
