#!/usr/bin/env python3
"""Writes vorlaine.ico, the Windows program icon, from vorlaine.xpm.

The icon is one 16 x 16 image in 24-bit colour with a transparency mask.
Run it again after changing the XPM:  python3 make-icon.py
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def read_xpm(path):
    strings = [line.split('"')[1] for line in path.read_text().splitlines() if line.startswith('"')]
    width, height, colours, chars = (int(v) for v in strings[0].split())
    palette = {}
    for entry in strings[1 : 1 + colours]:
        key = entry[:chars]
        _, value = entry[chars:].split()[:2]  # "c #RRGGBB" or "c None"
        palette[key] = None if value.lower() == "none" else tuple(int(value[i : i + 2], 16) for i in (1, 3, 5))
    rows = strings[1 + colours : 1 + colours + height]
    if len(rows) != height or any(len(row) != width * chars for row in rows):
        raise ValueError(f"{path}: the rows do not match the size {width} x {height}")
    return width, height, [[palette[row[x * chars : (x + 1) * chars]] for x in range(width)] for row in rows]


def ico_bytes(width, height, pixels):
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        line = bytearray()
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            blue_green_red = (0, 0, 0) if pixel is None else pixel[::-1]
            line += bytes(blue_green_red)
            if pixel is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        line += bytes((-len(line)) % 4)
        colour += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    (HERE / "vorlaine.ico").write_bytes(ico_bytes(*read_xpm(HERE / "vorlaine.xpm")))
