#!/usr/bin/python3
"""Packs PNG images into one Windows icon (.ico), each image stored as PNG.

usage: make_ico.py OUT.ico IMAGE.png...
Windows since Vista and wine read PNG images inside an icon at every size.
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit(f"make_ico.py: {name} is not a PNG image")
    width, height = struct.unpack(">II", data[16:24])
    if not (0 < width <= 256 and 0 < height <= 256):
        raise SystemExit(f"make_ico.py: {name} is {width}x{height}; an icon holds at most 256x256")
    return width, height


def main(out, names):
    images = []
    for name in names:
        with open(name, "rb") as f:
            data = f.read()
        images.append((png_size(data, name), data))
    images.sort(key=lambda image: image[0])
    offset = 6 + 16 * len(images)
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, bodies = b"", b""
    for (width, height), data in images:
        # 256 is written as 0; 32 bits per pixel, one plane.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        bodies += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + bodies)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    main(sys.argv[1], sys.argv[2:])
