#!/usr/bin/env python3
"""Writes the menu icons in icons/ from the window's 16 x 16 icon.

icons/16x16/org.example.Vorlaine.png is Source/window/vorlaine.xpm itself;
the 32 x 32 and 48 x 48 icons are the same picture with every pixel drawn as
a 2 x 2 and a 3 x 3 block. The scalable icon, icons/scalable/, is drawn by
hand in the same design and is not written here.

    python3 make-icons.py           writes the PNG files again
    python3 make-icons.py --check   exits with 1 if one of them is missing or stale
"""
import importlib
import pathlib
import struct
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent
XPM = HERE.parent / "Source" / "window" / "vorlaine.xpm"
ICON_NAME = "org.example.Vorlaine"
SCALES = {16: 1, 32: 2, 48: 3}


def read_xpm(path):
    """The XPM's pixels, read by the same code that makes the window's icon."""
    sys.dont_write_bytecode = True  # no cache files in the source tree
    sys.path.insert(0, str(path.parent))
    _, _, pixels = importlib.import_module("make-icon").read_xpm(path)
    return pixels


def scaled(pixels, factor):
    return [[pixel for pixel in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def png_bytes(pixels):
    """An 8-bit RGBA PNG, written without any image library."""
    height, width = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter type: none
        for pixel in row:
            raw += bytes((0, 0, 0, 0)) if pixel is None else bytes((*pixel, 255))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def main(arguments):
    check = arguments == ["--check"]
    if arguments and not check:
        print(__doc__, file=sys.stderr)
        return 2
    pixels = read_xpm(XPM)
    stale = []
    for size, factor in SCALES.items():
        path = HERE / "icons" / f"{size}x{size}" / f"{ICON_NAME}.png"
        data = png_bytes(scaled(pixels, factor))
        if check:
            if not path.is_file() or path.read_bytes() != data:
                stale.append(path)
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    for path in stale:
        print(f"{path} is missing or does not match {XPM}; run {pathlib.Path(__file__).name}", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
