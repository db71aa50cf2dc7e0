#!/usr/bin/env python3
"""Writes the card pictures of the 1x BMP files as PNG, for the browser.

png_from_bmp.py OUT_FOLDER BMP...: each 24-bit uncompressed BMP becomes
OUT_FOLDER/NAME.png, with nothing but Python's own library; any other BMP is
refused with a clear message and status 1.
"""
import struct
import sys
import zlib
from pathlib import Path


def read_bmp(data: bytes, name: str):
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError(f"{name}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0 or width <= 0 or height == 0 or planes != 1:
        raise ValueError(f"{name}: only uncompressed 24-bit BMP files are read")
    stride = (width * 3 + 3) & ~3
    rows = abs(height)
    if offset + stride * rows > len(data):
        raise ValueError(f"{name}: the file is cut short")
    lines = []
    for y in range(rows):
        # Rows run from the bottom up unless the height is negative.
        source = rows - 1 - y if height > 0 else y
        start = offset + source * stride
        bgr = data[start : start + width * 3]
        rgb = bytearray(width * 3)
        rgb[0::3] = bgr[2::3]
        rgb[1::3] = bgr[1::3]
        rgb[2::3] = bgr[0::3]
        lines.append(b"\0" + bytes(rgb))
    return width, rows, b"".join(lines)


def chunk(kind: bytes, body: bytes) -> bytes:
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(width: int, height: int, raw: bytes) -> bytes:
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) < 3:
        print("usage: png_from_bmp.py OUT_FOLDER BMP...", file=sys.stderr)
        return 2
    out = Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name in argv[2:]:
        path = Path(name)
        try:
            picture = png(*read_bmp(path.read_bytes(), name))
        except (OSError, ValueError) as problem:
            print(f"png_from_bmp.py: {problem}", file=sys.stderr)
            return 1
        (out / (path.stem + ".png")).write_bytes(picture)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
