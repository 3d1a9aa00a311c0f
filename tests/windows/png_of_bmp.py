"""Turns the 24- or 32-bit BMP that veltramarlin-drive writes into a PNG.
usage: /usr/bin/python3 png_of_bmp.py IN.bmp OUT.png"""
import struct
import sys
import zlib

data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
step = bits // 8
stride = (width * step + 3) & ~3
rows = []
for y in range(abs(height)):
    src = height - 1 - y if height > 0 else y
    line = data[offset + src * stride: offset + src * stride + width * step]
    rgb = bytearray()
    for x in range(0, width * step, step):
        rgb += bytes((line[x + 2], line[x + 1], line[x]))
    rows.append(b"\0" + bytes(rgb))

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
